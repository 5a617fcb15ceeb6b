#include "PagePictures.h"

#include "PageFiles.h"
#include "PageValues.h"
#include "PictureDecoder.h"
#include "PictureVariants.h"
#include "Settings.h"

using TObj::CUnicodeString;

SIZE CPagePictures::Load(const CWindowSettings& page, CPicture& picture, const ZYR::CFailurePlace& place)
{
    picture.reset();
    if (page.backgroundPath.IsEmpty())
        return SIZE{page.backgroundSize.width, page.backgroundSize.height};
    for (const auto& cached : m_pictures)
        if (cached.first == &page) {
            picture = cached.second;
            return picture->Size();
        }
    auto loaded = std::make_shared<ZYR::CBitmap>();
    // At 96 dpi a page that scales as a whole draws its picture as it is: the start reads
    // neither its header nor a variant.
    if (page.scaleDpi == 0 || page.scaleDpi == PageValues::kDefaultDpi)
        loaded->LoadFromFile(page.backgroundPath, place);
    else
        loadScaled(page, *loaded, place);
    if (m_pictures.size() >= kCachedPictures)
        m_pictures.erase(m_pictures.begin());
    m_pictures.emplace_back(&page, loaded);
    picture = std::move(loaded);
    return picture->Size();
}

void CPagePictures::loadScaled(const CWindowSettings& page, ZYR::CBitmap& picture, const ZYR::CFailurePlace& place)
{
    int percent = 100;
    const CUnicodeString variant =
        PictureVariants::Choose(page.backgroundPath, page.scaleDpi, &PageFiles::IsExistingFile, percent);
    // The page was designed at the size of its picture itself; a variant that its header
    // does not size is taken at its own size over its scale.
    unsigned width = 0, height = 0;
    if (!ZYR::CPictureDecoder::DeclaredSizeOfFile(page.backgroundPath, width, height)) {
        picture.LoadFromFile(variant, place);
        const SIZE own = picture.Size();
        width = static_cast<unsigned>(own.cx * 100 / percent);
        height = static_cast<unsigned>(own.cy * 100 / percent);
        picture.ScaleTo(scaledSize(width, height, page.scaleDpi));
        return;
    }
    picture.LoadFromFile(variant, place, scaledSize(width, height, page.scaleDpi));
}

SIZE CPagePictures::scaledSize(unsigned width, unsigned height, int dpi)
{
    return SIZE{static_cast<LONG>(PageValues::ScaleByDpi(width, dpi)),
                static_cast<LONG>(PageValues::ScaleByDpi(height, dpi))};
}

CPagePictures CPagePictures::ForPagesOf(const CSettings& settings, bool keep) const
{
    CPagePictures kept;
    if (keep)
        for (const auto& cached : m_pictures)
            // A page that scales as a whole has its picture at the DPI it was read at.
            if (const CWindowSettings* same = settings.WindowNamed(cached.first->name))
                if (same->scaleDpi == cached.first->scaleDpi)
                    kept.m_pictures.emplace_back(same, cached.second);
    return kept;
}
