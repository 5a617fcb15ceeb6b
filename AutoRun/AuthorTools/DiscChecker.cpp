#include "DiscChecker.h"

#include "AutoRunSectionCheck.h"
#include "AutoRunStrings.h"
#include "Bitmap.h"
#include "CatchFailure.h"
#include "DiscPaths.h"
#include "FileSystem.h"
#include "FindingList.h"
#include "Icon.h"
#include "IniFile.h"
#include "Languages.h"
#include "LauncherReportPlaces.h"
#include "PageAction.h"
#include "PageFiles.h"
#include "PageKeys.h"
#include "PageRules.h"
#include "PageValues.h"
#include "PictureProbe.h"
#include "ScaleCheck.h"
#include "TextProbe.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

using K = PageKeys::EKey;
using TObj::CUnicodeString;

struct CDiscChecker::CPageFile {
    CUnicodeString path;
    TObj::CIniFile& file;
    CPageVariables variables;
    bool isRoot;
    std::size_t firstProblem;

    CUnicodeString Value(const CUnicodeString& section, const CUnicodeString& key)
    {
        return variables.Expand(file.GetValue(section, key, CUnicodeString()));
    }
};

// The reader's findings, and the probes of the pictures it names.
class CDiscChecker::CPageSink : public CFindingList {
public:
    CPageSink(CDiscChecker& checker, const CSettings& settings) : m_checker(checker), m_settings(settings) {}
    void PictureNamed(const CPageFinding& where, const CUnicodeString& path, bool isPagePicture) override
    {
        const bool isStartPicture = isPagePicture && where.section == m_settings.StartWindowName();
        m_checker.checkPicture(*this, where, path, isStartPicture, isPagePicture);
    }

private:
    CDiscChecker& m_checker;
    const CSettings& m_settings; // the settings being read
};

namespace {

TOBJ_MESSAGE(ERR_AR_FILE_NOT_FOUND);
TOBJ_MESSAGE(ERR_BAD_INI_FILE);

const CUnicodeString& kStops = CPageFinding::kStopsWith;

constexpr auto Quoted = &CPageFinding::Quoted;
// The name of a page's key, or of a command's with its "Command<N>_".
CUnicodeString Name(PageKeys::EKey key) { return CUnicodeString(PageKeys::Key(key).name); }
CUnicodeString Key(int number, PageKeys::EKey key)
{
    return PageRules::CommandKeyPrefix(number) + PageKeys::Key(key).name;
}

} // namespace

void CDiscChecker::add(const CUnicodeString& file, int line, const CUnicodeString& section, const CUnicodeString& key,
                       const CUnicodeString& text)
{
    m_problems.push_back(CPageFinding::At(file, line, section, key, text));
}

void CDiscChecker::addStop(const CUnicodeString& file, const CUnicodeString& text, const CUnicodeString& message,
                           const CUnicodeString& section, const CUnicodeString& key, int line)
{
    CPageFinding finding = CPageFinding::At(file, line, section, key, text);
    finding.weight = EFindingWeight::Stops;
    finding.stopMessage = message;
    m_problems.push_back(std::move(finding));
}

void CDiscChecker::addMalformedLine(const CUnicodeString& file, int line)
{
    const CUnicodeString message = TObj::FailureText([&] {
        TObj::ThrowCheckError(ERR_BAD_INI_FILE, file, CUnicodeString::FromUInt(static_cast<std::uint64_t>(line)));
    });
    addStop(file, u"the line is no [section], key=value line or comment; " + kStops + message, message, {}, {}, line);
}

void CDiscChecker::add(CPageFile& page, const CUnicodeString& section, const CUnicodeString& key,
                       const CUnicodeString& text)
{
    add(page.path, key.IsEmpty() ? 0 : page.file.LineOf(section, key), section, key, text);
}

std::vector<CPageFinding> CDiscChecker::Run()
{
    m_problems.clear();
    m_rootPath = TObj::CombineAndNormalize(m_environment.launcherFolder, AutoRunStrings::kRootFileName);
    if (!PageFiles::IsExistingFile(m_rootPath)) {
        addStop(m_rootPath, CUnicodeString(u"the file does not exist; the launcher cannot start"),
                TObj::CCheckException(ERR_AR_FILE_NOT_FOUND, m_rootPath).GetMessageText());
        return m_problems;
    }
    // Its broken lines are named with the page files' when it is one of them.
    std::vector<int> malformed;
    TObj::CIniFile root(m_rootPath, [&malformed](int line) { malformed.push_back(line); });
    std::vector<CUnicodeString> pageFiles;
    CPageVariables rootVariables;
    const CUnicodeString failure = TObj::FailureText([&] { pageFiles = checkRootFile(root, rootVariables); });
    if (!failure.IsEmpty()) {
        addStop(m_rootPath, kStops + failure, failure);
        return m_problems;
    }
    for (CPageFinding& finding : AutoRunSectionCheck::Check(root, m_rootPath, m_environment))
        m_problems.push_back(std::move(finding));
    if (std::find(pageFiles.begin(), pageFiles.end(), m_rootPath) == pageFiles.end()) {
        checkBytes(m_rootPath);
        for (const int line : malformed)
            addMalformedLine(m_rootPath, line);
    }
    for (const CUnicodeString& path : pageFiles)
        checkPageFile(path, path == m_rootPath, rootVariables);
    return m_problems;
}

std::vector<CUnicodeString> CDiscChecker::checkRootFile(TObj::CIniFile& root, CPageVariables& variables)
{
    CPageFile page{m_rootPath, root, {}, true, m_problems.size()};
    checkVariables(page);
    variables = page.variables;
    const CUnicodeString& common = AutoRunStrings::kCommonSection;
    const CUnicodeString dirKey = Name(K::Dir), defaultKey = Name(K::DefaultIniFile), iconKey = Name(K::Icon);
    const CUnicodeString dir = root.GetValue(common, dirKey, CUnicodeString());
    if (dir.IsEmpty())
        return {m_rootPath};
    if (dir.Find(AutoRunStrings::kVariableOpener) >= 0)
        add(page, common, dirKey,
            CUnicodeString(u"uses a variable, but \"Dir\" is taken as written: variables are "
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
    for (const int code : PageFiles::LanguageCodesIn(folder)) {
        const CUnicodeString candidate = PageFiles::LanguagePageFile(folder, code);
        pageFiles.push_back(candidate);
        if (!TObj::IsLanguageCodeUsed(code) && !candidate.EqualsNoCase(fallback))
            add(page, common, dirKey,
                u"holds " + Quoted(candidate) +
                    CUnicodeString::Format(u", the page file of language %d, which no Windows language selects; only "
                                           u"the option -l:%d shows it",
                                           code, code));
    }
    if (!fallback.IsEmpty()) {
        if (!DiscPaths::IsInside(fallback, m_environment.launcherFolder))
            add(page, common, defaultKey, u"leads outside the disc, to " + Quoted(fallback));
        if (!PageFiles::IsExistingFile(fallback))
            add(page, common, root.HasKey(common, defaultKey) ? defaultKey : dirKey,
                u"the default page file " + Quoted(fallback) +
                    u" does not exist; languages without a page file of their own get \"Autorun.inf\" instead");
    }
    // Languages without a page file of their own get the default one, or "Autorun.inf"
    // itself when there is none.
    const CUnicodeString shared = !fallback.IsEmpty() && PageFiles::IsExistingFile(fallback) ? fallback : m_rootPath;
    if (std::find(pageFiles.begin(), pageFiles.end(), shared) == pageFiles.end())
        pageFiles.push_back(shared);
    if (shared != m_rootPath && root.HasKey(common, iconKey))
        add(page, common, iconKey,
            CUnicodeString(u"is not read here: with \"Dir\" set, the icon is "
                           u"the page file's own [Common] Icon"));
    return pageFiles;
}

void CDiscChecker::checkBytes(const CUnicodeString& path)
{
    const TextProbe::CTextFindings findings = TextProbe::ProbeText(path);
    for (const TextProbe::CUndecodable& place : findings.undecodable)
        add(path, place.line, {}, {},
            place.utf16 ? CUnicodeString(u"the file has an odd number of bytes for UTF-16; the launcher leaves out "
                                         u"its last byte")
                        : CUnicodeString(u"the line holds bytes that are not valid UTF-8; the launcher reads each "
                                         u"broken sequence as the replacement character U+FFFD"));
    for (const int line : findings.utf8WithoutMark)
        add(path, line, {}, {},
            CUnicodeString(u"the line holds UTF-8 text, but the file has no byte-order mark, so the launcher reads "
                           u"it in the ANSI code page (\"\u00FC\" shows as \"\u00C3\u00BC\"); save it as UTF-8 with a "
                           u"byte-order mark"));
}

void CDiscChecker::checkPageFile(const CUnicodeString& path, bool isRoot, const CPageVariables& rootVariables)
{
    // The findings of the file's bytes are sorted by line with the others.
    const std::size_t firstProblem = m_problems.size();
    checkBytes(path);
    TObj::CIniFile file(path, [this, &path](int line) { addMalformedLine(path, line); });
    CPageFile page{path, file, rootVariables, isRoot, firstProblem};
    std::vector<CUnicodeString> sections;
    const CUnicodeString failure = TObj::FailureText([&] { sections = file.SectionNames(); });
    if (!failure.IsEmpty()) {
        addStop(path, kStops + failure, failure);
        return;
    }
    if (!isRoot)
        checkVariables(page);
    for (const CUnicodeString& section : sections) {
        if (section.EqualsNoCase(AutoRunStrings::kCommonSection))
            checkKeys(page, section, PageKeys::EScope::Common);
        else if (PageFiles::IsPageSection(section))
            checkKeys(page, section, PageKeys::EScope::Window);
    }
    readPages(page);
    std::stable_sort(m_problems.begin() + static_cast<std::ptrdiff_t>(page.firstProblem), m_problems.end(),
                     [](const CPageFinding& a, const CPageFinding& b) { return a.line < b.line; });
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

void CDiscChecker::checkKeys(CPageFile& page, const CUnicodeString& section, PageKeys::EScope scope)
{
    for (const CUnicodeString& key : page.file.KeyNames(section)) {
        checkUndefinedVariables(page, section, key, page.variables);
        if (scope == PageKeys::EScope::Common) {
            if (PageKeys::Find(scope, key, page.isRoot) == nullptr)
                add(page, section, key, CUnicodeString(u"is not a key of [Common]; it is ignored"));
            continue;
        }
        int number = 0;
        CUnicodeString rest;
        if (PageKeys::Find(scope, key) != nullptr || (PageKeys::SplitCommandKey(key, number, rest) &&
                                                      PageKeys::Find(PageKeys::EScope::Command, rest) != nullptr))
            continue;
        const CUnicodeString nearest = PageKeys::NearestWindowKey(key);
        add(page, section, key,
            nearest.IsEmpty() ? CUnicodeString(u"is not a known key; it is ignored")
                              : u"is not a known key; it is ignored (did you mean " + Quoted(nearest) + u"?)");
    }
}

void CDiscChecker::readPages(CPageFile& page)
{
    // Beside the launcher's own settings when a watching launcher asks for the check.
    CSettings settings{CSettings::CDetached{}};
    CPageSink sink(*this, settings);
    const CUnicodeString failure = TObj::FailureText([&] { settings.LoadPageFile(m_environment, page.path, sink); });
    m_problems.insert(m_problems.end(), sink.Findings().begin(), sink.Findings().end());
    if (!failure.IsEmpty()) {
        // A failure that no finding explains: the load's own words are the report.
        const bool explained =
            std::any_of(m_problems.begin() + static_cast<std::ptrdiff_t>(page.firstProblem), m_problems.end(),
                        [](const CPageFinding& problem) { return problem.StopsTheLauncher(); });
        if (!explained)
            addStop(page.path, kStops + failure, failure);
        return;
    }
    checkIcon(page, settings.IconPath());
    // The layout's problems told, each once, at the first DPI it shows at; the pictures
    // whose variants are checked.
    std::set<std::u16string> told, pictures;
    for (int w = 0; w < settings.WindowCount(); ++w) {
        const CWindowSettings& window = *settings.Window(w);
        // A command its condition hides here runs on other machines.
        for (const CCommandSettings* command : window.commands) {
            checkAction(page, settings, window.name, Key(command->number, K::CommandAction));
            checkAction(page, settings, window.name, Key(command->number, K::CommandAction64));
        }
        checkLayout(page, window, 0, told);
        checkLooks(page, window);
        checkScaling(page, window, pictures);
    }
    checkOtherScales(page, told);
}

void CDiscChecker::checkOtherScales(CPageFile& page, std::set<std::u16string>& told)
{
    for (const int dpi : PageValues::kCheckedDpis) {
        if (dpi == m_environment.dpiY)
            continue;
        CLoadEnvironment environment = m_environment;
        environment.dpiY = dpi;
        CSettings settings{CSettings::CDetached{}};
        // What the reader finds was told at the first reading, but for the layout.
        CFindingList ignored;
        if (!TObj::FailureText([&] { settings.LoadPageFile(environment, page.path, ignored); }).IsEmpty())
            continue;
        for (int w = 0; w < settings.WindowCount(); ++w)
            checkLayout(page, *settings.Window(w), dpi, told);
    }
}

void CDiscChecker::checkScaling(CPageFile& page, const CWindowSettings& window, std::set<std::u16string>& pictures)
{
    if (window.scaleDpi == 0) {
        const CUnicodeString relative = ScaleCheck::FirstRelativeKey(page.file, window.name);
        if (!window.backgroundPath.IsEmpty() && !relative.IsEmpty())
            add(page, window.name, Name(K::Background),
                u"keeps its pixels at every DPI, but " + relative +
                    u" grows with the DPI (\"rel\"): above 96 dpi the page no longer matches its picture; "
                    u"ScaleWithDpi=1 scales the whole page with the DPI");
        return;
    }
    // Each picture file once a page file, at the first key that names it.
    const auto checkPicture = [&](const CUnicodeString& key, const CUnicodeString& path) {
        const std::u16string name(path.Ptr(), static_cast<std::size_t>(path.Length()));
        if (path.IsEmpty() || !pictures.insert(name).second)
            return;
        for (const CUnicodeString& problem : ScaleCheck::VariantProblems(path))
            add(page, window.name, key, problem);
    };
    checkPicture(Name(K::Background), window.backgroundPath);
    const K keys[3] = {K::CommandBackgroundImage, K::CommandBackgroundHoverImage, K::CommandBackgroundClickImage};
    for (const CCommandSettings* command : window.commands)
        for (int state = 0; state < 3; ++state)
            if (command->pictures[state] != nullptr)
                checkPicture(page.file.HasKey(window.name, Key(command->number, keys[state]))
                                 ? Key(command->number, keys[state])
                                 : Key(command->number, K::CommandBackgroundImage),
                             command->pictures[state]->Path());
}

void CDiscChecker::checkLooks(CPageFile& page, const CWindowSettings& window)
{
    // A label shows its text alone.
    static const K kNotOnLabels[] = {K::CommandComment,
                                     K::CommandTooltip,
                                     K::CommandHint,
                                     K::CommandHintMargin,
                                     K::CommandHintFontSize,
                                     K::CommandFontSelectedColor,
                                     K::CommandBackgroundImage,
                                     K::CommandBackgroundHoverImage,
                                     K::CommandBackgroundClickImage,
                                     K::CommandBackgroundColor,
                                     K::CommandBackgroundHoverColor,
                                     K::CommandBackgroundClickColor,
                                     K::CommandBorderWidth,
                                     K::CommandBorderColor,
                                     K::CommandBorderHoverColor,
                                     K::CommandBorderClickColor};
    for (const CCommandSettings* shown : window.commands) {
        const CCommandSettings& command = *shown;
        const int number = command.number;
        if (command.action.IsEmpty()) {
            for (const K key : kNotOnLabels)
                if (page.file.HasKey(window.name, Key(number, key)))
                    add(page, window.name, Key(number, key),
                        CUnicodeString(u"is not shown: a command without an action is a label, which shows its "
                                       u"text alone"));
        } else if (command.borderWidth > 0 && !command.hasColors && !command.hasPictures) {
            add(page, window.name, Key(number, K::CommandBorderWidth),
                u"the border's colour fills the whole command, since only a background paints over its inside; give "
                u"it a " +
                    Key(number, K::CommandBackgroundColor));
        }
    }
}

void CDiscChecker::checkIcon(CPageFile& page, const CUnicodeString& icon)
{
    if (icon.IsEmpty() || CSettings::IsMissingIcon(icon) || PictureProbe::IsReadableIcon(icon))
        return;
    const CUnicodeString message = TObj::FailureText([&icon] { ZYR::CIcon().LoadFromFile(icon, 16, 16); });
    const CUnicodeString& section = AutoRunStrings::kCommonSection;
    const CUnicodeString key = Name(K::Icon);
    const CUnicodeString text = u"the icon " + Quoted(icon) + u" cannot be read as an icon";
    // A file that starts as an icon does is loaded once the page is shown, which stays.
    if (ZYR::CIcon::HasIconSignature(icon))
        add(page, section, key, text + u"; the launcher tells so once its page is shown, and keeps its own icon");
    else
        addStop(page.path, text + u"; " + kStops + message, message, section, key, page.file.LineOf(section, key));
}

void CDiscChecker::checkPicture(CFindingList& sink, const CPageFinding& where, const CUnicodeString& path,
                                bool isStartPicture, bool isPagePicture)
{
    CPageFinding finding = where;
    SIZE size{};
    if (isPagePicture && !PictureProbe::BitmapSize(path, size)) {
        finding.text = CPageFinding::UnreadablePicture(path);
        if (isStartPicture) {
            // The launcher loads its start page's picture before its window exists.
            finding.text += CPageFinding::kStopsWithInternalError;
            sink.Stop(finding, [path] { ZYR::CBitmap().LoadFromFile(path, Places::kStartPictureLoad); });
        } else {
            finding.text += u"; the launcher shows an internal error when it switches to this page";
            sink.Note(finding);
        }
    } else if (const std::int64_t missing = PictureProbe::MissingBitmapBytes(path)) {
        finding.text =
            u"the picture " + Quoted(path) +
            (missing == PictureProbe::kCutInsideHeader
                 ? CUnicodeString(u" is cut short inside its header")
                 : CUnicodeString::Format(u" is cut short: %lld bytes are missing", static_cast<long long>(missing)));
        sink.Note(finding);
    }
}

void CDiscChecker::checkAction(CPageFile& page, const CSettings& pages, const CUnicodeString& section,
                               const CUnicodeString& key)
{
    const CUnicodeString text = page.Value(section, key);
    const CPageAction action = CPageAction::Of(text);
    if (action.kind == EActionKind::Page) {
        const CUnicodeString& name = action.target;
        if (pages.WindowNamed(name) != nullptr)
            return;
        CUnicodeString problem = u"switches to the page " + Quoted(name) + u", which this file does not have";
        for (int w = 0; w < pages.WindowCount(); ++w)
            if (pages.Window(w)->name.EqualsNoCase(name))
                problem +=
                    u" (page names are matched with their case: did you mean " + Quoted(pages.Window(w)->name) + u"?)";
        for (const CUnicodeString* special : {&AutoRunStrings::kExitAction, &AutoRunStrings::kBackAction,
                                              &AutoRunStrings::kCloseAction, &AutoRunStrings::kFolderAction})
            if (text.EqualsNoCase(*special))
                problem += u" (actions are matched with their case: did you mean " + Quoted(*special) + u"?)";
        add(page, section, key, problem);
        return;
    }
    if (!action.OpensOnDisc())
        return;
    const CUnicodeString path = action.PathBelow(m_environment.launcherFolder);
    if (action.kind == EActionKind::File && DiscPaths::HasUrlScheme(action.target))
        add(page, section, key,
            u"is not a web address to the launcher, which takes only \"http://\" and \"https://\" in lower case; "
            u"it opens " +
                Quoted(path) + u", which is not on the disc");
    else if (!DiscPaths::ExistsOnDisc(path))
        add(page, section, key, u"opens " + Quoted(path) + u", which is not on the disc");
}

void CDiscChecker::checkLayout(CPageFile& page, const CWindowSettings& window, int dpi, std::set<std::u16string>& told)
{
    SIZE client{window.backgroundSize.width, window.backgroundSize.height};
    if (!window.backgroundPath.IsEmpty() && !PictureProbe::BitmapSize(window.backgroundPath, client))
        return;
    // A page that scales as a whole has its picture scaled with it.
    if (!window.backgroundPath.IsEmpty() && window.scaleDpi != 0)
        client = SIZE{static_cast<LONG>(PageValues::ScaleByDpi(client.cx, window.scaleDpi)),
                      static_cast<LONG>(PageValues::ScaleByDpi(client.cy, window.scaleDpi))};
    // Told at the first DPI it shows at, and there only.
    const auto tell = [&](const CUnicodeString& key, const char16_t* kind, const CUnicodeString& text) {
        const CUnicodeString id = window.name + u"\n" + key + u"\n" + kind;
        if (!told.insert(std::u16string(id.Ptr(), static_cast<std::size_t>(id.Length()))).second)
            return;
        add(page, window.name, key, dpi == 0 ? text : CUnicodeString::Format(u"at %d dpi, ", dpi) + text);
    };
    const int count = window.commands.Count();
    if (dpi == 0 && count > 0 &&
        std::all_of(window.commands.begin(), window.commands.end(),
                    [](const CCommandSettings* command) { return command->hidden; }))
        add(page, window.name, Key(window.commands[0]->number, K::CommandIf),
            CUnicodeString(u"hides every command of the page on this machine: no condition holds, so the page "
                           u"shows none"));
    auto keyOf = [&](int index) {
        const int number = window.commands[index]->number;
        const CUnicodeString rect = Key(number, K::CommandRect);
        return page.file.HasKey(window.name, rect) ? rect : Key(number, K::CommandText);
    };
    // Laid out as this machine decides: commands with opposite conditions may share a place.
    std::vector<int> order;
    for (int i = 0; i < count; ++i) {
        if (window.commands[i]->hidden)
            continue;
        const CPageRect& r = window.commands[i]->rect;
        if (r.left < 0 || r.top < 0 || r.right > client.cx || r.bottom > client.cy)
            tell(keyOf(i), u"outside",
                 CUnicodeString::Format(u"the command [%d, %d, %d, %d] reaches outside its window of %d x %d", r.left,
                                        r.top, r.right, r.bottom, static_cast<int>(client.cx),
                                        static_cast<int>(client.cy)));
        if (r.right > r.left && r.bottom > r.top)
            order.push_back(i);
        const CUnicodeString cut = ScaleCheck::TextProblem(*window.commands[i]);
        if (!cut.IsEmpty())
            tell(Key(window.commands[i]->number, K::CommandText), u"cut", cut);
    }
    // Sorted by top, each command meets only those that start above its bottom; each is
    // reported once, against the first it covers.
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
            tell(keyOf(later), u"overlaps",
                 CUnicodeString::Format(u"the command overlaps command %d",
                                        window.commands[std::min(order[i], order[j])]->number));
        }
    }
}
