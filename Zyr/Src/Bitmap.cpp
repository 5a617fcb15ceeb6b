#include "Bitmap.h"

#include "ReportPlaces.h"
#include "ZyrFailure.h"

namespace ZYR {

namespace {
HGDIOBJ LoadBitmapFile(const TObj::CUnicodeString& path)
{
    SetLastError(0);
    return LoadImageW(nullptr, path.W(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
}
} // namespace

void CBitmap::LoadFromFile(const TObj::CUnicodeString& path, const CFailurePlace& place)
{
    Create([&] { return LoadBitmapFile(path); }, place);
}

bool CBitmap::TryLoadFromFile(const TObj::CUnicodeString& path)
{
    return TryCreate([&] { return LoadBitmapFile(path); });
}

void CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height)
{
    Create([&] { return ::CreateCompatibleBitmap(dc, width, height); },
           Places::kCreateCompatibleBitmap);
}

void* CBitmap::CreateDIBSection(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Create([&] { return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0); },
           Places::kCreateDIBSection);
    return bits;
}

BITMAP CBitmap::GetBitmap() const
{
    BITMAP info{};
    ZYR_CHECK(::GetObjectW(Handle(), sizeof info, &info) != 0,Places::kGetBitmap);
    return info;
}

SIZE CBitmap::Size() const
{
    const BITMAP info = GetBitmap();
    return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

} // namespace ZYR
