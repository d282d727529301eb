#include "platform/gfx/Memo.h"

#include "platform/gfx/Canvas.h"

namespace dd {

void TMemo::Paint() {
    if (!Parent())
        return;
    Canvas& c = Parent()->GetCanvas();
    const TRect box = BoundsRect();
    const std::optional<TRect> clip = c.ClipRect();
    c.SetClipRect(box);
    c.SetBrushStyle(BrushStyle::Solid);
    c.SetBrushColor(RGB(128, 128, 128));
    c.FillRect(box);
    c.SetBrushColor(clWhite);
    c.FillRect({box.Left + 1, box.Top + 1, box.Right, box.Bottom});
    c.SetFont(TextFont);
    c.SetBrushStyle(BrushStyle::Clear);
    int y = box.Top + 3;
    for (const std::string& line : Lines) {
        c.TextOut(box.Left + 4, y, line);
        y += c.TextHeight("Ag");
    }
    if (clip)
        c.SetClipRect(*clip);
    else
        c.RemoveClip();
}

} // namespace dd
