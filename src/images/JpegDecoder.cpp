// JPEG pictures through libjpeg. The library reports fatal errors by calling
// error_exit, which must not return; ours jumps back to the one function
// that set the jump point. That function and everything the jump crosses hold
// no C++ objects with destructors: the picture being filled lives in the
// caller's JpegJob, so nothing is skipped and nothing leaks.

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "images/DecoderSupport.h"
#include "images/PictureDecoder.h"

namespace seamster {
namespace {

// Progressive files may hold any number of scans; real ones use a dozen.
constexpr int maxScans = 1000;
constexpr long maxLibraryMemory = 1L << 30;

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

struct JpegJob {
    std::string_view bytes;
    int minWidth = 0;  // 0: decode at full size
    int minHeight = 0;
    int fullWidth = 0;
    int fullHeight = 0;
    std::optional<Image> image;
    char message[JMSG_LENGTH_MAX] = {};
};

void onError(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

// Warnings and traces would go to stderr; a picture that decodes with
// warnings (a file cut short, stray bytes) is still shown as far as it goes.
void onMessage(j_common_ptr) {}

void onProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > maxScans) {
        auto* job = static_cast<JpegJob*>(cinfo->client_data);
        std::strcpy(job->message, "too many scans");
        onError(cinfo);
    }
}

// The largest reduction (1/8, 1/4, 1/2) that keeps the output at least the
// requested size, or no reduction.
void chooseScale(j_decompress_ptr cinfo, int minWidth, int minHeight) {
    if (minWidth <= 0 && minHeight <= 0) return;
    const JDIMENSION needWidth =
        JDIMENSION(minWidth) < cinfo->image_width ? minWidth : cinfo->image_width;
    const JDIMENSION needHeight =
        JDIMENSION(minHeight) < cinfo->image_height ? minHeight : cinfo->image_height;
    for (unsigned denominator : {8u, 4u, 2u}) {
        cinfo->scale_num = 1;
        cinfo->scale_denom = denominator;
        jpeg_calc_output_dimensions(cinfo);
        if (cinfo->output_width >= needWidth && cinfo->output_height >= needHeight) return;
    }
    cinfo->scale_num = 1;
    cinfo->scale_denom = 1;
}

J_COLOR_SPACE outputSpaceFor(J_COLOR_SPACE stored) {
    if (stored == JCS_GRAYSCALE) return JCS_GRAYSCALE;
    if (stored == JCS_CMYK || stored == JCS_YCCK) return JCS_CMYK;
    return JCS_RGB;
}

void convertRow(const j_decompress_ptr cinfo, const JSAMPLE* in, uint8_t* out) {
    const JDIMENSION width = cinfo->output_width;
    if (cinfo->out_color_space == JCS_GRAYSCALE) {
        for (JDIMENSION x = 0; x < width; ++x) out[x * 3] = out[x * 3 + 1] = out[x * 3 + 2] = in[x];
    } else {
        // Adobe's files store CMYK inverted (0 is full ink), which is what
        // nearly every CMYK JPEG is; plain CMYK is the rare exception.
        const bool inverted = cinfo->saw_Adobe_marker;
        for (JDIMENSION x = 0; x < width; ++x) {
            const JSAMPLE* p = in + x * 4;
            const unsigned k = inverted ? p[3] : 255u - p[3];
            for (int c = 0; c < 3; ++c) {
                out[x * 3 + c] = decoding::timesOver255(inverted ? p[c] : 255u - p[c], k);
            }
        }
    }
}

bool allocateImage(JpegJob& job, int width, int height) noexcept {
    job.image = Image::create(width, height);
    return job.image.has_value();
}

bool readAllRows(j_decompress_ptr cinfo, JpegJob& job) {
    if (cinfo->out_color_space == JCS_RGB) {  // the image's own layout: straight in
        while (cinfo->output_scanline < cinfo->output_height) {
            JSAMPROW row = job.image->row(int(cinfo->output_scanline));
            if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return false;
        }
        return true;
    }
    const int components = cinfo->output_components;
    JSAMPARRAY buffer = cinfo->mem->alloc_sarray(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                 cinfo->output_width * JDIMENSION(components), 1);
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION y = cinfo->output_scanline;
        if (jpeg_read_scanlines(cinfo, buffer, 1) != 1) return false;
        convertRow(cinfo, buffer[0], job.image->row(int(y)));
    }
    return true;
}

// Holds no object with a destructor: onError jumps back into it.
bool decodeWithLibrary(JpegJob& job) {
    jpeg_decompress_struct cinfo;
    JpegErrorManager errors;
    jpeg_progress_mgr progress;
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = onMessage;
    if (setjmp(errors.jump)) {
        if (!job.message[0]) {
            errors.base.format_message(reinterpret_cast<j_common_ptr>(&cinfo), job.message);
        }
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.client_data = &job;
    cinfo.mem->max_memory_to_use = maxLibraryMemory;
    progress.progress_monitor = onProgress;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(job.bytes.data()),
                 static_cast<unsigned long>(job.bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    job.fullWidth = int(cinfo.image_width);
    job.fullHeight = int(cinfo.image_height);
    // Checked before the library allocates its buffers for the whole picture.
    bool ok = Image::sizeAllowed(cinfo.image_width, cinfo.image_height);
    if (ok) {
        cinfo.out_color_space = outputSpaceFor(cinfo.jpeg_color_space);
        chooseScale(&cinfo, job.minWidth, job.minHeight);
        jpeg_start_decompress(&cinfo);
        ok = allocateImage(job, int(cinfo.output_width), int(cinfo.output_height)) &&
             readAllRows(&cinfo, job);
        if (ok) jpeg_finish_decompress(&cinfo);
    } else {
        std::strcpy(job.message, "picture too large");
    }
    jpeg_destroy_decompress(&cinfo);
    return ok;
}

std::optional<DecodedPicture> runJob(std::string_view bytes, int minWidth, int minHeight,
                                     std::string* why) {
    if (!looksLikeJpeg(bytes)) return decoding::refuse(why, "not a JPEG file");
    JpegJob job;
    job.bytes = bytes;
    job.minWidth = minWidth;
    job.minHeight = minHeight;
    if (!decodeWithLibrary(job) || !job.image) {
        if (why) *why = job.message[0] ? job.message : "JPEG picture could not be read";
        return std::nullopt;
    }
    return DecodedPicture{std::move(*job.image), job.fullWidth, job.fullHeight};
}

}  // namespace

bool looksLikeJpeg(std::string_view bytes) {
    return bytes.size() >= 3 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xD8 &&
           uint8_t(bytes[2]) == 0xFF;
}

std::optional<Image> decodeJpeg(std::string_view bytes, std::string* why) {
    auto decoded = runJob(bytes, 0, 0, why);
    if (!decoded) return std::nullopt;
    return std::move(decoded->image);
}

std::optional<DecodedPicture> decodeJpegScaled(std::string_view bytes, int minWidth, int minHeight,
                                               std::string* why) {
    minWidth = minWidth < 1 ? 1 : minWidth;
    minHeight = minHeight < 1 ? 1 : minHeight;
    return runJob(bytes, minWidth, minHeight, why);
}

}  // namespace seamster
