#pragma once
// Test pictures built in memory: bitmap and icon bytes written by hand, PNG
// and JPEG bytes made with the libraries' own encoders.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Image.h"

namespace seamster::samples {

// Little-endian byte writer.
struct Bytes {
    std::string data;
    Bytes& u8(uint32_t v) {
        data.push_back(char(v & 0xFF));
        return *this;
    }
    Bytes& u16(uint32_t v) { return u8(v).u8(v >> 8); }
    Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& raw(const std::string& s) {
        data += s;
        return *this;
    }
    Bytes& zeros(size_t n) {
        data.append(n, '\0');
        return *this;
    }
    Bytes& bgr(Rgb c) { return u8(c.b).u8(c.g).u8(c.r); }
    Bytes& bgra(Rgb c, uint32_t a = 0) { return bgr(c).u8(a); }
    size_t size() const { return data.size(); }
};

// A 40-byte info header (or larger, with masks inside, for V4/V5 sizes).
std::string infoHeader(int32_t width, int32_t height, uint32_t bits, uint32_t compression = 0,
                       uint32_t coloursUsed = 0, uint32_t headerSize = 40,
                       const uint32_t (&masks)[4] = {0, 0, 0, 0});

// "BM" file: file header + info header + extra (masks, palette) + pixels; the
// pixel offset is computed unless given.
std::string bmpFile(const std::string& header, const std::string& extra, const std::string& pixels,
                    int64_t pixelOffset = -1);

// A row of 24-bit pixels, padded to four bytes.
std::string row24(const std::vector<Rgb>& pixels);

struct IcoEntry {
    int directoryWidth = 0;  // as the directory states it (0 means 256)
    int directoryHeight = 0;
    int directoryBits = 0;
    std::string data;
};
std::string icoFile(const std::vector<IcoEntry>& entries);

// An icon image in bitmap form: colour pixels (top-down input, stored bottom-up
// at 24 or 32 bits) and a transparency mask (true = transparent).
std::string icoBitmap(const Image& colours, const std::vector<bool>& transparent, int bits,
                      const std::vector<uint8_t>& alpha = {});

struct PngRecipe {
    int width = 0;
    int height = 0;
    int colourType = 2;  // PNG colour type
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<uint16_t> samples;  // row-major, channels per colour type, one value each
    std::vector<Rgb> palette;
    std::vector<uint8_t> paletteAlpha;  // tRNS for palette pictures
    int transparentGrey = -1;           // tRNS for grey pictures
    Rgb transparentRgb{};               // tRNS for RGB pictures, with hasTransparentRgb
    bool hasTransparentRgb = false;
};
std::string makePng(const PngRecipe& recipe);

// How a JPEG is written: by default as a plain colour JPEG at top quality
// without chroma subsampling.
struct JpegOptions {
    bool grey = false;
    bool subsampled = false;  // 2 x 2 chroma, as cameras write
    int quality = 100;
    int restartInterval = 0;  // in MCUs
    bool progressive = false;
    int storedK = -1;  // 0-255: CMYK (Adobe, inverted), the pixels read as C, M, Y
};
std::string makeJpeg(const Image& image, const JpegOptions& options = {});

enum class JpegKind { rgb, progressive, grey, adobeCmyk, cameraLike };
// The kinds the tests use most: cameraLike has 2 x 2 chroma subsampling and a
// restart marker after every MCU; for adobeCmyk, storedK is the K.
std::string makeJpeg(const Image& image, JpegKind kind, uint8_t storedK = 255);

// An image of 8 x 8 blocks in a few strong colours: lossy codecs keep flat
// blocks nearly exact.
Image blockPicture(int width, int height);

}  // namespace seamster::samples
