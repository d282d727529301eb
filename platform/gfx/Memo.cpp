#include "platform/gfx/Memo.h"

#include "platform/gfx/CanvasStateSaver.h"
#include "platform/gfx/TextRenderer.h"

namespace dd {
namespace {

constexpr int kMargin = 4; // from the box's edge to the text, inside the one-pixel border
constexpr int kTopMargin = 3;

// Breaks `line` at blanks into pieces no wider than `width`; the blank at a break goes.
void Wrap(const std::string& line, const Font& font, int width, std::vector<std::string>& out) {
    TextRenderer& renderer = TextRenderer::Instance();
    // Trailing blanks show nothing, so they need no room.
    const auto inked = [&](const std::string& s) {
        return renderer.TextExtent(font, s.substr(0, s.find_last_not_of(' ') + 1)).Width;
    };
    std::string rest = line;
    while (inked(rest) > width) {
        // The last blank that leaves a fitting head; leading blanks are indentation, not breaks.
        const std::size_t text = rest.find_first_not_of(' ');
        const std::size_t first = rest.find(' ', text == std::string::npos ? rest.size() : text);
        if (first == std::string::npos)
            break; // one word wider than the box: it stays whole and is cut
        // A first word wider than the box stands on a line of its own.
        std::size_t cut = first;
        for (std::size_t blank = rest.find(' ', first + 1); blank != std::string::npos;
             blank = rest.find(' ', blank + 1)) {
            if (inked(rest.substr(0, blank)) > width)
                break;
            cut = blank;
        }
        out.push_back(rest.substr(0, cut));
        rest.erase(0, cut + 1);
    }
    out.push_back(rest);
}

} // namespace

TRect TMemo::TextRect() const {
    const TRect box = BoundsRect();
    return {box.Left + kMargin, box.Top + kTopMargin, box.Right - kMargin, box.Bottom - 1};
}

std::vector<std::string> TMemo::ShownLines() const {
    const int width = TextRect().Width();
    std::vector<std::string> shown;
    for (const std::string& line : Lines)
        Wrap(line, TextFont, width, shown);
    return shown;
}

void TMemo::Paint() {
    if (!Parent())
        return;
    Canvas& c = Parent()->GetCanvas();
    const CanvasStateSaver saved(c);
    const TRect box = BoundsRect();
    c.SetClipRect(box);
    c.SetBrushStyle(BrushStyle::Solid);
    c.SetBrushColor(RGB(128, 128, 128));
    c.FillRect(box);
    c.SetBrushColor(clWhite);
    c.FillRect({box.Left + 1, box.Top + 1, box.Right, box.Bottom});
    c.SetFont(TextFont);
    c.SetBrushStyle(BrushStyle::Clear);
    const TRect text = TextRect();
    int y = text.Top;
    for (const std::string& line : ShownLines()) {
        c.TextOut(text.Left, y, line);
        y += c.TextHeight("Ag");
    }
}

} // namespace dd
