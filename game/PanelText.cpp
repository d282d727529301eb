#include "game/PanelText.h"

#include "platform/gfx/CanvasStateSaver.h"

namespace dd {

void DrawPanelText(Canvas& canvas, int x, int y, std::string_view text, const Font& font) {
    const CanvasStateSaver saved(canvas);
    Font f = canvas.GetFont();
    f.Name = font.Name;
    f.Height = font.Height;
    f.Bold = font.Bold;
    f.Color = kPanelTextColor;
    canvas.SetFont(f);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.TextOut(x, y, text);
}

TextSize LabelSize(const Font& font, std::string_view text) {
    return TextRenderer::Instance().TextExtent(font, text);
}

} // namespace dd
