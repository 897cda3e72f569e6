// PNG pictures through libpng. libpng reports errors by jumping back to the
// point its jump buffer names; that point is set in one function that holds
// no C++ objects with destructors, while the buffers being filled live in the
// caller's PngJob.
//
// Every colour type and depth is turned into 8-bit RGBA rows by libpng
// (palettes and grey expanded, transparency chunks made alpha, 16-bit
// samples scaled), and the rows are then laid over black.

#include <cstring>
#include <new>

#include <png.h>

#include "images/DecoderSupport.h"
#include "images/PictureDecoder.h"

namespace seamster {
namespace {

constexpr png_alloc_size_t maxChunkBytes = 64u << 20;

struct PngJob {
    std::string_view bytes;
    size_t position = 0;
    std::optional<Image> image;
    bool alpha = false;  // rows come as RGBA and are laid over black; else as the image's RGB
    std::vector<uint8_t> rgba;         // one row, or every row of an interlaced picture
    std::vector<png_bytep> rowStarts;  // where each row is read to
    char message[128] = {};

    bool prepare(int width, int height, bool wholePicture) noexcept {
        image = Image::create(width, height);
        if (!image) return false;
        try {
            rowStarts.resize(wholePicture ? size_t(height) : 1);
            const size_t rowBytes = size_t(width) * 4;
            if (alpha) rgba.resize(rowBytes * rowStarts.size());
            for (size_t y = 0; y < rowStarts.size(); ++y)
                rowStarts[y] = alpha ? rgba.data() + y * rowBytes : image->row(int(y));
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }

    void compose(int y, const png_byte* in) noexcept {
        uint8_t* out = image->row(y);
        for (int x = 0; x < image->width(); ++x, in += 4, out += 3) {
            const unsigned alpha = in[3];
            for (int c = 0; c < 3; ++c) out[c] = decoding::timesOver255(in[c], alpha);
        }
    }
};

void onError(png_structp png, png_const_charp message) {
    auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
    std::strncpy(job->message, message, sizeof job->message - 1);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep out, size_t count) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (job->bytes.size() - job->position < count) png_error(png, "PNG data cut short");
    std::memcpy(out, job->bytes.data() + job->position, count);
    job->position += count;
}

// Asks libpng for 8-bit RGB rows, or RGBA ones where the file has
// transparency; true for RGBA.
bool requestRgbOrRgba(png_structp png, png_infop info) {
    const int colourType = png_get_color_type(png, info);
    png_set_expand(png);
    if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    return (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
}

void readRows(png_structp png, PngJob& job, int passes) {
    const int height = job.image->height();
    if (passes == 1) {
        for (int y = 0; y < height; ++y) {
            const png_bytep row = job.alpha ? job.rowStarts[0] : job.image->row(y);
            png_read_row(png, row, nullptr);
            if (job.alpha) job.compose(y, row);
        }
        return;
    }
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < height; ++y) png_read_row(png, job.rowStarts[size_t(y)], nullptr);
    }
    if (!job.alpha) return;
    for (int y = 0; y < height; ++y) job.compose(y, job.rowStarts[size_t(y)]);
}

// Holds no object with a destructor: libpng jumps back into it.
bool decodeWithLibrary(PngJob& job) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, onError, onWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &job, readBytes);
    png_set_user_limits(png, Image::maxDimension, Image::maxDimension);
    png_set_chunk_malloc_max(png, maxChunkBytes);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!Image::sizeAllowed(width, height)) png_error(png, "picture too large");
    job.alpha = requestRgbOrRgba(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * (job.alpha ? 4 : 3))
        png_error(png, "unexpected row layout");
    if (!job.prepare(int(width), int(height), passes > 1)) png_error(png, "out of memory");
    readRows(png, job, passes);
    // What follows the pixels (text, time, the end mark) is not needed.
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

bool looksLikePng(std::string_view bytes) {
    return bytes.size() >= 8 &&
           png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) == 0;
}

std::optional<Image> decodePng(std::string_view bytes, std::string* why) {
    if (!looksLikePng(bytes)) return decoding::refuse(why, "not a PNG file");
    PngJob job;
    job.bytes = bytes;
    if (!decodeWithLibrary(job) || !job.image) {
        if (why) *why = job.message[0] ? job.message : "PNG picture could not be read";
        return std::nullopt;
    }
    return std::move(job.image);
}

}  // namespace seamster
