#pragma once
// The portable picture every decoder produces and every fitting mode and
// writer works on. Pixels are 24-bit, stored as top-down rows of R, G, B bytes
// with no padding between rows, so pixel (x, y) starts at 3 * (y * width + x).
// All arithmetic on pixels is integer, so results are identical on every
// compiler and platform.

#include <cstdint>
#include <optional>
#include <vector>

namespace seamster {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A colour value as the system's colour requester gives it: red in bits 0-7,
// green in bits 8-15, blue in bits 16-23.
Rgb rgbFromColorValue(uint32_t value);
uint32_t colorValueOf(Rgb colour);

class Image {
public:
    // Pictures beyond these bounds are refused before anything is allocated:
    // 64 megapixels already take 192 MB as 24-bit pixels. The fuzzing build
    // sets a smaller bound, since a few bytes of run-length data or a
    // progressive JPEG header may rightly claim the largest picture, and
    // clearing 192 MB on every such input would leave little time for the rest.
#ifdef SEAMSTER_FUZZ_MAX_PIXELS
    static constexpr int64_t maxPixels = SEAMSTER_FUZZ_MAX_PIXELS;
#else
    static constexpr int64_t maxPixels = int64_t{64} << 20;
#endif
    static constexpr int64_t maxDimension = 32768;

    // True when a width x height picture may be created.
    static bool sizeAllowed(int64_t width, int64_t height);

    // A new image filled with `fill` (black unless told), or nothing when the
    // size is not allowed or memory runs out. Never throws.
    static std::optional<Image> create(int width, int height, Rgb fill = {});

    // An empty 0 x 0 image; create() is the way to get pixels.
    Image() = default;

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    Rgb pixel(int x, int y) const;
    void setPixel(int x, int y, Rgb colour);
    uint8_t* row(int y) { return pixels_.data() + rowOffset(y); }
    const uint8_t* row(int y) const { return pixels_.data() + rowOffset(y); }
    const std::vector<uint8_t>& bytes() const { return pixels_; }

    void fill(Rgb colour);

    // Copies `source` with its top-left corner at (x, y); what falls outside
    // this image is cut.
    void draw(const Image& source, int x, int y);

    // The width x height region whose top-left corner is (x, y); parts that
    // lie outside this image come out black. Nothing when the size is not
    // allowed.
    std::optional<Image> region(int x, int y, int width, int height) const;

    friend bool operator==(const Image&, const Image&) = default;

private:
    void drawAt(const Image& source, int64_t x, int64_t y);
    size_t rowOffset(int y) const { return size_t(y) * size_t(width_) * 3; }

    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;
};

}  // namespace seamster
