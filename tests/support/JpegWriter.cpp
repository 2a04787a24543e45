#include "support/JpegWriter.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace vxtest {

std::string jpegRgb(int width, int height, const std::vector<uint32_t>& rgb, int quality,
                    bool progressive)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            uint32_t p = rgb[static_cast<size_t>(info.next_scanline) * width + x];
            row[x * 3] = static_cast<unsigned char>(p >> 16);
            row[x * 3 + 1] = static_cast<unsigned char>(p >> 8);
            row[x * 3 + 2] = static_cast<unsigned char>(p);
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

}  // namespace vxtest
