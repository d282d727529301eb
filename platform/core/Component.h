#pragma once

#include <string>

namespace dd {

// The class library's component: an owner, a name, a tag and the designing state. Owners hold
// their components themselves (as members or unique_ptrs); this only records who the owner is.
class TComponent {
public:
    explicit TComponent(TComponent* owner) : owner_(owner) {}
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    virtual ~TComponent() = default;

    TComponent* Owner() const { return owner_; }
    std::string Name;
    int Tag = 0;
    // Set only by a form designer (and by tests); the running program never enters it.
    bool Designing = false;

private:
    TComponent* owner_;
};

} // namespace dd
