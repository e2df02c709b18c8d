#include "devices/framewell/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace fw {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf back;
};

void OnError(j_common_ptr info)
{
    longjmp(reinterpret_cast<ErrorManager*>(info->err)->back, 1);
}

void OnMessage(j_common_ptr, int) {} // warnings of a damaged picture are not printed

} // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, Picture& out, int bytesPerPixel)
{
    if (!data || size < 4 || size > 0x7FFFFFFF)
        return false;
    jpeg_decompress_struct info;
    ErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = OnError;
    error.base.emit_message = OnMessage;
    // Nothing below may own resources that longjmp would skip: the pixels live in out.
    if (setjmp(error.back)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || info.image_width > unsigned(kMaxPictureSide) ||
        info.image_height > unsigned(kMaxPictureSide) || info.image_width == 0 || info.image_height == 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = bytesPerPixel == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    out.width = int(info.output_width);
    out.height = int(info.output_height);
    out.bytesPerPixel = bytesPerPixel == 4 ? 4 : 3;
    out.stride = (out.width * out.bytesPerPixel + 3) & ~3;
    out.pixels.resize(size_t(out.stride) * size_t(out.height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.pixels.data() + size_t(info.output_scanline) * size_t(out.stride);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace fw
