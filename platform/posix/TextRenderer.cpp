#include "platform/gfx/TextRenderer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <strings.h>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

namespace dd {
namespace {

constexpr int kDefaultHeight = 11;
constexpr int kMaxHeight = 512;

// Used when fontconfig itself is unusable: where Debian's packages put the faces of
// kTextFaces, regular and bold, in the same order.
constexpr std::array<std::pair<const char*, const char*>, 3> kFixedFiles = {{
    {"/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Regular.ttf",
     "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf",
     "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
     "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"},
}};

int EffectiveHeight(int requested) {
    if (requested == 0) {
        return kDefaultHeight;
    }
    // Compared before negating so that INT_MIN cannot overflow.
    if (requested < -kMaxHeight || requested > kMaxHeight) {
        return kMaxHeight;
    }
    return requested < 0 ? -requested : requested;
}

int RoundToPixels(FT_Pos value26Dot6) {
    return static_cast<int>((value26Dot6 + 32) >> 6);
}

// Decodes UTF-8, dropping every byte that does not start a well-formed sequence (overlong
// forms, surrogates and values above U+10FFFF included).
std::u32string DecodeUtf8(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t codePoint = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            result.push_back(lead);
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07;
            minimum = 0x10000;
        } else {
            ++i;
            continue;
        }
        bool valid = i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
            } else {
                codePoint = (codePoint << 6) | (next & 0x3F);
            }
        }
        if (valid && (codePoint < minimum || codePoint > 0x10FFFF ||
                      (codePoint >= 0xD800 && codePoint <= 0xDFFF))) {
            valid = false;
        }
        if (valid) {
            result.push_back(codePoint);
            i += length;
        } else {
            // Only the lead byte goes; the rest is looked at again on its own.
            ++i;
        }
    }
    return result;
}

} // namespace

struct TextRenderer::Impl {
    struct FontFile {
        std::string Path;
        int Index = 0;
        bool Embolden = false; // no bold face was found, so the regular one is thickened
    };

    // One bit per pixel, most significant bit first, rows top to bottom.
    struct Glyph {
        int Advance = 0;
        int Left = 0;
        int Top = 0;
        int Width = 0;
        int Rows = 0;
        int Pitch = 0;
        std::vector<std::uint8_t> Bits;

        bool At(int column, int row) const {
            return (Bits[static_cast<std::size_t>(row * Pitch + column / 8)] &
                    (0x80u >> (column % 8))) != 0;
        }
    };

    struct SizedFace {
        FT_Face Face = nullptr;
        bool Embolden = false;
        int Ascender = 0;
        int Descender = 0; // negative below the baseline
        // Never erased, so pointers into it stay valid after the lock is released.
        std::unordered_map<char32_t, Glyph> Glyphs;
    };

    struct Layout {
        int Ascender = 0;
        int Height = 0;
        long long Width = 0;
        std::vector<std::pair<const Glyph*, long long>> Glyphs; // glyph and its pen position
    };

    std::mutex Mutex;
    FT_Library Library = nullptr;
    FcConfig* Config = nullptr;
    std::optional<FontFile> Files[2];
    std::map<std::tuple<std::string, int, bool, int>, SizedFace> Faces;

    Impl() {
        if (FT_Init_FreeType(&Library) != 0) {
            throw EFontError("Cannot initialise the FreeType font library");
        }
        // Without fontconfig the fixed fallback paths are still tried.
        Config = FcInitLoadConfigAndFonts();
    }

    ~Impl() {
        for (auto& entry : Faces) {
            FT_Done_Face(entry.second.Face);
        }
        FT_Done_FreeType(Library);
        if (Config != nullptr) {
            FcConfigDestroy(Config);
        }
    }

    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    // The face of `family` that fontconfig has, or nothing: its best match for a family it
    // lacks is some other face, which must not stand in for a narrow one.
    std::optional<FontFile> MatchWithFontconfig(const char* family, bool bold) {
        if (Config == nullptr) {
            return std::nullopt;
        }
        FcPattern* pattern = FcPatternCreate();
        if (pattern == nullptr) {
            return std::nullopt;
        }
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(Config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(Config, pattern, &result);
        FcPatternDestroy(pattern);
        if (match == nullptr) {
            return std::nullopt;
        }
        std::optional<FontFile> file;
        FcChar8* path = nullptr;
        if (HasFamily(match, family) &&
            FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
            file = FontFile{reinterpret_cast<const char*>(path), 0, false};
            int index = 0;
            if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) {
                file->Index = index;
            }
            int weight = 0;
            if (bold && FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch) {
                file->Embolden = weight < FC_WEIGHT_DEMIBOLD;
            }
        }
        FcPatternDestroy(match);
        return file;
    }

    static bool HasFamily(FcPattern* match, const char* family) {
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            if (name != nullptr && strcasecmp(reinterpret_cast<const char*>(name), family) == 0) {
                return true;
            }
        }
        return false;
    }

    bool CanOpen(const FontFile& file) {
        FT_Face face = nullptr;
        if (FT_New_Face(Library, file.Path.c_str(), file.Index, &face) != 0) {
            return false;
        }
        FT_Done_Face(face);
        return true;
    }

    const FontFile& FileFor(bool bold) {
        std::optional<FontFile>& cached = Files[bold ? 1 : 0];
        if (cached) {
            return *cached;
        }
        std::vector<FontFile> candidates;
        for (const char* family : kTextFaces) {
            if (auto matched = MatchWithFontconfig(family, bold)) {
                candidates.push_back(*matched);
            }
        }
        for (const auto& [regular, boldFile] : kFixedFiles) {
            if (bold) {
                candidates.push_back({boldFile, 0, false});
            }
            candidates.push_back({regular, 0, bold});
        }
        for (const FontFile& candidate : candidates) {
            if (CanOpen(candidate)) {
                cached = candidate;
                return *cached;
            }
        }
        throw EFontNotFound(std::string(kTextFace) + (bold ? " Bold" : ""));
    }

    SizedFace& FaceFor(const Font& font) {
        const FontFile& file = FileFor(font.Bold);
        const int height = EffectiveHeight(font.Height);
        const auto key = std::make_tuple(file.Path, file.Index, file.Embolden, height);
        if (auto found = Faces.find(key); found != Faces.end()) {
            return found->second;
        }
        FT_Face face = nullptr;
        if (FT_New_Face(Library, file.Path.c_str(), file.Index, &face) != 0) {
            throw EFontError("Cannot open the font file " + file.Path);
        }
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(height)) != 0 &&
            !SelectNearestStrike(face, height)) {
            FT_Done_Face(face);
            throw EFontError("Cannot size the font " + file.Path + " to " + std::to_string(height) +
                             " pixels");
        }
        SizedFace& sized = Faces[key];
        sized.Face = face;
        sized.Embolden = file.Embolden;
        sized.Ascender = RoundToPixels(face->size->metrics.ascender);
        sized.Descender = RoundToPixels(face->size->metrics.descender);
        return sized;
    }

    // Bitmap-only faces accept just their own sizes.
    static bool SelectNearestStrike(FT_Face face, int height) {
        if (face->num_fixed_sizes <= 0) {
            return false;
        }
        int best = 0;
        for (int i = 1; i < face->num_fixed_sizes; ++i) {
            if (std::abs(face->available_sizes[i].height - height) <
                std::abs(face->available_sizes[best].height - height)) {
                best = i;
            }
        }
        return FT_Select_Size(face, best) == 0;
    }

    static Glyph ToGlyph(FT_GlyphSlot slot) {
        Glyph glyph;
        glyph.Advance = RoundToPixels(slot->advance.x);
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.Left = slot->bitmap_left;
        glyph.Top = slot->bitmap_top;
        glyph.Width = static_cast<int>(bitmap.width);
        glyph.Rows = static_cast<int>(bitmap.rows);
        glyph.Pitch = (glyph.Width + 7) / 8;
        glyph.Bits.assign(static_cast<std::size_t>(glyph.Pitch) * glyph.Rows, 0);
        if (bitmap.buffer == nullptr) {
            return glyph;
        }
        const int stride = std::abs(bitmap.pitch);
        for (int row = 0; row < glyph.Rows; ++row) {
            // A negative pitch means the rows are stored bottom up.
            const unsigned char* source =
                bitmap.buffer +
                static_cast<std::ptrdiff_t>(bitmap.pitch >= 0 ? row : glyph.Rows - 1 - row) *
                    stride;
            for (int column = 0; column < glyph.Width; ++column) {
                bool set = false;
                switch (bitmap.pixel_mode) {
                case FT_PIXEL_MODE_MONO:
                    set = (source[column / 8] & (0x80u >> (column % 8))) != 0;
                    break;
                case FT_PIXEL_MODE_GRAY:
                    set = source[column] * 2 >= bitmap.num_grays;
                    break;
                case FT_PIXEL_MODE_BGRA:
                    set = source[column * 4 + 3] >= 128;
                    break;
                default:
                    break;
                }
                if (set) {
                    glyph.Bits[static_cast<std::size_t>(row * glyph.Pitch + column / 8)] |=
                        static_cast<std::uint8_t>(0x80u >> (column % 8));
                }
            }
        }
        return glyph;
    }

    bool LoadAndRender(SizedFace& face, FT_UInt index) {
        if (FT_Load_Glyph(face.Face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0) {
            return false;
        }
        FT_GlyphSlot slot = face.Face->glyph;
        if (face.Embolden) {
            FT_GlyphSlot_Embolden(slot);
        }
        return slot->format == FT_GLYPH_FORMAT_BITMAP ||
               FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0;
    }

    const Glyph& GlyphFor(SizedFace& face, char32_t codePoint) {
        if (auto found = face.Glyphs.find(codePoint); found != face.Glyphs.end()) {
            return found->second;
        }
        Glyph glyph;
        const FT_UInt index = FT_Get_Char_Index(face.Face, codePoint);
        // A glyph that will not load falls back to the face's "missing" glyph, then to nothing.
        if (LoadAndRender(face, index) || (index != 0 && LoadAndRender(face, 0))) {
            glyph = ToGlyph(face.Face->glyph);
        }
        return face.Glyphs.emplace(codePoint, std::move(glyph)).first->second;
    }

    Layout Lay(const Font& font, std::string_view utf8Text, bool withGlyphs) {
        std::lock_guard lock(Mutex);
        SizedFace& face = FaceFor(font);
        Layout layout;
        layout.Ascender = face.Ascender;
        layout.Height = face.Ascender - face.Descender;
        for (char32_t codePoint : DecodeUtf8(utf8Text)) {
            const Glyph& glyph = GlyphFor(face, codePoint);
            if (withGlyphs) {
                layout.Glyphs.emplace_back(&glyph, layout.Width);
            }
            layout.Width += glyph.Advance;
        }
        layout.Width = std::clamp<long long>(layout.Width, 0, INT_MAX);
        return layout;
    }
};

TextRenderer::TextRenderer() : impl_(std::make_unique<Impl>()) {}

TextRenderer::~TextRenderer() = default;

TextRenderer& TextRenderer::Instance() {
    static TextRenderer instance;
    return instance;
}

std::string TextRenderer::FontFilePath(bool bold) {
    std::lock_guard lock(impl_->Mutex);
    return impl_->FileFor(bold).Path;
}

TextSize TextRenderer::TextExtent(const Font& font, std::string_view utf8Text) {
    const Impl::Layout layout = impl_->Lay(font, utf8Text, false);
    return {static_cast<int>(layout.Width), layout.Height};
}

void TextRenderer::Render(const Font& font, std::string_view utf8Text, int x, int y,
                          const std::function<void(int px, int py)>& plot) {
    // The glyphs are collected under the lock but plotted without it, so plot may draw text too.
    const Impl::Layout layout = impl_->Lay(font, utf8Text, true);
    std::vector<long long> covered;
    for (int row = 0; row < layout.Height; ++row) {
        // Neighbouring glyphs can overlap; gathering a whole row first lets each pixel be
        // plotted once, left to right.
        covered.clear();
        for (const auto& [glyph, penX] : layout.Glyphs) {
            const int glyphRow = row - (layout.Ascender - glyph->Top);
            if (glyphRow < 0 || glyphRow >= glyph->Rows) {
                continue;
            }
            for (int column = 0; column < glyph->Width; ++column) {
                const long long cellX = penX + glyph->Left + column;
                if (cellX >= 0 && cellX < layout.Width && glyph->At(column, glyphRow)) {
                    covered.push_back(cellX);
                }
            }
        }
        std::sort(covered.begin(), covered.end());
        covered.erase(std::unique(covered.begin(), covered.end()), covered.end());
        const long long py = static_cast<long long>(y) + row;
        if (py < INT_MIN || py > INT_MAX) {
            continue;
        }
        for (long long cellX : covered) {
            const long long px = static_cast<long long>(x) + cellX;
            if (px >= INT_MIN && px <= INT_MAX) {
                plot(static_cast<int>(px), static_cast<int>(py));
            }
        }
    }
}

} // namespace dd
