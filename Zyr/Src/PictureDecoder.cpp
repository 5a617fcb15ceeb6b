#include "PictureDecoder.h"

#include "FileSystem.h"
#include "ImagingFactory.h"
#include "SystemHandles.h"

#include <cstdint>
#include <cstring>

namespace ZYR {

namespace {

// How much of a file's start is read to find the size its header claims (on the stack of
// the one thread that decodes).
constexpr std::size_t kHeaderBytes = 64 * 1024;

HBITMAP Failed(HRESULT result)
{
    // A Win32 error wrapped as an HRESULT is reported as the error it wraps, so that running
    // out of memory is told as such.
    SetLastError(HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : static_cast<DWORD>(result));
    return nullptr;
}

} // namespace

CPictureDecoder::EFormat CPictureDecoder::FormatOfBytes(const unsigned char* bytes, std::size_t count) noexcept
{
    static const unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (count >= sizeof png && std::memcmp(bytes, png, sizeof png) == 0)
        return EFormat::Png;
    if (count >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return EFormat::Jpeg;
    const bool deepBitmap = count >= 30 && bytes[0] == 'B' && bytes[1] == 'M' && bytes[28] == 32 && bytes[29] == 0;
    return deepBitmap ? EFormat::Bitmap32 : EFormat::Bitmap;
}

CPictureDecoder::EFormat CPictureDecoder::FormatOf(const TObj::CUnicodeString& path)
{
    unsigned char start[30] = {0};
    return FormatOfBytes(start, TObj::ReadFileStart(path, start, sizeof start));
}

bool CPictureDecoder::HasPictureSignature(const TObj::CUnicodeString& path)
{
    unsigned char start[30] = {0};
    const std::size_t read = TObj::ReadFileStart(path, start, sizeof start);
    return FormatOfBytes(start, read) != EFormat::Bitmap || (read >= 2 && start[0] == 'B' && start[1] == 'M');
}

bool CPictureDecoder::DeclaredSize(const unsigned char* bytes, std::size_t count, unsigned& width,
                                   unsigned& height) noexcept
{
    // Where the height stands, and in how many big-endian bytes each size is written; the
    // width comes just before the height in a PNG, just after it in a JPEG.
    std::size_t at = 0, length = 0;
    const EFormat format = FormatOfBytes(bytes, count);
    if (format == EFormat::Png) {
        // The signature, then the first chunk, which must be IHDR: its length, its type,
        // the width and the height.
        if (count < 24 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
            return false;
        at = 20;
        length = 4;
    } else if (format == EFormat::Jpeg) {
        // Segments after the start of the image, each a marker and (but for the few that
        // stand alone) a length, up to the frame header with the height and width.
        for (std::size_t segment = 2; length == 0;) {
            if (segment + 4 > count || bytes[segment] != 0xFF)
                return false;
            const unsigned marker = bytes[segment + 1];
            if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) { // fill, or alone
                segment += marker == 0xFF ? 1 : 2;
            } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
                at = segment + 5;
                length = 2;
            } else {
                segment += 2 + (unsigned{bytes[segment + 2]} << 8 | bytes[segment + 3]);
            }
        }
        if (at + 4 > count)
            return false;
    } else if (count >= 26 && bytes[0] == 'B' && bytes[1] == 'M') {
        // The file header, then the info header: its length, then the width and the height,
        // 16 bits each in the oldest (12 bytes long), else 32 bits, the height negative for
        // a top-down bitmap; all little-endian.
        const auto littleEndian = [bytes](std::size_t from, std::size_t bytesLong) {
            std::uint32_t value = 0;
            for (std::size_t i = bytesLong; i > 0; --i)
                value = value << 8 | bytes[from + i - 1];
            return value;
        };
        const bool oldest = littleEndian(14, 4) == 12;
        width = littleEndian(18, oldest ? 2 : 4);
        const std::uint32_t rows = littleEndian(oldest ? 20 : 22, oldest ? 2 : 4);
        height = oldest || rows < 0x80000000u ? rows : 0u - rows;
        return true;
    } else {
        return false;
    }
    const auto bigEndian = [bytes, length](std::size_t from) {
        unsigned value = 0;
        for (std::size_t i = 0; i < length; ++i)
            value = value << 8 | bytes[from + i];
        return value;
    };
    height = bigEndian(at);
    width = bigEndian(format == EFormat::Png ? at - 4 : at + 2);
    return true;
}

bool CPictureDecoder::DeclaredSizeOfFile(const TObj::CUnicodeString& path, unsigned& width, unsigned& height)
{
    unsigned char start[kHeaderBytes];
    return DeclaredSize(start, TObj::ReadFileStart(path, start, kHeaderBytes), width, height);
}

bool CPictureDecoder::IsWithinLimits(unsigned width, unsigned height) noexcept
{
    return width != 0 && height != 0 && width <= kMaxSide && height <= kMaxSide &&
           static_cast<unsigned long long>(width) * height <= kMaxPixels;
}

HBITMAP CPictureDecoder::Decode(const TObj::CUnicodeString& path, bool& hasAlpha, SIZE size)
{
    hasAlpha = false;
    {
        // A JPEG's frame header follows its other headers, which are seldom long.
        unsigned char start[kHeaderBytes];
        const std::size_t read = TObj::ReadFileStart(path, start, kHeaderBytes);
        unsigned declaredWidth = 0, declaredHeight = 0;
        if (DeclaredSize(start, read, declaredWidth, declaredHeight) && !IsWithinLimits(declaredWidth, declaredHeight))
            return Failed(HRESULT_FROM_WIN32(ERROR_INVALID_DATA));
    }
    CComPointer<IWICImagingFactory> factory;
    HRESULT result = MakeFactory(factory);
    CComPointer<IWICBitmapDecoder> decoder;
    if (SUCCEEDED(result))
        result = factory->CreateDecoderFromFilename(path.W(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                    decoder.Out());
    CComPointer<IWICBitmapFrameDecode> frame;
    if (SUCCEEDED(result))
        result = decoder->GetFrame(0, frame.Out());
    // Scaled before the conversion, so that the filter averages the file's own pixels.
    CComPointer<IWICBitmapScaler> scaler;
    UINT ownWidth = 0, ownHeight = 0;
    if (SUCCEEDED(result))
        result = frame->GetSize(&ownWidth, &ownHeight);
    const bool scaled = size.cx > 0 && size.cy > 0 &&
                        (static_cast<UINT>(size.cx) != ownWidth || static_cast<UINT>(size.cy) != ownHeight);
    if (SUCCEEDED(result) && scaled)
        result = factory->CreateBitmapScaler(scaler.Out());
    if (SUCCEEDED(result) && scaled && !IsWithinLimits(static_cast<unsigned>(size.cx), static_cast<unsigned>(size.cy)))
        result = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    if (SUCCEEDED(result) && scaled)
        result = scaler->Initialize(frame.Get(), static_cast<UINT>(size.cx), static_cast<UINT>(size.cy),
                                    WICBitmapInterpolationModeFant);
    IWICBitmapSource* const source =
        scaled ? static_cast<IWICBitmapSource*>(scaler.Get()) : static_cast<IWICBitmapSource*>(frame.Get());
    CComPointer<IWICFormatConverter> converter;
    if (SUCCEEDED(result))
        result = factory->CreateFormatConverter(converter.Out());
    if (SUCCEEDED(result))
        result = converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                       WICBitmapPaletteTypeCustom);
    UINT width = 0, height = 0;
    if (SUCCEEDED(result))
        result = converter->GetSize(&width, &height);
    if (FAILED(result))
        return Failed(result);
    // A file may claim any size: what no page could show is refused before memory is asked for.
    if (!IsWithinLimits(width, height))
        return Failed(HRESULT_FROM_WIN32(ERROR_INVALID_DATA));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    const UINT stride = width * 4;
    result = converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits));
    if (FAILED(result)) {
        DeleteObject(bitmap);
        return Failed(result);
    }
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0, count = std::size_t{width} * height; i < count && !hasAlpha; ++i)
        hasAlpha = (pixels[i] >> 24) != 0xFF;
    return bitmap;
}

bool CPictureDecoder::PremultiplyIfTransparent(void* pixels, std::size_t count) noexcept
{
    auto* bytes = static_cast<unsigned char*>(pixels);
    bool opaque = true, unused = true;
    for (std::size_t i = 0; i < count; ++i) {
        opaque = opaque && bytes[i * 4 + 3] == 0xFF;
        unused = unused && bytes[i * 4 + 3] == 0;
    }
    if (opaque || unused)
        return false;
    for (unsigned char* pixel = bytes; pixel < bytes + count * 4; pixel += 4)
        for (int channel = 0; channel < 3; ++channel)
            pixel[channel] = static_cast<unsigned char>((pixel[channel] * pixel[3] + 127) / 255);
    return true;
}

} // namespace ZYR
