#include "PagePictures.h"

#include "Settings.h"

#include <algorithm>

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
    loaded->LoadFromFile(page.backgroundPath, place);
    if (m_pictures.size() >= kCachedPictures)
        m_pictures.erase(m_pictures.begin());
    m_pictures.emplace_back(&page, loaded);
    picture = std::move(loaded);
    return picture->Size();
}

void CPagePictures::Forget(const CWindowSettings* page)
{
    m_pictures.erase(std::remove_if(m_pictures.begin(), m_pictures.end(),
                                    [page](const auto& cached) { return cached.first == page; }),
                     m_pictures.end());
}

CPagePictures CPagePictures::ForPagesOf(const CSettings& settings, bool keep) const
{
    CPagePictures kept;
    if (keep)
        for (const auto& cached : m_pictures)
            if (const CWindowSettings* same = settings.WindowNamed(cached.first->name))
                kept.m_pictures.emplace_back(same, cached.second);
    return kept;
}
