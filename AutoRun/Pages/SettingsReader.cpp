#include "SettingsReader.h"

#include "AutoRunStrings.h"
#include "CatchFailure.h"
#include "CheckException.h"
#include "Errors.h"
#include "FileSystem.h"
#include "LauncherReportPlaces.h"
#include "PageFiles.h"
#include "PageFindingSink.h"
#include "PageRules.h"
#include "PageValues.h"
#include "PictureDecoder.h"
#include "PictureVariants.h"
#include "PlainKeys.h"
#include "ScopeExit.h"
#include "WindowsMachineFacts.h"

#include <windows.h>

#include <memory>
#include <set>
#include <utility>

using PageKeys::EKey;
using TObj::CUnicodeString;

namespace {

TOBJ_MESSAGE(ERR_AR_FILE_NOT_FOUND);
TOBJ_MESSAGE(ERR_AR_BACKGROUND_IMAGE_NOT_FOUND);
TOBJ_MESSAGE(ERR_AR_BACKGROUND_PROPS_NOT_FOUND);
TOBJ_MESSAGE(ERR_AR_WRONG_BACKGROUND_SETTINGS);

const CUnicodeString& kStops = CPageFinding::kStopsWith;
const CUnicodeString& kInternalStop = CPageFinding::kStopsWithInternalError;

CUnicodeString CheckErrorText(const TObj::CMessage& message, const CUnicodeString& param)
{
    return TObj::CCheckException(message, param).GetMessageText();
}

const TObj::CMessage& MessageNamed(const char* name)
{
    if (CUnicodeString(name) == CUnicodeString(u"ERR_AR_BACKGROUND_IMAGE_NOT_FOUND"))
        return ERR_AR_BACKGROUND_IMAGE_NOT_FOUND;
    if (CUnicodeString(name) == CUnicodeString(u"ERR_AR_BACKGROUND_PROPS_NOT_FOUND"))
        return ERR_AR_BACKGROUND_PROPS_NOT_FOUND;
    return ERR_AR_WRONG_BACKGROUND_SETTINGS;
}

void Raise(const PageRules::CPageProblem& problem)
{
    if (problem)
        TObj::ThrowCheckError(MessageNamed(problem.messageName), problem.param0, problem.param1);
}

// The message a broken background rule raises, as the launcher shows it.
CUnicodeString PageProblemText(const PageRules::CPageProblem& problem)
{
    return TObj::CCheckException(MessageNamed(problem.messageName), problem.param0, problem.param1).GetMessageText();
}

} // namespace

CSettings::CReader::CReader(int language, CSettings& settings, const CLoadEnvironment& environment,
                            CPageFindingSink& sink)
    : m_settings(&settings), m_language(language), m_environment(environment), m_sink(sink)
{
    m_pageFilePath = findPageFile();
    TOBJ_ASSERT(!m_pageFilePath.IsEmpty(), Places::kNoPageFile);
}

CSettings::CReader::CReader(CSettings& settings, const CLoadEnvironment& environment, const CUnicodeString& pageFile,
                            CPageFindingSink& sink)
    : m_settings(&settings), m_language(0), m_environment(environment), m_sink(sink)
{
    findPageFile();
    m_pageFilePath = pageFile;
}

CUnicodeString CSettings::CReader::findPageFile()
{
    m_autorunPath = TObj::CombineAndNormalize(m_environment.launcherFolder, AutoRunStrings::kRootFileName);
    if (!TObj::FileExists(m_autorunPath))
        TObj::ThrowCheckError(ERR_AR_FILE_NOT_FOUND, m_autorunPath);
    m_autorun.reset(new TObj::CIniFile(m_autorunPath, malformedLines()));
    TObj::CIniFile& autorun = *m_autorun;
    m_variables.Clear();
    readVariables(autorun);
    // Neither has variables substituted.
    const CUnicodeString dir = autorun.GetValue(AutoRunStrings::kCommonSection,
                                                CUnicodeString(PageKeys::Key(EKey::Dir).name), CUnicodeString());
    const CUnicodeString defaultFile =
        autorun.GetValue(AutoRunStrings::kCommonSection, CUnicodeString(PageKeys::Key(EKey::DefaultIniFile).name),
                         AutoRunStrings::kDefaultPageFile);
    if (dir.IsEmpty())
        return m_autorunPath;
    const CUnicodeString folder = PageFiles::PageFolder(m_environment.launcherFolder, dir);
    const CUnicodeString chosen =
        PageFiles::PageFileFor(m_autorunPath, folder, defaultFile, m_language, m_missingChoices);
    // A language without a page file of its own is shown as the default one.
    if (m_language < 0 || chosen != PageFiles::LanguagePageFile(folder, m_language)) {
        m_language = 0;
        m_settings->m_language = 0;
    }
    return chosen;
}

TObj::CIniData::FMalformedLine CSettings::CReader::malformedLines() const
{
    // The author's check names such lines from its own reading of the files and reads on;
    // the launcher stops at the first.
    if (m_sink.WantsEveryFinding())
        return [](int) {};
    return nullptr;
}

void CSettings::CReader::readVariables(TObj::CIniFile& file)
{
    if (!file.HasSection(AutoRunStrings::kVariablesSection))
        return;
    // File order, so a definition sees exactly the ones above it.
    for (const CUnicodeString& name : file.KeyNames(AutoRunStrings::kVariablesSection))
        m_variables.Define(name, file.GetValue(AutoRunStrings::kVariablesSection, name, CUnicodeString()));
}

void CSettings::CReader::read()
{
    // A disc without Dir has its pages in the root file itself, which is parsed already.
    std::unique_ptr<TObj::CIniFile> pageFile;
    TObj::CIniFile* page = m_autorun.get();
    if (page == nullptr || page->Path() != m_pageFilePath) {
        pageFile.reset(new TObj::CIniFile(m_pageFilePath, malformedLines()));
        page = pageFile.get();
    }
    // The reader's current file is back as it was on every way out of the read.
    TObj::CIniFile* const enclosingFile = std::exchange(m_currentFile, page);
    const auto restoreFile = TObj::OnScopeExit([this, enclosingFile] { m_currentFile = enclosingFile; });
    m_settings->m_pages.pageFilePath = page->Path();
    // The root file's variables are read once, also when it is the page file itself.
    if (page->Path() != m_autorunPath)
        readVariables(*page);
    m_commonScales = readCommonScaling();
    for (const CUnicodeString& section : page->SectionNames()) {
        if (section.EqualsNoCase(AutoRunStrings::kCommonSection))
            readCommon(section);
        else if (PageFiles::IsPageSection(section))
            readWindow(section);
    }
    if (m_sink.WantsEveryFinding())
        reportMissingStartPage();
    // Every file the pages were made from, for an author watching them change.
    std::vector<CUnicodeString>& files = m_settings->m_pages.readFiles;
    files.assign({m_autorunPath, page->Path(), m_settings->m_pages.iconPath});
    files.insert(files.end(), m_missingChoices.begin(), m_missingChoices.end());
    for (const CWindowSettings* window : m_settings->m_pages.windows) {
        files.push_back(window->backgroundPath);
        // The variant drawn may change with the DPI, and one may come or go.
        if (window->scaleDpi != 0 && !window->backgroundPath.IsEmpty())
            for (const int percent : PictureVariants::kScales)
                files.push_back(PictureVariants::NameAt(window->backgroundPath, percent));
    }
    for (const auto& picture : m_pictures)
        files.emplace_back(picture.first.c_str(), static_cast<int>(picture.first.size()));
}

bool CSettings::CReader::readCommonScaling()
{
    // Every page's default, wherever [Common] stands in the page file; else the root file's,
    // so that one line there serves the page files of every language.
    const CPlace common{AutoRunStrings::kCommonSection, CUnicodeString()};
    if (hasKey(common, EKey::CommonScaleWithDpi) || m_autorun == nullptr || m_currentFile == m_autorun.get())
        return readBool(common, EKey::CommonScaleWithDpi);
    TObj::CIniFile* const pageFile = std::exchange(m_currentFile, m_autorun.get());
    const auto restoreFile = TObj::OnScopeExit([this, pageFile] { m_currentFile = pageFile; });
    return readBool(common, EKey::CommonScaleWithDpi);
}

void CSettings::CReader::readCommon(const CUnicodeString& section)
{
    const CPlace common{section, CUnicodeString()};
    const CUnicodeString icon = readPath(common, EKey::Icon);
    m_settings->m_pages.iconPath = icon;
    // The launcher asks for the icon once its start page is loaded, and stops then.
    if (m_sink.WantsEveryFinding() && CSettings::IsMissingIcon(icon))
        stop(common, EKey::Icon, kStops + CheckErrorText(ERR_AR_FILE_NOT_FOUND, icon),
             [icon] { TObj::ThrowCheckError(ERR_AR_FILE_NOT_FOUND, icon); });
}

void CSettings::CReader::reportMissingStartPage()
{
    const CUnicodeString start = m_settings->StartWindowName();
    if (m_settings->WindowNamed(start) != nullptr)
        return;
    const CUnicodeString where = start == CSettings::kDefaultStartPage
                                     ? CUnicodeString(u", where the launcher starts unless told otherwise")
                                     : u", where the option -" + AutoRunStrings::kStartPageOption + u":" +
                                           (start.Find(u' ') >= 0 ? u"\"" + start + u"\"" : start) + u" starts it";
    const CSettings& settings = *m_settings;
    const auto raise = [&settings, start] { settings.GetWindow(start); };
    const CUnicodeString message = TObj::FailureText(raise);
    m_sink.Stop(CPageFinding::At(m_currentFile->Path(), 0, {}, {},
                                 u"has no page [" + start + u"]" + where + u"; " + kStops + message),
                raise);
}

void CSettings::CReader::readWindow(const CUnicodeString& section)
{
    const CPlace page{section, CUnicodeString()};
    std::unique_ptr<CWindowSettings> window(new CWindowSettings);
    window->name = section;
    // Read first: it tells what every pixel value of the page means.
    const bool scales = readBool(page, EKey::ScaleWithDpi, m_commonScales);
    window->scaleDpi = scales ? m_environment.dpiY : 0;
    m_pixels = scales ? PageValues::EPixels::Scaled : PageValues::EPixels::Kept;
    window->backgroundPath = readPath(page, EKey::Background);
    readPlainKeys(page, PlainKeys::OfPage(), *window);
    const bool pictureExists = !window->backgroundPath.IsEmpty() && PageFiles::IsExistingFile(window->backgroundPath);
    if (const PageRules::CPageProblem problem = PageRules::CheckWindowBackground(
            section, window->backgroundPath, window->backgroundSize, window->backgroundColor, pictureExists)) {
        // The key to blame is the first of the three that the page has.
        const EKey key = hasKey(page, EKey::Background)       ? EKey::Background
                         : hasKey(page, EKey::BackgroundSize) ? EKey::BackgroundSize
                                                              : EKey::BackgroundColor;
        stop(page, key, kStops + PageProblemText(problem), [problem] { Raise(problem); });
    } else if (pictureExists && m_sink.WantsEveryFinding()) {
        m_sink.PictureNamed(findingAt(page, EKey::Background, {}), window->backgroundPath, true);
    }

    // The defaults of these follow the keys above.
    window->commentFontName = readText(page, EKey::FontCommentName, window->fontName);
    window->commentFontSize = readFontSize(page, EKey::FontCommentSize, window->fontSize);
    readCommands(section, *window);
    m_settings->m_pages.windows.Add(window.release());
}

void CSettings::CReader::readCommands(const CUnicodeString& section, CWindowSettings& window)
{
    const CPageRect column = readRect(CPlace{section, CUnicodeString()}, EKey::CommandsRect, CPageRect{});
    const std::int32_t height =
        PageLayout::StepOrFallback(window.fontSize, window.fontRatio, PageKeys::Key(EKey::FontRatio).fallback);
    const std::int32_t gap =
        PageLayout::StepOrFallback(window.fontSize, window.spaceRatio, PageKeys::Key(EKey::SpaceRatio).fallback);
    CPageRect layout = PageLayout::FirstDefaultRect(column, height);
    m_emptyColumnReported = false;
    for (int number = 1;; ++number) {
        std::unique_ptr<CCommandSettings> command(new CCommandSettings);
        if (!readCommand(section, number, window, layout, *command))
            break;
        // A hidden command is as if absent: the next one takes its place in the column.
        command->hidden = !decideCondition(CPlace{section, PageRules::CommandKeyPrefix(number)}, window, *command);
        if (!command->hidden)
            layout = PageLayout::NextDefaultRect(
                CPageRect{column.left, command->rect.top, column.right, command->rect.bottom}, gap, height);
        window.commands.Add(command.release());
    }
    if (m_sink.WantsEveryFinding())
        reportUnreadCommands(section, window.commands.Count());
}

bool CSettings::CReader::decideCondition(const CPlace& place, CWindowSettings& window, CCommandSettings& command)
{
    const CUnicodeString text = readText(place, EKey::CommandIf);
    if (text.Trimmed().IsEmpty())
        return true;
    CPageCondition condition;
    CPageCondition::CProblem problem;
    if (!CPageCondition::Parse(text, condition, problem)) {
        if (m_sink.WantsEveryFinding()) {
            CPageFinding finding =
                findingAt(place, EKey::CommandIf,
                          CUnicodeString::Format(u"the condition is malformed at column %d: ", problem.column) +
                              problem.text + u"; the command shows as if it had none");
            finding.weight = EFindingWeight::DefaultApplies;
            m_sink.Note(std::move(finding));
        }
        return true;
    }
    const CUnicodeString otherwise = readText(place, EKey::CommandIfFalse).Trimmed();
    const bool disable = otherwise.EqualsNoCase(CUnicodeString(u"disable"));
    if (!disable && !otherwise.IsEmpty() && !otherwise.EqualsNoCase(CUnicodeString(u"hide")) &&
        m_sink.WantsEveryFinding())
        m_sink.Note(findingAt(place, EKey::CommandIfFalse,
                              u"the value \"" + otherwise + u"\" is neither hide nor disable; hide applies"));
    if (m_machine == nullptr)
        m_machine = std::make_unique<CWindowsMachineFacts>(m_environment, m_currentFile->Path());
    const bool held = condition.Evaluate(*m_machine);
    window.decisions.push_back({std::move(condition), held, command.number, text, disable});
    if (held)
        return true;
    if (!disable)
        return false;
    command.disabled = true;
    command.selectedColor = command.notSelectedColor = window.unusableColor;
    return true;
}

void CSettings::CReader::reportUnreadCommands(const CUnicodeString& section, int count)
{
    const CUnicodeString next = PageRules::CommandKeyPrefix(count + 1);
    std::set<int> reported;
    for (const CUnicodeString& key : m_currentFile->KeyNames(section)) {
        int number = 0;
        CUnicodeString rest;
        if (!PageKeys::SplitCommandKey(key, number, rest) || number <= count || reported.count(number) != 0 ||
            PageKeys::Find(PageKeys::EScope::Command, rest) == nullptr)
            continue;
        reported.insert(number);
        m_sink.Note(CPageFinding::At(m_currentFile->Path(), m_currentFile->LineOf(section, key), section, key,
                                     u"is never read: the list of commands ends before, as there is no " + next +
                                         PageKeys::Key(EKey::CommandText).name + u" or " + next +
                                         PageKeys::Key(EKey::CommandRect).name));
    }
}

bool CSettings::CReader::readCommand(const CUnicodeString& section, int number, const CWindowSettings& window,
                                     const CPageRect& defaultRect, CCommandSettings& command)
{
    const CUnicodeString prefix = PageRules::CommandKeyPrefix(number);
    const CPlace place{section, prefix};
    if (!hasKey(place, EKey::CommandText) && !hasKey(place, EKey::CommandRect))
        return false;
    command.number = number;
    readPlainKeys(place, PlainKeys::OfCommand(), command);
    const CUnicodeString action64 = readText(place, EKey::CommandAction64);
    command.action =
        !action64.IsEmpty() && m_environment.is64BitWindows ? action64 : readText(place, EKey::CommandAction);
    command.rect = readRect(place, EKey::CommandRect, defaultRect);
    readCommandMargins(place, number, command);
    readCommandFont(place, window, command);
    readCommandBackgroundImage(place, number, window, command);
    readCommandBackgroundColors(place, command);
    readCommandBorder(place, command);
    if (const PageRules::CPageProblem problem =
            PageRules::CheckCommandBackground(window.name, number, command.hasPictures, command.hasColors))
        stop(place, EKey::CommandBackgroundColor, kStops + PageProblemText(problem), [problem] { Raise(problem); });
    const CUnicodeString orientation = readText(place, EKey::CommandTextOrientation);
    command.centered = PageRules::IsCentred(orientation);
    if (!command.centered && m_sink.WantsEveryFinding() && hasKey(place, EKey::CommandTextOrientation))
        m_sink.Note(findingAt(place, EKey::CommandTextOrientation,
                              u"the value \"" + orientation +
                                  u"\" is not \"center\", the one orientation there is; the text is not centred"));
    return true;
}

void CSettings::CReader::readCommandMargins(const CPlace& place, int number, CCommandSettings& command)
{
    std::int32_t left = readInt(place, EKey::CommandLeftMargin);
    std::int32_t top = readInt(place, EKey::CommandTopMargin);
    std::int32_t right = readInt(place, EKey::CommandRightMargin);
    std::int32_t bottom = readInt(place, EKey::CommandBottomMargin);
    PageLayout::ETextArea result =
        PageLayout::CommandTextArea(command.rect, left, top, right, bottom, command.textArea);
    if (result == PageLayout::ETextArea::OutOfRange) {
        // Margins whose text area does not fit are malformed: their defaults apply.
        left = top = right = bottom = 0;
        result = PageLayout::CommandTextArea(command.rect, left, top, right, bottom, command.textArea);
    }
    if (result == PageLayout::ETextArea::Ok)
        return;
    const bool width = result == PageLayout::ETextArea::NoWidth;
    const std::int64_t extent = width ? std::int64_t{command.rect.right} - command.rect.left
                                      : std::int64_t{command.rect.bottom} - command.rect.top;
    const TObj::CReportPlace rule = width ? Places::kMarginsLeaveNoWidth : Places::kMarginsLeaveNoHeight;
    const auto raise = [rule] { TOBJ_ASSERT(false, rule); };
    const bool ownRect = hasKey(place, EKey::CommandRect);
    if (!ownRect && extent <= 0) {
        // A command without a Rect of its own is as high as the page's font makes it and as
        // wide as CommandsRect: the cause lies in those page keys, told once a page.
        if (std::exchange(m_emptyColumnReported, true))
            return;
        const CPlace page{place.section, CUnicodeString()};
        const EKey cause = width ? EKey::CommandsRect : EKey::FontSize;
        const bool given = hasKey(page, cause);
        CPageFinding finding =
            findingAt(given ? page : place, given ? cause : EKey::CommandText,
                      (given ? CUnicodeString(u"makes ") : CUnicodeString(u"is missing, which makes ")) +
                          CUnicodeString::Format(u"Command%d (it has no Rect of its own) 0 pixels ", number) +
                          (width ? CUnicodeString(u"wide") : CUnicodeString(u"high")) + kInternalStop);
        finding.key = CUnicodeString(PageKeys::Key(cause).name);
        m_sink.Stop(std::move(finding), raise);
        return;
    }
    const EKey first = width ? EKey::CommandLeftMargin : EKey::CommandTopMargin;
    const EKey second = width ? EKey::CommandRightMargin : EKey::CommandBottomMargin;
    const EKey key = hasKey(place, first)    ? first
                     : hasKey(place, second) ? second
                     : ownRect               ? EKey::CommandRect
                                             : EKey::CommandText;
    stop(place, key,
         CUnicodeString::Format(width ? u"the margins leave no width for the text of a command %lld wide"
                                      : u"the margins leave no height for the text of a command %lld high",
                                static_cast<long long>(extent)) +
             kInternalStop,
         raise);
}

void CSettings::CReader::readCommandFont(const CPlace& place, const CWindowSettings& window, CCommandSettings& command)
{
    command.fontName = readText(place, EKey::CommandFontName);
    if (command.fontName.IsEmpty())
        command.fontName = window.fontName;
    command.fontSize = readFontSize(place, EKey::CommandFontSize, window.fontSize);
    command.hintFontSize = readFontSize(place, EKey::CommandHintFontSize, command.fontSize);
    command.underlined = readBool(place, EKey::CommandFontUnderlined, window.underlined);
    command.selectedColor = readColor(place, EKey::CommandFontSelectedColor, window.selectedColor);
    command.notSelectedColor = readColor(place, EKey::CommandFontNotSelectedColor,
                                         command.action.IsEmpty() ? window.unusableColor : window.notSelectedColor);
}

void CSettings::CReader::readCommandBackgroundImage(const CPlace& place, int number, const CWindowSettings& window,
                                                    CCommandSettings& command)
{
    command.hasPictures = false;
    const CUnicodeString normal = readPath(place, EKey::CommandBackgroundImage);
    if (normal.IsEmpty())
        return;
    const CUnicodeString hoverValue = readPath(place, EKey::CommandBackgroundHoverImage);
    const CUnicodeString hover = hoverValue.IsEmpty() ? normal : hoverValue;
    const CUnicodeString clickValue = readPath(place, EKey::CommandBackgroundClickImage);
    CUnicodeString paths[3] = {normal, hover, clickValue.IsEmpty() ? hover : clickValue};
    // A page that scales as a whole draws each picture from its variant for the DPI.
    if (window.scaleDpi != 0)
        for (CUnicodeString& path : paths)
            path = variantOf(path);
    const EKey keys[3] = {EKey::CommandBackgroundImage, EKey::CommandBackgroundHoverImage,
                          EKey::CommandBackgroundClickImage};
    const ZYR::CFailurePlace places[3] = {Places::kNormalPictureLoad, Places::kHoverPictureLoad,
                                          Places::kClickPictureLoad};
    for (int state = 0; state < 3; ++state) {
        // A state without a picture of its own has the one before it.
        if (state > 0 && paths[state] == paths[state - 1]) {
            command.pictures[state] = command.pictures[state - 1];
            continue;
        }
        std::shared_ptr<const CCommandPicture>& picture =
            m_pictures[std::u16string(paths[state].Ptr(), static_cast<std::size_t>(paths[state].Length()))];
        // A file met for an earlier command or state of this read exists and has been looked
        // at: asking again costs a file-system call for each state of each command (a tenth
        // of a millisecond each under Wine).
        const bool firstMet = picture == nullptr;
        if (firstMet && !PageFiles::IsExistingFile(paths[state])) {
            const PageRules::CPageProblem problem = PageRules::MissingCommandPicture(window.name, number, paths[state]);
            stop(place, keys[state], kStops + PageProblemText(problem), [problem] { Raise(problem); });
            // The author hears of every picture; the launcher went on as it always has.
            if (m_sink.WantsEveryFinding())
                continue;
        }
        if (firstMet)
            picture = std::make_shared<const CCommandPicture>(paths[state], places[state]);
        // A hover or click picture waits for its first draw, unless its first bytes already
        // tell that it is no picture: then it fails here, as a broken normal picture does,
        // and the start stops. The author hears of every picture that cannot be decoded.
        const bool decodedAtStart = state == CCommandSettings::kNormal ||
                                    (firstMet && !ZYR::CPictureDecoder::HasPictureSignature(paths[state]));
        if (decodedAtStart || (firstMet && m_sink.WantsEveryFinding()))
            decodeCommandPicture(place, keys[state], *picture, decodedAtStart);
        if (firstMet && m_sink.WantsEveryFinding() && picture->IsDecoded())
            m_sink.PictureNamed(findingAt(place, keys[state], {}), paths[state], false);
        command.pictures[state] = picture;
        if (state == 0)
            command.hasPictures = true;
    }
}

CUnicodeString CSettings::CReader::variantOf(const CUnicodeString& path)
{
    const auto [known, added] =
        m_variants.try_emplace(std::u16string(path.Ptr(), static_cast<std::size_t>(path.Length())));
    if (added) {
        int percent = 100;
        known->second = PictureVariants::Choose(path, m_environment.dpiY, &PageFiles::IsExistingFile, percent);
    }
    return known->second;
}

void CSettings::CReader::decodeCommandPicture(const CPlace& place, EKey key, const CCommandPicture& picture,
                                              bool atStart)
{
    // Caught by hand: the failure itself goes on to the sink, which raises it again.
    TObj::CException* failure = nullptr;
    try {
        picture.Decoded();
    } catch (TObj::CException* thrown) {
        failure = thrown;
    }
    if (failure == nullptr)
        return;
    const CUnicodeString text = CPageFinding::UnreadablePicture(picture.Path());
    if (atStart) {
        // The sink raises the decode's own failure, which it owns from here on.
        stop(place, key, text + kInternalStop, [failure] { throw failure; });
        return;
    }
    const std::unique_ptr<TObj::CException> owned(failure);
    m_sink.Note(findingAt(place, key, text + u"; the launcher shows an internal error when it first draws it"));
}

void CSettings::CReader::readCommandBackgroundColors(const CPlace& place, CCommandSettings& command)
{
    command.colors[0] = readColor(place, EKey::CommandBackgroundColor);
    command.hasColors = command.colors[0] != kNoColor;
    const std::uint32_t hover = readColor(place, EKey::CommandBackgroundHoverColor);
    if (hover != kNoColor && !command.hasColors)
        stop(place, EKey::CommandBackgroundHoverColor,
             u"needs " + keyText(place, EKey::CommandBackgroundColor) + kInternalStop,
             [] { TOBJ_ASSERT(false, Places::kHoverColourWithoutColour); });
    command.colors[1] = hover == kNoColor ? command.colors[0] : hover;
    const std::uint32_t click = readColor(place, EKey::CommandBackgroundClickColor);
    if (click != kNoColor && !command.hasColors)
        stop(place, EKey::CommandBackgroundClickColor,
             u"needs " + keyText(place, EKey::CommandBackgroundColor) + kInternalStop,
             [] { TOBJ_ASSERT(false, Places::kClickColourWithoutColour); });
    command.colors[2] = click == kNoColor ? command.colors[1] : click;
}

void CSettings::CReader::readCommandBorder(const CPlace& place, CCommandSettings& command)
{
    command.borderColors[0] = command.borderColors[1] = command.borderColors[2] = 0;
    command.borderWidth = readInt(place, EKey::CommandBorderWidth);
    if (command.borderWidth <= 0)
        return;
    command.borderColors[0] = readColor(place, EKey::CommandBorderColor);
    if (command.borderColors[0] == kNoColor)
        stop(place, EKey::CommandBorderWidth, u"needs " + keyText(place, EKey::CommandBorderColor) + kInternalStop,
             [] { TOBJ_ASSERT(false, Places::kBorderWithoutColour); });
    const std::uint32_t hover = readColor(place, EKey::CommandBorderHoverColor);
    command.borderColors[1] = hover == kNoColor ? command.borderColors[0] : hover;
    const std::uint32_t click = readColor(place, EKey::CommandBorderClickColor);
    command.borderColors[2] = click == kNoColor ? command.borderColors[1] : click;
}

template <class TSettings>
void CSettings::CReader::readPlainKeys(const CPlace& place, const CPlainKeyTable<TSettings>& keys, TSettings& settings)
{
    for (const CPlainKey<TSettings>& row : keys) {
        const PageKeys::CPageKey& key = PageKeys::Key(row.key);
        if (row.text != nullptr)
            settings.*row.text = readText(place, row.key);
        else if (row.colour != nullptr)
            settings.*row.colour = readColor(place, row.key);
        else if (row.flag != nullptr)
            settings.*row.flag = readBool(place, row.key);
        else if (row.decimal != nullptr)
            settings.*row.decimal = readDouble(place, row.key);
        else if (row.number != nullptr)
            settings.*row.number = key.type == PageKeys::EValueType::FontSize
                                       ? readFontSize(place, row.key, static_cast<std::int32_t>(key.fallback))
                                       : readInt(place, row.key);
        else if (row.rect != nullptr)
            settings.*row.rect = readRect(place, row.key, CPageRect{});
        else if (row.size != nullptr)
            settings.*row.size = readSize(place, row.key);
    }
}

CUnicodeString CSettings::CReader::keyText(const CPlace& place, EKey key)
{
    return place.prefix + PageKeys::Key(key).name;
}

CPageFinding CSettings::CReader::findingAt(const CPlace& place, EKey key, const CUnicodeString& text)
{
    // A key the page does not have is no line of it.
    const bool given = hasKey(place, key);
    return CPageFinding::At(m_currentFile->Path(),
                            given ? m_currentFile->LineOf(place.section, keyText(place, key)) : 0, place.section,
                            given ? keyText(place, key) : CUnicodeString(), text);
}

void CSettings::CReader::stop(const CPlace& place, EKey key, const CUnicodeString& text, const CRaiseCall& raise)
{
    m_sink.Stop(findingAt(place, key, text), raise);
}

bool CSettings::CReader::parsed(const CPlace& place, EKey key, const CUnicodeString& value, bool ok)
{
    if (!ok && m_sink.WantsEveryFinding()) {
        CPageFinding finding =
            findingAt(place, key,
                      u"the value \"" + value + u"\" is not a valid " +
                          CUnicodeString(PageKeys::TypeName(PageKeys::Key(key).type)) + u"; the default applies");
        finding.weight = EFindingWeight::DefaultApplies;
        m_sink.Note(std::move(finding));
    }
    return ok;
}

CKeyName CSettings::CReader::nameOf(const CPlace& place, EKey key)
{
    return CKeyName(place.prefix, PageKeys::Key(key).name);
}

bool CSettings::CReader::hasKey(const CPlace& place, EKey key)
{
    const CKeyName name = nameOf(place, key);
    return m_currentFile->HasKey(place.section, name.Units(), name.Length());
}

bool CSettings::CReader::readRaw(const CPlace& place, EKey key, CUnicodeString& value)
{
    const CKeyName name = nameOf(place, key);
    if (!TOBJ_ASSERT(m_currentFile != nullptr, Places::kNoCurrentFile) ||
        !m_currentFile->TryGetValue(place.section, name.Units(), name.Length(), value))
        return false;
    value = expandVariables(value);
    return true;
}

CUnicodeString CSettings::CReader::readText(const CPlace& place, EKey key, const CUnicodeString& fallback)
{
    CUnicodeString value;
    if (!readRaw(place, key, value))
        return fallback;
    const bool breaks = PageKeys::Key(key).type == PageKeys::EValueType::TextWithBreaks;
    return breaks ? PageValues::ExpandLineBreaks(value) : value;
}

CUnicodeString CSettings::CReader::readText(const CPlace& place, EKey key)
{
    return readText(place, key, CUnicodeString());
}

CUnicodeString CSettings::CReader::readPath(const CPlace& place, EKey key)
{
    const CUnicodeString value = readText(place, key);
    return value.IsEmpty() ? value : PageFiles::ResolvePath(m_settings->m_pages.pageFilePath, value);
}

template <class T, class TParse>
T CSettings::CReader::readParsed(const CPlace& place, EKey key, const T& fallback, TParse parse)
{
    CUnicodeString text;
    T value = fallback;
    if (!readRaw(place, key, text) || !parsed(place, key, text, parse(text, value)))
        return fallback;
    return value;
}

std::uint32_t CSettings::CReader::readColor(const CPlace& place, EKey key, std::uint32_t fallback)
{
    return readParsed(place, key, fallback, &PageValues::ParseColor);
}

std::uint32_t CSettings::CReader::readColor(const CPlace& place, EKey key)
{
    return readColor(place, key, static_cast<std::uint32_t>(PageKeys::Key(key).fallback));
}

std::int32_t CSettings::CReader::readInt(const CPlace& place, EKey key)
{
    // A default in pixels is a value of the page like any other.
    std::int64_t fallback = static_cast<std::int32_t>(PageKeys::Key(key).fallback);
    if (m_pixels == PageValues::EPixels::Scaled)
        fallback = PageValues::ScaleByDpi(fallback, m_environment.dpiY);
    return readParsed(place, key, static_cast<std::int32_t>(fallback),
                      [this](const CUnicodeString& text, std::int32_t& number) {
                          return PageValues::ParseInteger(text, m_environment.dpiY, number, m_pixels);
                      });
}

double CSettings::CReader::readDouble(const CPlace& place, EKey key)
{
    return readParsed(place, key, PageKeys::Key(key).fallback, &PageValues::ParseDecimal);
}

CPageRect CSettings::CReader::readRect(const CPlace& place, EKey key, const CPageRect& fallback)
{
    return readParsed(place, key, fallback, [this](const CUnicodeString& text, CPageRect& rect) {
        return PageValues::ParseRect(text, m_environment.dpiY, rect, m_pixels);
    });
}

CPageSize CSettings::CReader::readSize(const CPlace& place, EKey key)
{
    return readParsed(place, key, CPageSize{}, [this](const CUnicodeString& text, CPageSize& size) {
        return PageValues::ParseSize(text, m_environment.dpiY, size, m_pixels);
    });
}

bool CSettings::CReader::readBool(const CPlace& place, EKey key, bool fallback)
{
    return readParsed(place, key, fallback, &PageValues::ParseBool);
}

bool CSettings::CReader::readBool(const CPlace& place, EKey key)
{
    return readBool(place, key, PageKeys::Key(key).fallback != 0);
}

std::int32_t CSettings::CReader::readFontSize(const CPlace& place, EKey key, std::int32_t fallback)
{
    return readParsed(place, key, fallback, [this](const CUnicodeString& text, std::int32_t& size) {
        return PageValues::ParseFontSize(text, m_environment.dpiY, size, m_pixels);
    });
}
