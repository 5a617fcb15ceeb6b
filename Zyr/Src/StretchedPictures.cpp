#include "StretchedPictures.h"

#include "DC.h"
#include "GdiGlobals.h"

#include <algorithm>

namespace ZYR {

void CStretchedPictures::Draw(const std::shared_ptr<const CBitmap>& picture, HDC dc, const RECT& target, int mode)
{
    const SIZE own = picture->Size();
    const SIZE size{target.right - target.left, target.bottom - target.top};
    // A stretch that is cut short may sample its picture at other points than the whole
    // stretch would (Wine's does): the copy kept is the part the context shows, stretched
    // as it would be there.
    RECT shown{};
    if (GetClipBox(dc, &shown) == ERROR || !IntersectRect(&shown, &shown, &target))
        shown = target;
    const std::size_t pixels = static_cast<std::size_t>(std::max<LONG>(shown.right - shown.left, 0)) *
                               static_cast<std::size_t>(std::max<LONG>(shown.bottom - shown.top, 0));
    if (picture->HasAlpha() || (own.cx == size.cx && own.cy == size.cy) || pixels == 0 || pixels > m_maxPixels / 4 ||
        Depth(dc) < 24) {
        DrawPicture(*picture, dc, target, mode);
        return;
    }
    const CPlacement placement{size, SIZE{shown.left - target.left, shown.top - target.top},
                               SIZE{shown.right - shown.left, shown.bottom - shown.top}, mode};
    BitBlt(dc, shown.left, shown.top, placement.shown.cx, placement.shown.cy, Stretched(picture, placement), 0, 0,
           kPictureCopy);
}

int CStretchedPictures::Depth(HDC dc)
{
    if (m_depth == 0)
        m_depth = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    return m_depth;
}

HDC CStretchedPictures::Stretched(const std::shared_ptr<const CBitmap>& picture, const CPlacement& placement)
{
    const auto same = std::find_if(m_kept.begin(), m_kept.end(), [&](const std::unique_ptr<CStretched>& kept) {
        return kept->source == picture && kept->placement == placement;
    });
    if (same != m_kept.end()) {
        std::rotate(same, same + 1, m_kept.end());
        return m_kept.back()->selected->Get();
    }
    const std::size_t pixels = placement.Pixels();
    while (!m_kept.empty() && m_pixels + pixels > m_maxPixels) {
        m_pixels -= m_kept.front()->placement.Pixels();
        m_kept.erase(m_kept.begin());
    }
    std::unique_ptr<CStretched> made(new CStretched{picture, placement, CBitmap(), nullptr});
    made->stretched.CreateDIBSection(placement.shown.cx, placement.shown.cy);
    made->selected.reset(new CBitmapDC(made->stretched.Get(), nullptr));
    const RECT whole{-placement.offset.cx, -placement.offset.cy, placement.size.cx - placement.offset.cx,
                     placement.size.cy - placement.offset.cy};
    StretchBitmap(picture->Get(), made->selected->Get(), whole, placement.mode);
    m_kept.push_back(std::move(made));
    m_pixels += pixels;
    return m_kept.back()->selected->Get();
}

} // namespace ZYR
