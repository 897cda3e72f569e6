#include "ui/ImageBitmap.h"

#include <vector>

#include "platform/win32/Win32Platform.h"

namespace seamster::ui {
namespace {

// Rows of a 24-bit bitmap are padded to whole 32-bit words.
size_t strideOf(int width) { return (size_t(width) * 3 + 3) & ~size_t(3); }

// Top-down, so row y of the bitmap is row y of the image.
BITMAPINFO topDown24(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A memory device context with a bitmap selected, released in reverse order.
class BitmapCanvas {
public:
    explicit BitmapCanvas(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_) previous_ = SelectObject(dc_, bitmap);
    }
    ~BitmapCanvas() {
        if (!dc_) return;
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    BitmapCanvas(const BitmapCanvas&) = delete;
    BitmapCanvas& operator=(const BitmapCanvas&) = delete;

    bool valid() const { return dc_ && previous_ && previous_ != HGDI_ERROR; }
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace

BitmapHandle bitmapFromImage(const Image& image) {
    if (image.empty()) return BitmapHandle();
    const BITMAPINFO info = topDown24(image.width(), image.height());
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return BitmapHandle();
    const size_t stride = strideOf(image.width());
    auto* out = static_cast<uint8_t*>(bits);
    for (int y = 0; y < image.height(); ++y, out += stride) {
        const uint8_t* in = image.row(y);
        uint8_t* p = out;
        for (int x = 0; x < image.width(); ++x, in += 3, p += 3) {
            p[0] = in[2];
            p[1] = in[1];
            p[2] = in[0];
        }
    }
    return bitmap;
}

std::optional<Image> imageFromBitmap(HBITMAP bitmap) {
    BITMAP shape = {};
    if (!bitmap || GetObjectW(bitmap, sizeof(shape), &shape) == 0) return std::nullopt;
    auto image = Image::create(shape.bmWidth, shape.bmHeight);
    if (!image) return std::nullopt;
    BITMAPINFO info = topDown24(shape.bmWidth, shape.bmHeight);
    std::vector<uint8_t> rows(strideOf(shape.bmWidth) * size_t(shape.bmHeight));
    const int read = GetDIBits(WindowDc(nullptr).get(), bitmap, 0, UINT(shape.bmHeight),
                               rows.data(), &info, DIB_RGB_COLORS);
    if (read != shape.bmHeight) return std::nullopt;
    const uint8_t* in = rows.data();
    for (int y = 0; y < image->height(); ++y, in += strideOf(shape.bmWidth)) {
        uint8_t* out = image->row(y);
        for (int x = 0; x < image->width(); ++x) {
            out[3 * x] = in[3 * x + 2];
            out[3 * x + 1] = in[3 * x + 1];
            out[3 * x + 2] = in[3 * x];
        }
    }
    return image;
}

bool drawTextOnBitmap(HBITMAP bitmap, const std::string& text, HFONT font, int x, int y,
                      Colour colour) {
    BitmapCanvas canvas(bitmap);
    if (!canvas.valid()) return false;
    HGDIOBJ previousFont = font ? SelectObject(canvas.dc(), font) : nullptr;
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), colour);
    const std::wstring wide = widen(text);
    const bool drawn = TextOutW(canvas.dc(), x, y, wide.c_str(), int(wide.size())) != FALSE;
    if (previousFont) SelectObject(canvas.dc(), previousFont);
    // The pixels of a section are read directly; make sure GDI has finished.
    GdiFlush();
    return drawn;
}

}  // namespace seamster::ui
