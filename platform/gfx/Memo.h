#pragma once

#include "platform/gfx/Font.h"
#include "platform/gfx/Form.h"
#include "platform/gfx/Rect.h"

#include <string>
#include <vector>

namespace dd {

// A read-only multi-line text box: lines of text on white inside a sunken border. A line wider
// than the box wraps at a blank; a single word wider than the box is cut.
class TMemo : public TControl {
public:
    explicit TMemo(TComponent* owner) : TControl(owner) {}

    std::vector<std::string> Lines;
    Font TextFont;

    // The area the text may cover, inside the border and the margins.
    TRect TextRect() const;
    // Lines as painted, top to bottom, after wrapping.
    std::vector<std::string> ShownLines() const;

    void Paint() override;
};

} // namespace dd
