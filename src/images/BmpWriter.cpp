#include "images/BmpWriter.h"

#include <new>

#include "images/DibReader.h"
#include "platform/FileSystem.h"

namespace seamster {
namespace {

constexpr uint32_t headersSize = 14 + 40;

void put16(std::string& out, uint32_t value) {
    out.push_back(char(value & 0xFF));
    out.push_back(char((value >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

uint32_t rowSize(int width) { return uint32_t(dib::rowStride(width, 24)); }

void putHeaders(std::string& out, const Image& image) {
    const uint32_t dataSize = rowSize(image.width()) * uint32_t(image.height());
    out += "BM";
    put32(out, headersSize + dataSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, headersSize);
    put32(out, 40);
    put32(out, uint32_t(image.width()));
    put32(out, uint32_t(image.height()));  // positive: bottom row first
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // no compression
    put32(out, dataSize);
    put32(out, 0);  // resolution unknown
    put32(out, 0);
    put32(out, 0);  // no colour table
    put32(out, 0);
}

}  // namespace

std::string encodeBmp24(const Image& image) {
    if (image.empty()) return {};
    const size_t row = rowSize(image.width());
    std::string out;
    out.reserve(headersSize + row * size_t(image.height()));
    putHeaders(out, image);
    // Rows bottom-up, each pixel as blue, green, red; the padding stays zero.
    out.resize(headersSize + row * size_t(image.height()), '\0');
    char* target = out.data() + headersSize;
    for (int y = image.height() - 1; y >= 0; --y, target += row) {
        const uint8_t* p = image.row(y);
        for (int x = 0; x < image.width(); ++x, p += 3) {
            target[3 * x] = char(p[2]);
            target[3 * x + 1] = char(p[1]);
            target[3 * x + 2] = char(p[0]);
        }
    }
    return out;
}

bool saveImageAsBmp(FileSystem& fs, const Image& image, const std::string& path) {
    if (image.empty() || path.empty()) return false;
    std::string bytes;
    try {
        bytes = encodeBmp24(image);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return writeFileSafely(fs, path, bytes);
}

}  // namespace seamster
