#include "DiscChecker.h"

#include "AutoRunStrings.h"
#include "DiscPaths.h"
#include "Exception.h"
#include "FileSystem.h"
#include "IniFile.h"
#include "Languages.h"
#include "PageFiles.h"
#include "PageKeys.h"
#include "PageLayout.h"
#include "PageRules.h"
#include "PageValues.h"
#include "PictureProbe.h"
#include "SettingsReader.h"
#include "TextProbe.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <set>

using K = PageKeys::EKey;
using TObj::CUnicodeString;

struct CDiscChecker::CPageFile {
    CUnicodeString path;
    TObj::CIniFile& file;
    CPageVariables variables;
    bool isRoot;
    std::size_t firstProblem;
    std::vector<CUnicodeString> windowNames; // exact, in file order

    CUnicodeString Value(const CUnicodeString& section, const CUnicodeString& key)
    {
        return variables.Expand(file.GetValue(section, key, CUnicodeString()));
    }
    CUnicodeString PathValue(const CUnicodeString& section, const CUnicodeString& key)
    {
        CUnicodeString value = Value(section, key);
        if (value.IsEmpty())
            return value;
        value.ReplaceAll(CUnicodeString(u"/"), CUnicodeString(u"\\"));
        return TObj::CombineAndNormalize(TObj::FolderOf(path), value);
    }
};

namespace {

const CUnicodeString kStops(u"the launcher stops with: ");

CUnicodeString Quoted(const CUnicodeString& text) { return u"\"" + text + u"\""; }
// The name of a page's key, or of a command's with its "Command<N>_".
CUnicodeString Name(PageKeys::EKey key) { return CUnicodeString(PageKeys::Key(key).name); }
CUnicodeString Key(int number, PageKeys::EKey key) { return PageRules::CommandKeyPrefix(number) + PageKeys::Key(key).name; }

CUnicodeString TextOf(TObj::CException* failure)
{
    const std::unique_ptr<TObj::CException> owned(failure);
    return failure->GetMessageText();
}

} // namespace

void CDiscChecker::add(const CUnicodeString& file, int line, const CUnicodeString& section, const CUnicodeString& key,
                       const CUnicodeString& text)
{
    m_problems.push_back(CCheckProblem{file, line, section, key, text});
}

void CDiscChecker::add(CPageFile& page, const CUnicodeString& section, const CUnicodeString& key,
                       const CUnicodeString& text)
{
    add(page.path, key.IsEmpty() ? 0 : page.file.LineOf(section, key), section, key, text);
}

std::vector<CCheckProblem> CDiscChecker::Run()
{
    m_problems.clear();
    m_rootPath = TObj::CombineAndNormalize(m_environment.launcherFolder, AutoRunStrings::kRootFileName);
    if (!PageFiles::IsExistingFile(m_rootPath)) {
        add(m_rootPath, 0, {}, {}, CUnicodeString(u"the file does not exist; the launcher cannot start"));
        return m_problems;
    }
    TObj::CIniFile root(m_rootPath);
    std::vector<CUnicodeString> pageFiles;
    CPageVariables rootVariables;
    try {
        pageFiles = checkRootFile(root, rootVariables);
    } catch (TObj::CException* failure) {
        add(m_rootPath, 0, {}, {}, TextOf(failure));
        return m_problems;
    }
    if (std::find(pageFiles.begin(), pageFiles.end(), m_rootPath) == pageFiles.end())
        checkBytes(m_rootPath);
    for (const CUnicodeString& path : pageFiles)
        checkPageFile(path, path == m_rootPath, rootVariables);
    return m_problems;
}

std::vector<CUnicodeString> CDiscChecker::checkRootFile(TObj::CIniFile& root, CPageVariables& variables)
{
    CPageFile page{m_rootPath, root, {}, true, m_problems.size(), {}};
    checkVariables(page);
    variables = page.variables;
    const CUnicodeString& common = AutoRunStrings::kCommonSection;
    const CUnicodeString dirKey = Name(K::Dir), defaultKey = Name(K::DefaultIniFile), iconKey = Name(K::Icon);
    const CUnicodeString dir = root.GetValue(common, dirKey, CUnicodeString());
    if (dir.IsEmpty())
        return {m_rootPath};
    if (root.HasKey(common, iconKey))
        add(page, common, iconKey, CUnicodeString(u"is not read here: with \"Dir\" set, the icon is "
                                                  u"the page file's own [Common] Icon"));
    if (dir.Find(AutoRunStrings::kVariableOpener) >= 0)
        add(page, common, dirKey, CUnicodeString(u"uses a variable, but \"Dir\" is taken as written: variables are "
                                                 u"not substituted in it"));
    const CUnicodeString folder = PageFiles::PageFolder(m_environment.launcherFolder, dir);
    if (!DiscPaths::IsInside(folder, m_environment.launcherFolder))
        add(page, common, dirKey, u"leads outside the disc, to " + Quoted(folder));
    if (!PageFiles::IsExistingFolder(folder)) {
        add(page, common, dirKey,
            u"the folder " + Quoted(folder) + u" does not exist; \"Autorun.inf\" itself becomes the page file");
        return {m_rootPath};
    }
    const CUnicodeString fallback =
        PageFiles::DefaultPageFile(folder, root.GetValue(common, defaultKey, AutoRunStrings::kDefaultPageFile));
    std::vector<CUnicodeString> pageFiles;
    for (int code = 0; code < TObj::kLanguageCount; ++code) {
        const CUnicodeString candidate = PageFiles::LanguagePageFile(folder, code);
        if (!PageFiles::IsExistingFile(candidate))
            continue;
        pageFiles.push_back(candidate);
        if (!TObj::IsLanguageCodeUsed(code) && !candidate.EqualsNoCase(fallback))
            add(page, common, dirKey,
                u"holds " + Quoted(candidate) +
                    CUnicodeString::Format(u", the page file of language %d, which no Windows language selects; only "
                                           u"the option \"l=%d\" shows it",
                                           code, code));
    }
    if (!fallback.IsEmpty()) {
        if (!DiscPaths::IsInside(fallback, m_environment.launcherFolder))
            add(page, common, defaultKey, u"leads outside the disc, to " + Quoted(fallback));
        if (!PageFiles::IsExistingFile(fallback))
            add(page, common, root.HasKey(common, defaultKey) ? defaultKey : dirKey,
                u"the default page file " + Quoted(fallback) +
                    u" does not exist; languages without a page file of their own get \"Autorun.inf\" instead");
        else if (std::find(pageFiles.begin(), pageFiles.end(), fallback) == pageFiles.end())
            pageFiles.push_back(fallback);
    }
    if (pageFiles.empty())
        pageFiles.push_back(m_rootPath);
    return pageFiles;
}

void CDiscChecker::checkBytes(const CUnicodeString& path)
{
    for (const TextProbe::CUndecodable& place : TextProbe::UndecodableLines(path))
        add(path, place.line, {}, {},
            place.utf16 ? CUnicodeString(u"the file has an odd number of bytes for UTF-16; the launcher leaves out "
                                         u"its last byte")
                        : CUnicodeString(u"the line holds bytes that are not valid UTF-8; the launcher reads each "
                                         u"broken sequence as the replacement character U+FFFD"));
}

void CDiscChecker::checkPageFile(const CUnicodeString& path, bool isRoot, const CPageVariables& rootVariables)
{
    checkBytes(path);
    TObj::CIniFile file(path);
    CPageFile page{path, file, rootVariables, isRoot, m_problems.size(), {}};
    std::vector<CUnicodeString> sections;
    try {
        sections = file.SectionNames();
    } catch (TObj::CException* failure) {
        add(path, 0, {}, {}, TextOf(failure));
        return;
    }
    if (!isRoot)
        checkVariables(page);
    const bool hasMain = std::find(sections.begin(), sections.end(), CUnicodeString(u"Main")) != sections.end();
    for (const CUnicodeString& section : sections)
        if (PageFiles::IsPageSection(section))
            page.windowNames.push_back(section);
    if (!hasMain)
        add(path, 0, {}, {}, CUnicodeString(u"has no page [Main], where the launcher starts unless told otherwise"));
    for (const CUnicodeString& section : sections) {
        if (section.EqualsNoCase(AutoRunStrings::kCommonSection)) {
            checkCommon(page, section);
        } else if (std::find(page.windowNames.begin(), page.windowNames.end(), section) != page.windowNames.end()) {
            checkWindowKeys(page, section);
            checkWindowRules(page, section);
        }
    }
    checkLayout(page);
    std::stable_sort(m_problems.begin() + static_cast<std::ptrdiff_t>(page.firstProblem), m_problems.end(),
                     [](const CCheckProblem& a, const CCheckProblem& b) { return a.line < b.line; });
}

void CDiscChecker::checkVariables(CPageFile& page)
{
    const CUnicodeString& section = AutoRunStrings::kVariablesSection;
    if (!page.file.HasSection(section))
        return;
    for (const CUnicodeString& name : page.file.KeyNames(section)) {
        checkUndefinedVariables(page, section, name, page.variables);
        page.variables.Define(name, page.file.GetValue(section, name, CUnicodeString()));
    }
}

void CDiscChecker::checkUndefinedVariables(CPageFile& page, const CUnicodeString& section, const CUnicodeString& key,
                                           const CPageVariables& variables)
{
    const CUnicodeString raw = page.file.GetValue(section, key, CUnicodeString());
    for (int start = raw.Find(AutoRunStrings::kVariableOpener); start >= 0;) {
        const int end = raw.Find(u')', start + 2);
        if (end < 0) {
            add(page, section, key, CUnicodeString(u"has \"$(\" without a closing \")\"; the text stays as written"));
            break;
        }
        const CUnicodeString name = raw.Mid(start + 2, end - start - 2);
        // Variables are defined in file order: one named further down is not there yet.
        if (variables.Find(name) == nullptr)
            add(page, section, key,
                u"uses the variable " + Quoted(name) +
                    (name == key && section == AutoRunStrings::kVariablesSection
                         ? CUnicodeString(u", which is not defined before this line: a variable cannot use itself; "
                                          u"the text stays as written")
                     : page.file.HasKey(AutoRunStrings::kVariablesSection, name) &&
                             section == AutoRunStrings::kVariablesSection
                         ? CUnicodeString(u", which is defined only further down, and variables are defined in file "
                                          u"order; the text stays as written")
                         : CUnicodeString(u", which is not defined; the text stays as written")));
        start = raw.Find(AutoRunStrings::kVariableOpener, end + 1);
    }
    bool capped = false;
    variables.Expand(raw, &capped);
    if (capped)
        add(page, section, key,
            CUnicodeString::Format(u"its variables would make it longer than %d characters; the references that do "
                                   u"not fit stay as written",
                                   CPageVariables::kMaxExpandedLength));
}

void CDiscChecker::checkCommon(CPageFile& page, const CUnicodeString& section)
{
    for (const CUnicodeString& key : page.file.KeyNames(section)) {
        checkUndefinedVariables(page, section, key, page.variables);
        if (PageKeys::Find(PageKeys::EScope::Common, key, page.isRoot) == nullptr)
            add(page, section, key, CUnicodeString(u"is not a key of [Common]; it is ignored"));
    }
    const CUnicodeString iconKey = Name(K::Icon);
    const CUnicodeString icon = page.PathValue(section, iconKey);
    if (icon.IsEmpty())
        return;
    if (!PageFiles::IsExistingFile(icon)) {
        add(page, section, iconKey, kStops + icon + u" was not found.");
        return;
    }
    if (!PictureProbe::IsReadableIcon(icon))
        add(page, section, iconKey, u"the icon " + Quoted(icon) + u" cannot be read as an icon; the launcher stops");
}

void CDiscChecker::checkWindowKeys(CPageFile& page, const CUnicodeString& section)
{
    std::set<int> commandNumbers;
    for (const CUnicodeString& key : page.file.KeyNames(section)) {
        checkUndefinedVariables(page, section, key, page.variables);
        int number = 0;
        CUnicodeString rest;
        const PageKeys::CPageKey* info = PageKeys::Find(PageKeys::EScope::Window, key);
        if (info == nullptr && PageKeys::SplitCommandKey(key, number, rest)) {
            info = PageKeys::Find(PageKeys::EScope::Command, rest);
            if (info != nullptr)
                commandNumbers.insert(number);
        }
        if (info == nullptr) {
            const CUnicodeString nearest = PageKeys::NearestWindowKey(key);
            add(page, section, key,
                nearest.IsEmpty() ? CUnicodeString(u"is not a known key; it is ignored")
                                  : u"is not a known key; it is ignored (did you mean " + Quoted(nearest) + u"?)");
            continue;
        }
        const CUnicodeString value = page.Value(section, key);
        if (!PageKeys::Parses(info->type, value, m_environment.dpiY))
            add(page, section, key,
                u"the value " + Quoted(value) + u" is not a valid " + CUnicodeString(PageKeys::TypeName(info->type)) +
                    u"; the default applies");
    }
    // Commands are read from 1 up to the first number with neither Text nor Rect.
    int count = 0;
    while (page.file.HasKey(section, Key(count + 1, K::CommandText)) || page.file.HasKey(section, Key(count + 1, K::CommandRect)))
        ++count;
    for (const int number : commandNumbers) {
        if (number <= count)
            continue;
        const CUnicodeString prefix = PageRules::CommandKeyPrefix(number);
        for (const CUnicodeString& key : page.file.KeyNames(section))
            if (key.Length() > prefix.Length() && key.Left(prefix.Length()).EqualsNoCase(prefix)) {
                add(page, section, key,
                    u"is never read: the list of commands ends before, as there is no " +
                        Key(count + 1, K::CommandText) + u" or " + Key(count + 1, K::CommandRect));
                break;
            }
    }
    const std::vector<CPageRect> rects = commandRects(page, section, count);
    bool zeroReported = false;
    for (int number = 1; number <= count; ++number) {
        checkCommandRules(page, section, number);
        checkMargins(page, section, number, rects[static_cast<std::size_t>(number - 1)], zeroReported);
    }
}

void CDiscChecker::checkWindowRules(CPageFile& page, const CUnicodeString& section)
{
    const CUnicodeString backgroundKey = Name(K::Background), sizeKey = Name(K::BackgroundSize);
    const CUnicodeString picture = page.PathValue(section, backgroundKey);
    CPageSize size;
    std::uint32_t color = kNoColor;
    PageValues::ParseSize(page.Value(section, sizeKey), m_environment.dpiY, size);
    PageValues::ParseColor(page.Value(section, Name(K::BackgroundColor)), color);
    const bool exists = !picture.IsEmpty() && PageFiles::IsExistingFile(picture);
    if (const PageRules::CPageProblem problem =
            PageRules::CheckWindowBackground(section, picture, size, color, exists)) {
        const CUnicodeString key = page.file.HasKey(section, backgroundKey) ? backgroundKey
                                   : page.file.HasKey(section, sizeKey)     ? sizeKey
                                                                            : Name(K::BackgroundColor);
        add(page, section, page.file.HasKey(section, key) ? key : CUnicodeString(), kStops + PageProblemText(problem));
        return;
    }
    if (exists)
        checkPictureFile(page, section, backgroundKey, picture, false);
}

void CDiscChecker::checkPictureFile(CPageFile& page, const CUnicodeString& section, const CUnicodeString& key,
                                    const CUnicodeString& path, bool loadedAtStart)
{
    SIZE size{};
    if (!PictureProbe::BitmapSize(path, size))
        add(page, section, key,
            u"the picture " + Quoted(path) + u" cannot be read as a picture (a bitmap, PNG or JPEG)" +
                (loadedAtStart ? CUnicodeString(u"; the launcher stops with an internal error") : CUnicodeString()));
    else if (const std::int64_t missing = PictureProbe::MissingBitmapBytes(path))
        add(page, section, key,
            u"the picture " + Quoted(path) + CUnicodeString::Format(u" is cut short: %lld bytes are missing",
                                                                     static_cast<long long>(missing)));
}

void CDiscChecker::checkCommandRules(CPageFile& page, const CUnicodeString& section, int number)
{
    const CUnicodeString image = page.Value(section, Key(number, K::CommandBackgroundImage));
    std::uint32_t color = kNoColor, hover = kNoColor, click = kNoColor;
    PageValues::ParseColor(page.Value(section, Key(number, K::CommandBackgroundColor)), color);
    if (!image.IsEmpty()) {
        checkPicture(page, section, Key(number, K::CommandBackgroundImage), number);
        checkPicture(page, section, Key(number, K::CommandBackgroundHoverImage), number);
        checkPicture(page, section, Key(number, K::CommandBackgroundClickImage), number);
        if (const PageRules::CPageProblem problem = PageRules::CheckCommandBackground(section, number, true, color != kNoColor))
            add(page, section, Key(number, K::CommandBackgroundColor), kStops + PageProblemText(problem));
    }
    const CUnicodeString internalStop(u"; the launcher stops with an internal error");
    if (color == kNoColor) {
        const CUnicodeString hoverKey = Key(number, K::CommandBackgroundHoverColor);
        const CUnicodeString clickKey = Key(number, K::CommandBackgroundClickColor);
        if (PageValues::ParseColor(page.Value(section, hoverKey), hover))
            add(page, section, hoverKey, u"needs " + Key(number, K::CommandBackgroundColor) + internalStop);
        if (PageValues::ParseColor(page.Value(section, clickKey), click))
            add(page, section, clickKey, u"needs " + Key(number, K::CommandBackgroundColor) + internalStop);
    }
    std::int32_t border = -1;
    std::uint32_t borderColor = kNoColor;
    if (PageValues::ParseInteger(page.Value(section, Key(number, K::CommandBorderWidth)), m_environment.dpiY, border) &&
        border > 0 && !PageValues::ParseColor(page.Value(section, Key(number, K::CommandBorderColor)), borderColor))
        add(page, section, Key(number, K::CommandBorderWidth), u"needs " + Key(number, K::CommandBorderColor) + internalStop);
    const CUnicodeString orientationKey = Key(number, K::CommandTextOrientation);
    if (page.file.HasKey(section, orientationKey) && !page.Value(section, orientationKey).EqualsNoCase(CUnicodeString(u"center")))
        add(page, section, orientationKey,
            u"the value " + Quoted(page.Value(section, orientationKey)) +
                u" is not \"center\", the one orientation there is; the text is not centred");
    checkAction(page, section, Key(number, K::CommandAction));
    checkAction(page, section, Key(number, K::CommandAction64));
}

// Where the reader puts each command: at its own Rect, or the next place in the column of
// CommandsRect, one step of FontSize x FontRatio high.
std::vector<CPageRect> CDiscChecker::commandRects(CPageFile& page, const CUnicodeString& section, int count)
{
    CPageRect column;
    PageValues::ParseRect(page.Value(section, Name(K::CommandsRect)), m_environment.dpiY, column);
    std::int32_t fontSize = 0;
    PageValues::ParseFontSize(page.Value(section, Name(K::FontSize)), m_environment.dpiY, fontSize);
    // As the reader does: a malformed ratio, or one whose step does not fit, takes its default.
    std::int32_t steps[2] = {0, 0};
    const K ratioKeys[2] = {K::FontRatio, K::SpaceRatio};
    for (int i = 0; i < 2; ++i) {
        const double fallback = PageKeys::Key(ratioKeys[i]).fallback;
        double ratio = fallback;
        PageValues::ParseDecimal(page.Value(section, Name(ratioKeys[i])), ratio);
        steps[i] = PageLayout::StepOrFallback(fontSize, ratio, fallback);
    }
    std::vector<CPageRect> rects;
    CPageRect layout = PageLayout::FirstDefaultRect(column, steps[0]);
    for (int number = 1; number <= count; ++number) {
        CPageRect rect = layout;
        PageValues::ParseRect(page.Value(section, Key(number, K::CommandRect)), m_environment.dpiY, rect);
        rects.push_back(rect);
        layout = PageLayout::NextDefaultRect(CPageRect{column.left, rect.top, column.right, rect.bottom}, steps[1], steps[0]);
    }
    return rects;
}

void CDiscChecker::checkMargins(CPageFile& page, const CUnicodeString& section, int number, const CPageRect& rect,
                                bool& zeroReported)
{
    std::int32_t margins[4] = {0, 0, 0, 0};
    const K names[4] = {K::CommandLeftMargin, K::CommandRightMargin, K::CommandTopMargin, K::CommandBottomMargin};
    for (int i = 0; i < 4; ++i)
        PageValues::ParseInteger(page.Value(section, Key(number, names[i])), m_environment.dpiY, margins[i]);
    const std::int64_t width = static_cast<std::int64_t>(rect.right) - rect.left;
    const std::int64_t height = static_cast<std::int64_t>(rect.bottom) - rect.top;
    const bool ownRect = page.file.HasKey(section, Key(number, K::CommandRect));
    const CUnicodeString internalStop(u"; the launcher stops with an internal error");
    for (int axis = 0; axis < 2; ++axis) {
        const std::int64_t extent = axis == 0 ? width : height;
        if (extent > static_cast<std::int64_t>(margins[axis * 2]) + margins[axis * 2 + 1])
            continue;
        if (!ownRect && extent <= 0) {
            // A command without a Rect of its own is as high as the page's font makes it
            // and as wide as CommandsRect: the cause lies in those page keys.
            if (zeroReported)
                return;
            zeroReported = true;
            const CUnicodeString key = Name(axis == 0 ? K::CommandsRect : K::FontSize);
            const int line = page.file.HasKey(section, key) ? page.file.LineOf(section, key)
                                                            : page.file.LineOf(section, Key(number, K::CommandText));
            add(page.path, line, section, key,
                (page.file.HasKey(section, key) ? CUnicodeString(u"makes ") : CUnicodeString(u"is missing, which makes ")) +
                    CUnicodeString::Format(u"Command%d (it has no Rect of its own) 0 pixels ", number) +
                    (axis == 0 ? CUnicodeString(u"wide") : CUnicodeString(u"high")) +
                    internalStop);
            return;
        }
        const CUnicodeString key = page.file.HasKey(section, Key(number, names[axis * 2])) ? Key(number, names[axis * 2])
                                   : page.file.HasKey(section, Key(number, names[axis * 2 + 1]))
                                       ? Key(number, names[axis * 2 + 1])
                                   : ownRect ? Key(number, K::CommandRect)
                                             : Key(number, K::CommandText);
        add(page, section, key,
            CUnicodeString::Format(axis == 0 ? u"the margins leave no width for the text of a command %lld wide"
                                             : u"the margins leave no height for the text of a command %lld high",
                                   static_cast<long long>(extent)) +
                internalStop);
        return; // the reader stops at the first
    }
}

void CDiscChecker::checkPicture(CPageFile& page, const CUnicodeString& section, const CUnicodeString& key, int number)
{
    const CUnicodeString path = page.PathValue(section, key);
    if (path.IsEmpty())
        return;
    if (!PageFiles::IsExistingFile(path))
        add(page, section, key, kStops + PageProblemText(PageRules::MissingCommandPicture(section, number, path)));
    else
        checkPictureFile(page, section, key, path, true);
}

void CDiscChecker::checkAction(CPageFile& page, const CUnicodeString& section, const CUnicodeString& key)
{
    const CUnicodeString action = page.Value(section, key);
    if (action.IsEmpty() || action == AutoRunStrings::kExitAction || action == AutoRunStrings::kBackAction ||
        action == AutoRunStrings::kCloseAction || action == AutoRunStrings::kFolderAction ||
        action.StartsWith(AutoRunStrings::kExtCommandPrefix))
        return;
    CUnicodeString target = action;
    if (action.StartsWith(AutoRunStrings::kFileUrlPrefix)) {
        target = action.Mid(AutoRunStrings::kFileUrlPrefix.Length());
    } else if (action[0] == u'$') {
        const CUnicodeString name = action.Mid(1);
        if (std::find(page.windowNames.begin(), page.windowNames.end(), name) != page.windowNames.end())
            return;
        CUnicodeString text = u"switches to the page " + Quoted(name) + u", which this file does not have";
        for (const CUnicodeString& window : page.windowNames)
            if (window.EqualsNoCase(name))
                text += u" (page names are matched with their case: did you mean " + Quoted(window) + u"?)";
        for (const CUnicodeString* special : {&AutoRunStrings::kExitAction, &AutoRunStrings::kBackAction,
                                              &AutoRunStrings::kCloseAction, &AutoRunStrings::kFolderAction})
            if (action.EqualsNoCase(*special))
                text += u" (actions are matched with their case: did you mean " + Quoted(*special) + u"?)";
        add(page, section, key, text);
        return;
    }
    if (PageRules::IsWebAddress(target))
        return;
    const CUnicodeString path = TObj::CombineAndNormalize(m_environment.launcherFolder, target);
    if (DiscPaths::HasUrlScheme(target))
        add(page, section, key,
            u"is not a web address to the launcher, which takes only \"http://\" and \"https://\" in lower case; "
            u"it opens " + Quoted(path) + u", which is not on the disc");
    else if (!DiscPaths::ExistsOnDisc(path))
        add(page, section, key, u"opens " + Quoted(path) + u", which is not on the disc");
}

void CDiscChecker::checkLayout(CPageFile& page)
{
    // Beside the launcher's own settings when a watching launcher asks for the check.
    CSettings settings{CSettings::CDetached{}};
    try {
        settings.LoadPageFile(m_environment, page.path);
    } catch (TObj::CException* failure) {
        const CUnicodeString text = TextOf(failure);
        // The load stops at the first fault that stops the launcher; when none has been
        // found with its line, the load's own words are the report.
        const bool explained =
            std::any_of(m_problems.begin() + static_cast<std::ptrdiff_t>(page.firstProblem), m_problems.end(),
                        [](const CCheckProblem& problem) { return problem.StopsTheLauncher(); });
        if (!explained)
            add(page.path, 0, {}, {}, kStops + text);
        return;
    }
    for (int w = 0; w < settings.WindowCount(); ++w) {
        const CWindowSettings& window = *settings.Window(w);
        SIZE client{window.backgroundSize.width, window.backgroundSize.height};
        if (!window.backgroundPath.IsEmpty() && !PictureProbe::BitmapSize(window.backgroundPath, client))
            continue;
        const int count = window.commands.Count();
        auto keyOf = [&](int index) {
            const CUnicodeString rect = Key(index + 1, K::CommandRect);
            return page.file.HasKey(window.name, rect) ? rect : Key(index + 1, K::CommandText);
        };
        std::vector<int> order;
        for (int i = 0; i < count; ++i) {
            const CPageRect& r = window.commands[i]->rect;
            if (r.left < 0 || r.top < 0 || r.right > client.cx || r.bottom > client.cy)
                add(page, window.name, keyOf(i),
                    CUnicodeString::Format(u"the command [%d, %d, %d, %d] reaches outside its window of %d x %d", r.left,
                                           r.top, r.right, r.bottom, static_cast<int>(client.cx),
                                           static_cast<int>(client.cy)));
            if (r.right > r.left && r.bottom > r.top)
                order.push_back(i);
        }
        // Sorted by top, each command meets only those that start above its bottom; each
        // is reported once, against the first it covers.
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return window.commands[a]->rect.top < window.commands[b]->rect.top; });
        std::vector<bool> reported(static_cast<std::size_t>(count), false);
        for (std::size_t i = 0; i < order.size(); ++i) {
            const CPageRect& a = window.commands[order[i]]->rect;
            for (std::size_t j = i + 1; j < order.size() && window.commands[order[j]]->rect.top < a.bottom; ++j) {
                const CPageRect& b = window.commands[order[j]]->rect;
                const int later = std::max(order[i], order[j]);
                if (reported[later] || b.left >= a.right || a.left >= b.right)
                    continue;
                reported[later] = true;
                add(page, window.name, keyOf(later),
                    CUnicodeString::Format(u"the command overlaps command %d", std::min(order[i], order[j]) + 1));
            }
        }
    }
}
