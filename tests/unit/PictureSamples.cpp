#include "PictureSamples.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <png.h>

namespace seamster::samples {

std::string infoHeader(int32_t width, int32_t height, uint32_t bits, uint32_t compression,
                       uint32_t coloursUsed, uint32_t headerSize, const uint32_t (&masks)[4]) {
    Bytes b;
    b.u32(headerSize).u32(uint32_t(width)).u32(uint32_t(height)).u16(1).u16(bits);
    b.u32(compression).u32(0).u32(2835).u32(2835).u32(coloursUsed).u32(0);
    if (headerSize >= 52) b.u32(masks[0]).u32(masks[1]).u32(masks[2]);
    if (headerSize >= 56) b.u32(masks[3]);
    if (headerSize > b.size()) b.zeros(headerSize - b.size());
    return b.data;
}

std::string bmpFile(const std::string& header, const std::string& extra, const std::string& pixels,
                    int64_t pixelOffset) {
    const size_t offset =
        pixelOffset >= 0 ? size_t(pixelOffset) : 14 + header.size() + extra.size();
    Bytes b;
    b.raw("BM")
        .u32(uint32_t(14 + header.size() + extra.size() + pixels.size()))
        .u32(0)
        .u32(uint32_t(offset));
    b.raw(header).raw(extra).raw(pixels);
    return b.data;
}

std::string row24(const std::vector<Rgb>& pixels) {
    Bytes b;
    for (Rgb c : pixels) b.bgr(c);
    while (b.size() % 4) b.u8(0);
    return b.data;
}

std::string icoFile(const std::vector<IcoEntry>& entries) {
    Bytes b;
    b.u16(0).u16(1).u16(uint32_t(entries.size()));
    size_t offset = 6 + 16 * entries.size();
    for (const IcoEntry& e : entries) {
        b.u8(uint32_t(e.directoryWidth)).u8(uint32_t(e.directoryHeight)).u8(0).u8(0);
        b.u16(1).u16(uint32_t(e.directoryBits)).u32(uint32_t(e.data.size())).u32(uint32_t(offset));
        offset += e.data.size();
    }
    for (const IcoEntry& e : entries) b.raw(e.data);
    return b.data;
}

std::string icoBitmap(const Image& colours, const std::vector<bool>& transparent, int bits,
                      const std::vector<uint8_t>& alpha) {
    const int w = colours.width(), h = colours.height();
    Bytes b;
    b.raw(infoHeader(w, h * 2, uint32_t(bits)));
    for (int y = h - 1; y >= 0; --y) {
        Bytes row;
        for (int x = 0; x < w; ++x) {
            row.bgr(colours.pixel(x, y));
            if (bits == 32) row.u8(alpha.empty() ? 0 : alpha[size_t(y * w + x)]);
        }
        while (row.size() % 4) row.u8(0);
        b.raw(row.data);
    }
    for (int y = h - 1; y >= 0; --y) {
        std::string row(size_t((w + 31) / 32 * 4), '\0');
        for (int x = 0; x < w; ++x) {
            if (transparent[size_t(y * w + x)]) {
                row[size_t(x / 8)] = char(row[size_t(x / 8)] | (0x80 >> (x % 8)));
            }
        }
        b.raw(row);
    }
    return b.data;
}

namespace {

int channelsOf(int colourType) {
    switch (colourType) {
    case 0: return 1;
    case 2: return 3;
    case 3: return 1;
    case 4: return 2;
    default: return 4;
    }
}

void appendToString(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void abortOnError(png_structp, png_const_charp message) {
    std::fprintf(stderr, "test PNG encoder: %s\n", message);
    std::abort();
}

std::vector<std::vector<png_byte>> packRows(const PngRecipe& recipe) {
    const int channels = channelsOf(recipe.colourType);
    const size_t perRow = size_t(recipe.width) * size_t(channels);
    std::vector<std::vector<png_byte>> rows(size_t(recipe.height));
    for (int y = 0; y < recipe.height; ++y) {
        auto& row = rows[size_t(y)];
        row.assign((perRow * size_t(recipe.bitDepth) + 7) / 8, 0);
        for (size_t i = 0; i < perRow; ++i) {
            const uint16_t v = recipe.samples[size_t(y) * perRow + i];
            if (recipe.bitDepth == 16) {
                row[i * 2] = png_byte(v >> 8);
                row[i * 2 + 1] = png_byte(v & 0xFF);
            } else if (recipe.bitDepth == 8) {
                row[i] = png_byte(v);
            } else {
                const size_t bit = i * size_t(recipe.bitDepth);
                row[bit / 8] = png_byte(row[bit / 8] | (v << (8 - recipe.bitDepth - bit % 8)));
            }
        }
    }
    return rows;
}

}  // namespace

std::string makePng(const PngRecipe& recipe) {
    std::string out;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, abortOnError, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendToString, nullptr);
    png_set_IHDR(png, info, png_uint_32(recipe.width), png_uint_32(recipe.height), recipe.bitDepth,
                 recipe.colourType, recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (Rgb c : recipe.palette) palette.push_back({c.r, c.g, c.b});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
    png_color_16 colour{};
    if (!recipe.paletteAlpha.empty()) {
        png_set_tRNS(png, info, recipe.paletteAlpha.data(), int(recipe.paletteAlpha.size()),
                     nullptr);
    } else if (recipe.transparentGrey >= 0) {
        colour.gray = png_uint_16(recipe.transparentGrey);
        png_set_tRNS(png, info, nullptr, 0, &colour);
    } else if (recipe.hasTransparentRgb) {
        colour.red = recipe.transparentRgb.r, colour.green = recipe.transparentRgb.g,
        colour.blue = recipe.transparentRgb.b;
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    auto rows = packRows(recipe);
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_write_info(png, info);
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string makeJpeg(const Image& image, const JpegOptions& options) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    const bool cmyk = options.storedK >= 0;
    const int components = options.grey ? 1 : cmyk ? 4 : 3;
    cinfo.input_components = components;
    cinfo.in_color_space = options.grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (!options.subsampled) {
        for (int c = 0; c < components; ++c) {
            cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
        }
    }
    cinfo.restart_interval = JDIMENSION(options.restartInterval);
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(image.width()) * size_t(components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint8_t* p = image.row(int(cinfo.next_scanline));
        for (int x = 0; x < image.width(); ++x) {
            for (int c = 0; c < components; ++c) {
                row[size_t(x * components + c)] = c < 3 ? p[x * 3 + c] : uint8_t(options.storedK);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

std::string makeJpeg(const Image& image, JpegKind kind, uint8_t storedK) {
    switch (kind) {
    case JpegKind::rgb: return makeJpeg(image);
    case JpegKind::progressive: return makeJpeg(image, {.progressive = true});
    case JpegKind::grey: return makeJpeg(image, {.grey = true});
    case JpegKind::adobeCmyk: return makeJpeg(image, {.storedK = storedK});
    case JpegKind::cameraLike: return makeJpeg(image, {.subsampled = true, .restartInterval = 1});
    }
    return {};
}

Image blockPicture(int width, int height) {
    static const Rgb colours[] = {{255, 0, 0},     {0, 255, 0}, {0, 0, 255},
                                  {255, 255, 255}, {0, 0, 0},   {128, 128, 128}};
    Image image = *Image::create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, colours[size_t((x / 8 + y / 8 * 3) % 6)]);
        }
    }
    return image;
}

}  // namespace seamster::samples
