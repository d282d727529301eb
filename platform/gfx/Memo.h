#pragma once

#include "platform/gfx/Font.h"
#include "platform/gfx/Form.h"

#include <string>
#include <vector>

namespace dd {

// A read-only multi-line text box: lines of text on white inside a sunken border.
class TMemo : public TControl {
public:
    explicit TMemo(TComponent* owner) : TControl(owner) {}

    std::vector<std::string> Lines;
    Font TextFont;

    void Paint() override;
};

} // namespace dd
