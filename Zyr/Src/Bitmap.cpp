#include "Bitmap.h"

#include "ZyrFailure.h"

namespace ZYR {

void CBitmap::LoadFromFile(const TObj::CUnicodeString& path, const CFailurePlace& place)
{
    if (!RequireEmpty())
        return;
    SetLastError(0);
    const HANDLE bitmap = LoadImageW(nullptr, path.W(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (bitmap == nullptr) {
        ReportFailedCall(place.function, place.expression, place.file, place.line);
        return;
    }
    Attach(bitmap);
}

void CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height)
{
    if (!RequireEmpty())
        return;
    const HBITMAP bitmap = ::CreateCompatibleBitmap(dc, width, height);
    ZYR_CHECK(bitmap != nullptr, u"ZYR::CBitmap::CreateCompatibleBitmap", u"bitmap != 0", u"gdiobjectzyr", 270);
    Attach(bitmap);
}

void* CBitmap::CreateDIBSection(int width, int height)
{
    if (!RequireEmpty())
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ZYR_CHECK(bitmap != nullptr, u"ZYR::CBitmap::CreateDIBSection", u"bitmap != 0", u"gdiobjectzyr", 278);
    Attach(bitmap);
    return bits;
}

BITMAP CBitmap::GetBitmap() const
{
    BITMAP info{};
    ZYR_CHECK(::GetObjectW(Handle(), sizeof info, &info) != 0, u"ZYR::CBitmap::GetBitmap",
              u"::GetObject(bitmap, sizeof(bitmapInfo), &bitmapInfo) != 0", u"gdiobjectzyr", 233);
    return info;
}

SIZE CBitmap::Size() const
{
    const BITMAP info = GetBitmap();
    return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

} // namespace ZYR
