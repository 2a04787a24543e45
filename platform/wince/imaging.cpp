// The imaging component: an in-process imaging factory that decodes PNG
// (libpng) and JPEG (libjpeg) into 32-bit ARGB rows. A palette chunk whose
// CRC is stale (a palette swapped in memory) still decodes; any other damage
// refuses the buffer with E_INVALIDARG.

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>
#include <mutex>
#include <cstdio>
#include <new>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "wince/imaging.h"

namespace {

// Pictures above this many pixels are refused rather than decoded.
constexpr uint64_t kMaxPixels = 1u << 24;
constexpr uint32_t kMaxSide = 16384;
// libjpeg's own memory: a progressive picture's coefficients (two bytes for
// each pixel of each of three components) at the largest size, and room for
// its tables and rows. Beyond it libjpeg would need a backing store, which
// it does not have, and fails.
constexpr long kMaxJpegMemory = static_cast<long>(kMaxPixels * 3 * sizeof(JCOEF) + (16u << 20));

bool withinLimits(uint32_t width, uint32_t height)
{
    return width <= kMaxSide && height <= kMaxSide && static_cast<uint64_t>(width) * height <= kMaxPixels;
}

struct Decoded {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> argb;  // row after row, 0xAARRGGBB
};

uint32_t readBig32(const uint8_t* p)
{
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// A copy of the PNG with the CRC of each palette chunk made right; empty
// when no palette CRC needed it.
std::vector<uint8_t> withPaletteCrcs(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> fixed;
    size_t at = 8;
    while (at + 12 <= size) {
        uint32_t length = readBig32(data + at);
        if (length > size - at - 12) {
            break;
        }
        const uint8_t* type = data + at + 4;
        if (std::memcmp(type, "PLTE", 4) == 0) {
            uint32_t crc = static_cast<uint32_t>(crc32(0, type, length + 4));
            if (crc != readBig32(type + 4 + length)) {
                if (fixed.empty()) {
                    fixed.assign(data, data + size);
                }
                uint8_t* p = fixed.data() + at + 8 + length;
                p[0] = static_cast<uint8_t>(crc >> 24);
                p[1] = static_cast<uint8_t>(crc >> 16);
                p[2] = static_cast<uint8_t>(crc >> 8);
                p[3] = static_cast<uint8_t>(crc);
            }
        }
        at += 12 + static_cast<size_t>(length);
    }
    return fixed;
}

struct PngSource {
    const uint8_t* data;
    size_t size;
    size_t at;
};

void pngRead(png_structp png, png_bytep out, png_size_t count)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->size - source->at) {
        png_error(png, "truncated");
    }
    std::memcpy(out, source->data + source->at, count);
    source->at += count;
}

void pngWarning(png_structp, png_const_charp) {}

// Quiet: a refused picture is reported by status, not on the console.
void pngFail(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

// Decodes into out (rows and pixels sized before any longjmp can happen past
// them); false for anything libpng rejects.
bool decodePng(const uint8_t* data, size_t size, Decoded& out, std::vector<png_bytep>& rows)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngFail, pngWarning);
    if (!png) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    PngSource source{data, size, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_set_read_fn(png, &source, pngRead);
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    if (!withinLimits(width, height)) {
        png_error(png, "too large");
    }
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) {
        png_error(png, "unexpected layout");
    }
    out.width = width;
    out.height = height;
    out.argb.resize(static_cast<size_t>(width) * height);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        rows[y] = reinterpret_cast<png_bytep>(out.argb.data() + static_cast<size_t>(y) * width);
    }
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

struct JpegError {
    jpeg_error_mgr manager;
    jmp_buf jump;
};

void jpegFail(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void jpegMessage(j_common_ptr) {}

// Each scan of a progressive file passes over the whole picture: a small
// file repeating its scans would keep the decoder busy for minutes.
constexpr int kMaxJpegScans = 100;

void jpegProgress(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans) {
        jpegFail(info);
    }
}

bool decodeJpeg(const uint8_t* data, size_t size, Decoded& out, std::vector<uint8_t>& line)
{
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFail;
    error.manager.output_message = jpegMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxJpegMemory;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = jpegProgress;
    info.progress = &progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    // The declared size is refused before jpeg_start_decompress, which for a
    // progressive file allocates the coefficients of the whole picture.
    if ((info.num_components != 1 && info.num_components != 3) || !withinLimits(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || !withinLimits(info.output_width, info.output_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out.width = info.output_width;
    out.height = info.output_height;
    out.argb.resize(static_cast<size_t>(out.width) * out.height);
    line.resize(static_cast<size_t>(out.width) * 3);
    while (info.output_scanline < info.output_height) {
        uint32_t y = info.output_scanline;
        JSAMPROW row = line.data();
        jpeg_read_scanlines(&info, &row, 1);
        uint32_t* dst = out.argb.data() + static_cast<size_t>(y) * out.width;
        for (uint32_t x = 0; x < out.width; ++x) {
            dst[x] = 0xFF000000u | (uint32_t{line[x * 3]} << 16) | (uint32_t{line[x * 3 + 1]} << 8) | line[x * 3 + 2];
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// One reference count for every object here.
template <typename Interface>
class Counted : public Interface {
public:
    HRESULT QueryInterface(const IID&, void** out) override
    {
        if (out) {
            *out = nullptr;
        }
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++count_; }
    ULONG Release() override
    {
        ULONG left = --count_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~Counted() = default;

private:
    ULONG count_ = 1;
};

class DecodedImage final : public Counted<IImage> {
public:
    explicit DecodedImage(Decoded&& d) : decoded(std::move(d)) {}
    HRESULT GetImageInfo(ImageInfo* info) override
    {
        if (!info) {
            return E_INVALIDARG;
        }
        *info = ImageInfo{};
        info->PixelFormat = PixelFormat32bppARGB;
        info->Width = decoded.width;
        info->Height = decoded.height;
        info->Xdpi = info->Ydpi = 96.0;
        return S_OK;
    }
    Decoded decoded;
};

class ArgbBitmap final : public Counted<IBitmapImage> {
public:
    explicit ArgbBitmap(const Decoded& d) : pixels_(d) {}
    HRESULT GetSize(UINT* width, UINT* height) override
    {
        if (!width || !height) {
            return E_INVALIDARG;
        }
        *width = pixels_.width;
        *height = pixels_.height;
        return S_OK;
    }
    HRESULT LockBits(const RECT* rect, UINT flags, PixelFormat format, BitmapData* data) override
    {
        if (!data || format != PixelFormat32bppARGB || flags != ImageLockModeRead || locked_) {
            return E_INVALIDARG;
        }
        RECT whole{0, 0, static_cast<LONG>(pixels_.width), static_cast<LONG>(pixels_.height)};
        const RECT& r = rect ? *rect : whole;
        if (r.left < 0 || r.top < 0 || r.right > whole.right || r.bottom > whole.bottom || r.left >= r.right ||
            r.top >= r.bottom) {
            return E_INVALIDARG;
        }
        data->Width = static_cast<UINT>(r.right - r.left);
        data->Height = static_cast<UINT>(r.bottom - r.top);
        data->Stride = static_cast<LONG>(pixels_.width * 4);
        data->PixelFormat = PixelFormat32bppARGB;
        data->Scan0 = pixels_.argb.data() + static_cast<size_t>(r.top) * pixels_.width + r.left;
        data->Reserved = 0;
        locked_ = true;
        return S_OK;
    }
    HRESULT UnlockBits(const BitmapData* data) override
    {
        if (!data || !locked_) {
            return E_INVALIDARG;
        }
        locked_ = false;
        return S_OK;
    }

private:
    Decoded pixels_;
    bool locked_ = false;
};

class Factory final : public Counted<IImagingFactory> {
public:
    HRESULT CreateImageFromBuffer(const void* buffer, UINT size, BufferDisposalFlag, IImage** image) override
    {
        if (!image) {
            return E_INVALIDARG;
        }
        *image = nullptr;
        if (!buffer || size < 8) {
            return E_INVALIDARG;
        }
        const auto* data = static_cast<const uint8_t*>(buffer);
        Decoded decoded;
        bool ok = false;
        try {
            if (png_sig_cmp(data, 0, 8) == 0) {
                std::vector<uint8_t> fixed = withPaletteCrcs(data, size);
                std::vector<png_bytep> rows;
                ok = fixed.empty() ? decodePng(data, size, decoded, rows)
                                   : decodePng(fixed.data(), fixed.size(), decoded, rows);
            } else if (data[0] == 0xFF && data[1] == 0xD8) {
                std::vector<uint8_t> line;
                ok = decodeJpeg(data, size, decoded, line);
            }
            if (!ok) {
                return E_INVALIDARG;
            }
            *image = new DecodedImage(std::move(decoded));
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        return S_OK;
    }

    HRESULT CreateBitmapFromImage(IImage* image, UINT width, UINT height, PixelFormat format, InterpolationHint,
                                  IBitmapImage** bitmap) override
    {
        if (!bitmap) {
            return E_INVALIDARG;
        }
        *bitmap = nullptr;
        auto* decoded = dynamic_cast<DecodedImage*>(image);
        if (!decoded || format != PixelFormat32bppARGB) {
            return E_INVALIDARG;
        }
        if ((width != 0 && width != decoded->decoded.width) || (height != 0 && height != decoded->decoded.height)) {
            static std::once_flag logged;
            std::call_once(logged, [] { std::fprintf(stderr, "CreateBitmapFromImage: no scaling\n"); });
            return E_INVALIDARG;
        }
        try {
            *bitmap = new ArgbBitmap(decoded->decoded);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        return S_OK;
    }
};

}  // namespace

// ---- CoCreateInstance: the imaging factory only -----------------------------
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD context, const IID& iid, void** out)
{
    if (!out) {
        return E_INVALIDARG;
    }
    *out = nullptr;
    if (!(clsid == CLSID_ImagingFactory) || outer || !(context & CLSCTX_INPROC_SERVER)) {
        return REGDB_E_CLASSNOTREG;
    }
    if (!(iid == IID_IImagingFactory)) {
        return E_NOINTERFACE;
    }
    IImagingFactory* factory = new (std::nothrow) Factory;
    if (!factory) {
        return E_OUTOFMEMORY;
    }
    *out = factory;
    return S_OK;
}
