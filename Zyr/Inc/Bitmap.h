// Bitmap.h
// Holds ZYR::CBitmap, the owner of one bitmap: loaded from a picture file (a Windows
// bitmap, PNG or JPEG), made compatible with a device context, or a 32-bit DIB section;
// and whether its pixels carry (premultiplied) alpha.
#pragma once

#include "GdiObject.h"
#include "UnicodeString.h"
#include "ZyrFailure.h"

namespace ZYR {

class CBitmap : public CGdiObject {
public:
    // A bitmap file through LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE),
    // a PNG or JPEG file (told by its content) through the imaging component; a failure
    // follows the failure rule with the caller's place.
    // Given a size, the picture is scaled to it: a PNG or JPEG file by the imaging
    // component's Fant filter, a bitmap by halftone stretching.
    void LoadFromFile(const TObj::CUnicodeString& path, const CFailurePlace& place, SIZE size = SIZE{0, 0});
    // The same load, for asking whether Windows can read the file: false when it cannot.
    // Replaces the picture by a copy at `size`, stretched with halftone (a bitmap with
    // alpha without it, which would lose the alpha); nothing for its own size.
    void ScaleTo(SIZE size);
    bool TryLoadFromFile(const TObj::CUnicodeString& path);
    void CreateCompatibleBitmap(HDC dc, int width, int height);
    // A bottom-up 32-bit DIB section; returns its pixels.
    void* CreateDIBSection(int width, int height);
    BITMAP GetBitmap() const;
    SIZE Size() const;
    HBITMAP Get() const noexcept { return static_cast<HBITMAP>(Handle()); }
    // True for a loaded picture with pixels that are not opaque: it is blended when drawn.
    bool HasAlpha() const noexcept { return m_hasAlpha; }

private:
    bool m_hasAlpha = false;
};

} // namespace ZYR
