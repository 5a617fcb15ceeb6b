// PagePictures.h
// Holds CPagePictures, the pictures of the last pages shown, each decoded once, so that
// going back to a page decodes nothing; at most kCachedPictures of them.
#pragma once

#include "Bitmap.h"
#include "WindowSettings.h"
#include "ZyrFailure.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

class CSettings;

class CPagePictures {
public:
    using CPicture = std::shared_ptr<const ZYR::CBitmap>;

    // Loads the page's picture (or none) and answers the client size it asks for.
    SIZE Load(const CWindowSettings& page, CPicture& picture, const ZYR::CFailurePlace& place);
    // For pages read again: the pictures kept, given to the new pages of the same names, or
    // none when `keep` is false. Pictures are in pixels whatever the DPI, but for those of
    // pages that scale as a whole, which are kept only at the same DPI.
    CPagePictures ForPagesOf(const CSettings& settings, bool keep) const;

private:
    // The picture of a page that scales as a whole: from its variant for the page's DPI, at
    // the size of the page's design scaled to it.
    static void loadScaled(const CWindowSettings& page, ZYR::CBitmap& picture, const ZYR::CFailurePlace& place);
    static SIZE scaledSize(unsigned width, unsigned height, int dpi);

    static constexpr std::size_t kCachedPictures = 8;
    std::vector<std::pair<const CWindowSettings*, CPicture>> m_pictures; // pages not owned: the settings own them
};
