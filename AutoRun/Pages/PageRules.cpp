#include "PageRules.h"

using TObj::CUnicodeString;

namespace PageRules {

bool IsWebAddress(const CUnicodeString& action)
{
    return action.StartsWith(CUnicodeString(u"http://")) || action.StartsWith(CUnicodeString(u"https://"));
}

bool IsCentred(const CUnicodeString& orientation) { return orientation.EqualsNoCase(CUnicodeString(u"center")); }

CUnicodeString CommandKeyPrefix(int number)
{
    return CUnicodeString(u"Command") + CUnicodeString::FromInt(number) + u'_';
}

CUnicodeString CommandPlace(const CUnicodeString& window, int number)
{
    return window + u':' + CommandKeyPrefix(number);
}

CPageProblem CheckWindowBackground(const CUnicodeString& window, const CUnicodeString& picturePath,
                                   const CPageSize& size, std::uint32_t color, bool pictureExists)
{
    const bool sizeGiven = !(size == CPageSize{});
    const bool colorGiven = color != kNoColor;
    if (picturePath.IsEmpty()) {
        if (!sizeGiven || !colorGiven)
            return {"ERR_AR_BACKGROUND_PROPS_NOT_FOUND", window, {}};
        return {};
    }
    if (sizeGiven || colorGiven)
        return {"ERR_AR_WRONG_BACKGROUND_SETTINGS", window, {}};
    if (!pictureExists)
        return {"ERR_AR_BACKGROUND_IMAGE_NOT_FOUND", picturePath, window};
    return {};
}

CPageProblem CheckCommandBackground(const CUnicodeString& window, int number, bool hasPictures, bool hasColors)
{
    if (hasPictures && hasColors)
        return {"ERR_AR_WRONG_BACKGROUND_SETTINGS", CommandPlace(window, number), {}};
    return {};
}

CPageProblem MissingCommandPicture(const CUnicodeString& window, int number, const CUnicodeString& picturePath)
{
    return {"ERR_AR_BACKGROUND_IMAGE_NOT_FOUND", picturePath, CommandPlace(window, number)};
}

} // namespace PageRules
