// The text interface on GDI: the system's own fonts, rasterised without smoothing.

#include "platform/gfx/TextRenderer.h"

#include "platform/win32/TextFace.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Windows.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>

namespace dd {
namespace {

constexpr int kDefaultHeight = 11;
constexpr int kMaxHeight = 512;

int PixelHeight(int height) {
    if (height == 0)
        return kDefaultHeight;
    const long long magnitude = height < 0 ? -static_cast<long long>(height) : height;
    return static_cast<int>(std::min<long long>(magnitude, kMaxHeight));
}

HFONT CreateFace(const std::wstring& face, int height, bool bold) {
    // A negative height asks for the em size, as the program's heights are.
    return ::CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
}

std::wstring SelectedFace(HDC dc) {
    wchar_t face[LF_FACESIZE] = {};
    ::GetTextFaceW(dc, LF_FACESIZE, face);
    return face;
}

// UTF-8 to UTF-16 with invalid bytes skipped rather than replaced.
std::wstring WideWithoutInvalidBytes(std::string_view text) {
    std::wstring wide = Widen(text);
    std::erase(wide, L'\xFFFD');
    return wide;
}

// A 32-bit bitmap selected into a memory device context, for one text's cell.
class CellBitmap {
public:
    CellBitmap(HDC dc, int width, int height) : dc_(dc) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap_)
            throw EFontError("GDI could not make a bitmap for text");
        bits_ = static_cast<const std::uint32_t*>(bits);
        previous_ = ::SelectObject(dc, bitmap_);
    }
    CellBitmap(const CellBitmap&) = delete;
    CellBitmap& operator=(const CellBitmap&) = delete;
    ~CellBitmap() {
        ::SelectObject(dc_, previous_);
        ::DeleteObject(bitmap_);
    }
    const std::uint32_t* Bits() const { return bits_; }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    const std::uint32_t* bits_ = nullptr;
};

} // namespace

struct TextRenderer::Impl {
    using FontKey = std::tuple<std::string, int, bool>;

    std::mutex Mutex;
    HDC Dc = ::CreateCompatibleDC(nullptr);
    std::map<FontKey, HFONT> Fonts;

    ~Impl() {
        ::DeleteDC(Dc); // first: a font still selected into it cannot be deleted
        for (const auto& [key, font] : Fonts)
            ::DeleteObject(font);
    }

    // Selects the font into the device context.
    void Select(const Font& font) {
        const FontKey key{font.Name, PixelHeight(font.Height), font.Bold};
        auto found = Fonts.find(key);
        if (found == Fonts.end())
            found = Fonts.emplace(key, Create(font)).first;
        ::SelectObject(Dc, found->second);
    }

    HFONT Create(const Font& font) {
        HFONT handle = CreateFace(TextFace(font.Name), PixelHeight(font.Height), font.Bold);
        if (!handle)
            throw EFontNotFound(font.Name);
        return handle;
    }

    TextSize Extent(const std::wstring& text) {
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(Dc, &metrics);
        SIZE size{};
        if (!text.empty())
            ::GetTextExtentPoint32W(Dc, text.c_str(), static_cast<int>(text.size()), &size);
        return {static_cast<int>(size.cx), static_cast<int>(metrics.tmHeight)};
    }
};

TextRenderer::TextRenderer() : impl_(std::make_unique<Impl>()) {
    if (!impl_->Dc)
        throw EFontError("GDI gave no device context for text");
}

TextRenderer::~TextRenderer() = default;

TextRenderer& TextRenderer::Instance() {
    static TextRenderer instance;
    return instance;
}

std::string TextRenderer::FontFilePath(bool bold) {
    std::lock_guard lock(impl_->Mutex);
    Font font;
    font.Bold = bold;
    impl_->Select(font);
    return Narrow(SelectedFace(impl_->Dc));
}

TextSize TextRenderer::TextExtent(const Font& font, std::string_view utf8Text) {
    std::lock_guard lock(impl_->Mutex);
    impl_->Select(font);
    return impl_->Extent(WideWithoutInvalidBytes(utf8Text));
}

void TextRenderer::Render(const Font& font, std::string_view utf8Text, int x, int y,
                          const std::function<void(int px, int py)>& plot) {
    const std::wstring text = WideWithoutInvalidBytes(utf8Text);
    std::vector<std::pair<int, int>> covered;
    {
        std::lock_guard lock(impl_->Mutex);
        impl_->Select(font);
        const TextSize cell = impl_->Extent(text);
        if (cell.Width <= 0 || cell.Height <= 0)
            return;
        const CellBitmap bitmap(impl_->Dc, cell.Width, cell.Height);
        ::SetBkMode(impl_->Dc, TRANSPARENT);
        ::SetTextColor(impl_->Dc, RGB(255, 255, 255));
        ::SetTextAlign(impl_->Dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
        ::TextOutW(impl_->Dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
        ::GdiFlush();
        const std::uint32_t* bits = bitmap.Bits();
        for (int row = 0; row < cell.Height; ++row)
            for (int column = 0; column < cell.Width; ++column)
                if (bits[static_cast<std::size_t>(row) * cell.Width + column] & 0xFFFFFF)
                    covered.emplace_back(column, row);
    }
    // Plotted without the lock, so plot may draw text too.
    for (const auto& [column, row] : covered)
        plot(x + column, y + row);
}

} // namespace dd
