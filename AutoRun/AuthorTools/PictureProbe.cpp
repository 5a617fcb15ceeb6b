#include "PictureProbe.h"

#include "Bitmap.h"
#include "Icon.h"
#include "SystemHandles.h"
#include "SystemLibrary.h"

#include <shellapi.h>

#include <cstdlib>

namespace PictureProbe {

bool BitmapSize(const TObj::CUnicodeString& path, SIZE& size)
{
    ZYR::CBitmap bitmap;
    if (!bitmap.TryLoadFromFile(path))
        return false;
    BITMAP info{};
    const bool known = GetObjectW(bitmap.Get(), sizeof info, &info) == sizeof info;
    size = SIZE{info.bmWidth, info.bmHeight};
    return known;
}

std::int64_t MissingBitmapBytes(const TObj::CUnicodeString& path)
{
    const TObj::CFileHandle file(
        CreateFileW(path.W(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.IsEmpty())
        return 0;
    LARGE_INTEGER size{};
    unsigned char header[54] = {0};
    DWORD read = 0;
    const bool known = GetFileSizeEx(file.Get(), &size) && ReadFile(file.Get(), header, sizeof header, &read, nullptr);
    const auto u32 = [&](int at) {
        return static_cast<std::uint32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                                          static_cast<std::uint32_t>(header[at + 3]) << 24);
    };
    // The header is read into zeros: a file of fewer than two bytes fails the signature.
    if (!known || header[0] != 'B' || header[1] != 'M')
        return 0;
    // The fields the size follows from end with the compression, at byte 34: a file cut
    // before them lacks an amount no one can tell, and one cut after them an exact one.
    if (read < 34)
        return kCutInsideHeader;
    if (u32(14) < 40)
        return 0;
    const std::int64_t width = static_cast<std::int32_t>(u32(18));
    const std::int64_t height = std::abs(static_cast<std::int64_t>(static_cast<std::int32_t>(u32(22))));
    const int bitCount = header[28] | header[29] << 8;
    const std::uint32_t compression = u32(30);
    if (compression != BI_RGB && compression != BI_BITFIELDS)
        return 0;
    const std::int64_t needed = u32(10) + (width * bitCount + 31) / 32 * 4 * height;
    return needed > size.QuadPart ? needed - size.QuadPart : 0;
}

bool IsReadableIcon(const TObj::CUnicodeString& path)
{
    const TObj::CUniqueHandle<ZYR::CIconTraits> icon(
        static_cast<HICON>(LoadImageW(nullptr, path.W(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE)));
    return !icon.IsEmpty();
}

bool HasIconAt(const TObj::CUnicodeString& path, int index)
{
    // The shell is looked up when first needed, as the launcher's actions look it up.
    static const auto extract = TObj::SystemFunctionAs<decltype(&ExtractIconExW)>(L"shell32.dll", "ExtractIconExW");
    HICON large = nullptr;
    if (extract == nullptr || extract(path.W(), index, &large, nullptr, 1) != 1 || large == nullptr)
        return false;
    const TObj::CUniqueHandle<ZYR::CIconTraits> owned(large);
    return true;
}

} // namespace PictureProbe
