#include "ScaleCheck.h"

#include "DC.h"
#include "Font.h"
#include "GdiGlobals.h"
#include "IniFile.h"
#include "PageFiles.h"
#include "PageFinding.h"
#include "PageKeys.h"
#include "PathRules.h"
#include "PictureDecoder.h"
#include "PictureVariants.h"

#include <windows.h>

#include <algorithm>

using TObj::CUnicodeString;

namespace ScaleCheck {

namespace {

// The text's size as DrawTextW lays it out within `width`, with `flags`.
SIZE Measured(HDC dc, const CUnicodeString& text, LONG width, UINT flags)
{
    RECT rect{0, 0, width, 0};
    DrawTextW(dc, text.W(), -1, &rect, flags | DT_CALCRECT);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

CUnicodeString SizeText(LONG width, LONG height)
{
    return CUnicodeString::Format(u"%d x %d", static_cast<int>(width), static_cast<int>(height));
}

} // namespace

CUnicodeString TextProblem(const CCommandSettings& command)
{
    const PageLayout::CTextArea& area = command.textArea;
    const LONG width = area.right - area.left, height = area.bottom - area.top;
    // Margins that leave no room at all stop the launcher, and are told as such.
    if (command.text.IsEmpty() || area.right <= 0 || area.bottom <= 0)
        return {};
    const ZYR::CMemoryDC dc(nullptr);
    ZYR::CFont font;
    font.CreateFontW(command.fontSize, command.underlined, command.fontName);
    ZYR::CSelectObjectGuard selectFont(dc.Get(), font.Handle());
    // As the command draws it: one line when centred or followed by a hint, else wrapped at
    // words (a word longer than the line stays whole and is cut).
    const bool oneLine = command.centered || !command.hint.IsEmpty();
    const SIZE needed = Measured(dc.Get(), command.text, std::max<LONG>(width, 1),
                                 oneLine ? DT_SINGLELINE | DT_NOPREFIX : DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK);
    if (needed.cx > width || needed.cy > height)
        return u"the text is cut: it needs " + SizeText(needed.cx, needed.cy) +
               u" pixels in its font, and its text area is " + SizeText(width, height) +
               u" (the command's width less LeftMargin twice and RightMargin, its height less TopMargin twice and "
               u"BottomMargin)";
    if (command.hint.IsEmpty())
        return {};
    // The hint starts HintMargin below the text's own height, from the command's top.
    const LONG textHeight = ZYR::GetTextExtent(dc.Get(), command.text).cy;
    ZYR::CFont hintFont;
    hintFont.CreateFontW(command.hintFontSize, command.underlined, command.fontName);
    ZYR::CSelectObjectGuard selectHint(dc.Get(), hintFont.Handle());
    const SIZE hint =
        Measured(dc.Get(), command.hint, std::max<LONG>(width, 1), DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK);
    const long long bottom = static_cast<long long>(command.hintMargin) + textHeight + hint.cy;
    if (bottom > area.bottom || hint.cx > width)
        return u"the hint is cut: it needs " + SizeText(hint.cx, hint.cy) +
               CUnicodeString::Format(u" pixels from %lld below the command's top, and the text area ends %d below "
                                      u"it, %d wide",
                                      static_cast<long long>(command.hintMargin) + textHeight,
                                      static_cast<int>(area.bottom), static_cast<int>(width));
    return {};
}

CUnicodeString FirstRelativeKey(TObj::CIniFile& file, const CUnicodeString& section)
{
    using T = PageKeys::EValueType;
    for (const CUnicodeString& key : file.KeyNames(section)) {
        int number = 0;
        CUnicodeString rest;
        const PageKeys::CPageKey* known = PageKeys::SplitCommandKey(key, number, rest)
                                              ? PageKeys::Find(PageKeys::EScope::Command, rest)
                                              : PageKeys::Find(PageKeys::EScope::Window, key);
        if (known == nullptr || (known->type != T::Rectangle && known->type != T::Size && known->type != T::Integer &&
                                 known->type != T::FontSize))
            continue;
        if (file.GetValue(section, key, CUnicodeString()).Trimmed().EndsWith(CUnicodeString(u"rel")))
            return key;
    }
    return {};
}

std::vector<CUnicodeString> VariantProblems(const CUnicodeString& path)
{
    std::vector<CUnicodeString> problems;
    unsigned width = 0, height = 0;
    if (!ZYR::CPictureDecoder::DeclaredSizeOfFile(path, width, height))
        return problems; // a picture that cannot be read is reported as such
    bool any = false;
    for (const int percent : PictureVariants::kScales) {
        const CUnicodeString variant = PictureVariants::NameAt(path, percent);
        if (!PageFiles::IsExistingFile(variant))
            continue;
        any = true;
        unsigned w = 0, h = 0;
        const long long wantedWidth = (static_cast<long long>(width) * percent + 50) / 100;
        const long long wantedHeight = (static_cast<long long>(height) * percent + 50) / 100;
        // A pixel either way is rounding.
        if (ZYR::CPictureDecoder::DeclaredSizeOfFile(variant, w, h) && w + 1 >= wantedWidth && w <= wantedWidth + 1 &&
            h + 1 >= wantedHeight && h <= wantedHeight + 1)
            continue;
        problems.push_back(
            CPageFinding::Quoted(TObj::FileNameOf(variant)) +
            (w == 0 ? CUnicodeString(u" cannot be read as a picture")
                    : CUnicodeString::Format(u" is %u x %u, not %lld x %lld, %d %% of the picture's %u x %u: it is "
                                             u"drawn stretched to that size",
                                             w, h, wantedWidth, wantedHeight, percent, width, height)));
    }
    if (!any)
        problems.push_back(u"has no variant for larger scales (such as " +
                           CPageFinding::Quoted(TObj::FileNameOf(PictureVariants::NameAt(path, 200))) +
                           u"): above 96 dpi it is enlarged from its own pixels, less sharp");
    return problems;
}

} // namespace ScaleCheck
