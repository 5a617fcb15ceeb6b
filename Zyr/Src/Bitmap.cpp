#include "Bitmap.h"

#include "PictureDecoder.h"
#include "ReportPlaces.h"
#include "ZyrFailure.h"

#include <cstdlib>

namespace ZYR {

namespace {

HGDIOBJ LoadPictureFile(const TObj::CUnicodeString& path, bool& hasAlpha)
{
    hasAlpha = false;
    using EFormat = CPictureDecoder::EFormat;
    const EFormat format = CPictureDecoder::FormatOf(path);
    if (format == EFormat::Png || format == EFormat::Jpeg)
        return CPictureDecoder::Decode(path, hasAlpha);
    SetLastError(0);
    // A bitmap of 32 bits a pixel is kept as it is, so that its alpha can be used.
    const HGDIOBJ bitmap = LoadImageW(nullptr, path.W(), IMAGE_BITMAP, 0, 0,
                                      LR_LOADFROMFILE | (format == EFormat::Bitmap32 ? LR_CREATEDIBSECTION : 0));
    DIBSECTION section{};
    if (bitmap != nullptr && format == EFormat::Bitmap32 &&
        GetObjectW(bitmap, sizeof section, &section) == sizeof section && section.dsBm.bmBits != nullptr &&
        section.dsBm.bmBitsPixel == 32)
        hasAlpha = CPictureDecoder::PremultiplyIfTransparent(
            section.dsBm.bmBits, static_cast<std::size_t>(section.dsBm.bmWidth) * std::abs(section.dsBm.bmHeight));
    return bitmap;
}

} // namespace

void CBitmap::LoadFromFile(const TObj::CUnicodeString& path, const CFailurePlace& place)
{
    Create([&] { return LoadPictureFile(path, m_hasAlpha); }, place);
}

bool CBitmap::TryLoadFromFile(const TObj::CUnicodeString& path)
{
    return TryCreate([&] { return LoadPictureFile(path, m_hasAlpha); });
}

void CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height)
{
    Create([&] { return ::CreateCompatibleBitmap(dc, width, height); }, Places::kCreateCompatibleBitmap);
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
    ZYR_CHECK(::GetObjectW(Handle(), sizeof info, &info) != 0, Places::kGetBitmap);
    return info;
}

SIZE CBitmap::Size() const
{
    const BITMAP info = GetBitmap();
    return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

} // namespace ZYR
