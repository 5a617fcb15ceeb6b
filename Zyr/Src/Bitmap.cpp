#include "Bitmap.h"

#include "DC.h"
#include "GdiGlobals.h"
#include "PictureDecoder.h"
#include "ReportPlaces.h"
#include "ZyrFailure.h"

#include <cstdlib>
#include <utility>

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

void CBitmap::LoadFromFile(const TObj::CUnicodeString& path, const CFailurePlace& place, SIZE size)
{
    using EFormat = CPictureDecoder::EFormat;
    const EFormat format = size.cx > 0 && size.cy > 0 ? CPictureDecoder::FormatOf(path) : EFormat::Bitmap;
    if (format == EFormat::Png || format == EFormat::Jpeg) {
        Create([&] { return CPictureDecoder::Decode(path, m_hasAlpha, size); }, place);
        return;
    }
    if (Create([&] { return LoadPictureFile(path, m_hasAlpha); }, place))
        ScaleTo(size);
}

void CBitmap::ScaleTo(SIZE size)
{
    const SIZE now = Size();
    if (size.cx <= 0 || size.cy <= 0 || (now.cx == size.cx && now.cy == size.cy))
        return;
    CBitmap copy;
    copy.CreateDIBSection(size.cx, size.cy);
    {
        const CBitmapDC target(copy.Get(), nullptr);
        // Halftone averages the pixels a smaller copy covers; it does not keep alpha, which
        // the plain stretch copies with the colours.
        StretchBitmap(Get(), target.Get(), RECT{0, 0, size.cx, size.cy}, m_hasAlpha ? COLORONCOLOR : HALFTONE);
    }
    copy.m_hasAlpha = m_hasAlpha;
    *this = std::move(copy);
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
