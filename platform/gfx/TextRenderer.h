#pragma once

#include "platform/core/Exception.h"
#include "platform/gfx/Font.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace dd {

// FreeType or a font file failed.
class EFontError : public Exception {
public:
    explicit EFontError(const std::string& message) : Exception(message) {}
};

// None of the faces text may be drawn in is installed.
class EFontNotFound : public EFontError {
public:
    explicit EFontNotFound(const std::string& face)
        : EFontError("No font found for \"" + face +
                     "\" nor its fallbacks (install fonts-liberation or fonts-dejavu)") {}
};

struct TextSize {
    int Width = 0;
    int Height = 0;

    bool operator==(const TextSize&) const = default;
};

// Lays out and rasterises single-line text, in monochrome only: pictures are masked by exact
// colour, so anti-aliased edge pixels would leave fringes. FreeType draws it on Linux, GDI on
// Windows.
//
// Under FreeType every family name maps to the first installed face of kTextFaces (Bold to its
// bold face), found through fontconfig, because the program's own fonts do not exist on Linux;
// GDI is asked for the family by name and maps it to a face of its own. A height of
// 0 means 11 pixels, a negative one its absolute value, and heights are capped at 512. Invalid
// UTF-8 bytes are skipped. Throws EFontNotFound when no usable font can be found at all.
class TextRenderer {
public:
    // The process-wide cache of the faces and their glyphs. Thread-safe.
    static TextRenderer& Instance();

    // The face text is drawn in: its file under FreeType, its name under GDI.
    std::string FontFilePath(bool bold);

    // The text's cell: the sum of the advances by the face's ascender minus its descender.
    TextSize TextExtent(const Font& font, std::string_view utf8Text);

    // Calls plot(px, py) once for each pixel the text covers, with (x, y) the top-left corner of
    // the cell TextExtent measures; nothing outside that cell is plotted. plot may call back into
    // the renderer.
    void Render(const Font& font, std::string_view utf8Text, int x, int y,
                const std::function<void(int px, int py)>& plot);

    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

private:
    struct Impl;

    TextRenderer();

    std::unique_ptr<Impl> impl_;
};

} // namespace dd
