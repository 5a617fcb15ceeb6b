// StretchedPictures.h
// Holds ZYR::CStretchedPictures: pictures kept stretched to the sizes they are drawn at,
// so that drawing one again is a copy instead of a stretch; bounded by the pixels kept;
// and the colour depth of the screen they are drawn for.
#pragma once

#include "Bitmap.h"
#include "DC.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace ZYR {

class CStretchedPictures {
public:
    explicit CStretchedPictures(std::size_t maxPixels) : m_maxPixels(maxPixels) {}

    // What DrawPicture(*picture, dc, target, mode) draws. A picture with alpha (blended
    // over what lies beneath), one drawn at its own size, one too large to keep, or a
    // target of fewer than 24 bits a pixel (where a stretch may dither by position) is
    // drawn directly.
    void Draw(const std::shared_ptr<const CBitmap>& picture, HDC dc, const RECT& target, int mode);
    std::size_t PixelsKept() const noexcept { return m_pixels; }
    // GetDeviceCaps(dc, BITSPIXEL) x GetDeviceCaps(dc, PLANES), asked once: under Wine the
    // question costs a tenth of a millisecond, and every context drawn into here is the
    // screen's or made like it. It is asked again after DisplayChanged.
    int Depth(HDC dc);
    void DisplayChanged() noexcept { m_depth = 0; }

private:
    // Where a stretch of `size` lands: the part shown, at `offset` in it, of `shown` size.
    struct CPlacement {
        SIZE size;
        SIZE offset;
        SIZE shown;
        int mode;
        bool operator==(const CPlacement& o) const noexcept
        {
            return size.cx == o.size.cx && size.cy == o.size.cy && offset.cx == o.offset.cx &&
                   offset.cy == o.offset.cy && shown.cx == o.shown.cx && shown.cy == o.shown.cy && mode == o.mode;
        }
        std::size_t Pixels() const noexcept
        {
            return static_cast<std::size_t>(shown.cx) * static_cast<std::size_t>(shown.cy);
        }
    };
    // Never moved (the list holds pointers): the context goes before the bitmap selected
    // into it, which could not be deleted while selected.
    struct CStretched {
        std::shared_ptr<const CBitmap> source; // kept alive: the key must not be reused
        CPlacement placement;
        CBitmap stretched;
        std::unique_ptr<CBitmapDC> selected; // the copy selected into a context of its own
    };
    HDC Stretched(const std::shared_ptr<const CBitmap>& picture, const CPlacement& placement);

    std::vector<std::unique_ptr<CStretched>> m_kept; // the most recently drawn last
    std::size_t m_pixels = 0;
    std::size_t m_maxPixels;
    int m_depth = 0; // not asked yet
};

} // namespace ZYR
