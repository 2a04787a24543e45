#pragma once
// The imaging component as the platform layer calls it: CoCreateInstance of
// the imaging factory, decoding a buffer and reading its pixels as 32-bit
// ARGB rows. PNG (palette transparency becomes per-pixel alpha) and JPEG are
// decoded; anything else, or a damaged picture, is refused with E_INVALIDARG.

#include <cstring>

#include "wince/types.h"
#include "wince/user.h"

typedef uint32_t ULONG;

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef GUID CLSID;
typedef GUID IID;
inline bool operator==(const GUID& a, const GUID& b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

inline constexpr CLSID CLSID_ImagingFactory = {0x327ABDA8, 0x072B, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr IID IID_IImagingFactory = {0x327ABDA7, 0x072B, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

#define CLSCTX_INPROC_SERVER 0x1u
#define E_NOINTERFACE static_cast<HRESULT>(0x80004002u)
#define REGDB_E_CLASSNOTREG static_cast<HRESULT>(0x80040154u)
#define E_FAIL static_cast<HRESULT>(0x80004005u)

typedef int32_t PixelFormat;
#define PixelFormat32bppARGB 0x0026200A

enum BufferDisposalFlag { BufferDisposalFlagNone = 0 };
enum InterpolationHint { InterpolationHintDefault = 0 };
enum ImageLockMode { ImageLockModeRead = 1, ImageLockModeWrite = 2 };

struct ImageInfo {
    GUID RawDataFormat;
    int32_t PixelFormat;
    UINT Width;
    UINT Height;
    UINT TileWidth;
    UINT TileHeight;
    double Xdpi;
    double Ydpi;
    UINT Flags;
};

struct BitmapData {
    UINT Width;
    UINT Height;
    LONG Stride;
    int32_t PixelFormat;
    void* Scan0;
    UINT_PTR Reserved;
};

struct IUnknown {
    virtual HRESULT QueryInterface(const IID& iid, void** out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

struct IImage : IUnknown {
    virtual HRESULT GetImageInfo(ImageInfo* info) = 0;

protected:
    ~IImage() = default;
};

struct IBitmapImage : IUnknown {
    virtual HRESULT GetSize(UINT* width, UINT* height) = 0;
    // Only the whole-pixel ARGB format and read mode.
    virtual HRESULT LockBits(const RECT* rect, UINT flags, PixelFormat format, BitmapData* data) = 0;
    virtual HRESULT UnlockBits(const BitmapData* data) = 0;

protected:
    ~IBitmapImage() = default;
};

struct IImagingFactory : IUnknown {
    virtual HRESULT CreateImageFromBuffer(const void* buffer, UINT size, BufferDisposalFlag disposal,
                                          IImage** image) = 0;
    // Width and height 0 keep the image's size; only PixelFormat32bppARGB.
    virtual HRESULT CreateBitmapFromImage(IImage* image, UINT width, UINT height, PixelFormat format,
                                          InterpolationHint hint, IBitmapImage** bitmap) = 0;

protected:
    ~IImagingFactory() = default;
};

// Only the imaging factory, in-process.
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD context, const IID& iid, void** out);
