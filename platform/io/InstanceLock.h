#pragma once

#include <string>

namespace dd {

// The claim of the one running instance: an exclusive lock on a file in the window folder (a
// named mutex on Windows), taken atomically, so of two instances started at the same moment
// exactly one holds it. Released, and its file removed, when the object goes.
class InstanceLock {
public:
    InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    // False only when another instance holds the claim. Where the folder cannot be used
    // safely nothing can be claimed, and this instance runs.
    bool Held() const { return !contested_; }

private:
    int fd_ = -1;
    std::string path_;
    void* mutex_ = nullptr; // Windows' handle
    bool contested_ = false;
};

} // namespace dd
