// PictureDecoder.h
// Holds ZYR::CPictureDecoder: the format of a picture file told by its first bytes, and
// the decoding of PNG and JPEG files with the Windows Imaging Component into 32-bit
// pictures with premultiplied alpha. The component is loaded from System32 only when the
// first such file is decoded, so a program that shows only bitmaps never loads it.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

namespace ZYR {

class CPictureDecoder {
public:
    enum class EFormat { Bitmap, Bitmap32, Png, Jpeg };

    // PNG and JPEG by their signatures, and a bitmap of 32 bits a pixel (which may carry
    // alpha) by its header; anything else (a file that cannot be read too) is left to the
    // system's bitmap loader, which reports it as it always has.
    static EFormat FormatOf(const TObj::CUnicodeString& path);
    static EFormat FormatOfBytes(const unsigned char* bytes, std::size_t count) noexcept;
    // Whether the file starts as a bitmap, PNG or JPEG file does: what can be told of a
    // picture without decoding it. False for a file that cannot be read.
    static bool HasPictureSignature(const TObj::CUnicodeString& path);

    // The size a PNG or JPEG file's header claims, read from its first bytes; false when
    // they do not tell (another format, a header cut short, a JPEG whose frame header lies
    // beyond them). The imaging component may ask for the memory of a whole picture at
    // that size before it reads a single pixel, so the size is judged first.
    // A bitmap's header tells its size too.
    static bool DeclaredSize(const unsigned char* bytes, std::size_t count, unsigned& width, unsigned& height) noexcept;
    static bool DeclaredSizeOfFile(const TObj::CUnicodeString& path, unsigned& width, unsigned& height);
    // Whether a picture of this size may be decoded (see kMaxSide and kMaxPixels).
    static bool IsWithinLimits(unsigned width, unsigned height) noexcept;

    // A top-down 32-bit DIB section of premultiplied BGRA pixels, or null with the last
    // error set (a Win32 code where the component gave one, else its HRESULT). `hasAlpha`
    // tells whether any pixel is not opaque. Given a size, the picture is scaled to it with
    // the component's Fant filter, which averages every pixel a smaller picture covers.
    static HBITMAP Decode(const TObj::CUnicodeString& path, bool& hasAlpha, SIZE size = SIZE{0, 0});

    // Premultiplies 32-bit BGRA pixels in place, unless their alpha is all 0 (a 32-bit
    // bitmap that never meant alpha) or all 255; true when the pixels carry alpha.
    static bool PremultiplyIfTransparent(void* pixels, std::size_t count) noexcept;

    // The largest picture decoded, in pixels a side and in all.
    static constexpr UINT kMaxSide = 32768;
    static constexpr unsigned long long kMaxPixels = 1ull << 26;
};

} // namespace ZYR
