#include "SettingsReader.h"

#include "AutoRunStrings.h"
#include "CheckException.h"
#include "Errors.h"
#include "FileSystem.h"
#include "LauncherReportPlaces.h"
#include "PageFiles.h"
#include "PageRules.h"
#include "PageValues.h"
#include "PictureDecoder.h"
#include "ScopeExit.h"

#include <windows.h>

#include <memory>
#include <utility>

using PageKeys::EKey;
using TObj::CUnicodeString;

namespace {

TOBJ_MESSAGE(ERR_AR_FILE_NOT_FOUND);
TOBJ_MESSAGE(ERR_AR_BACKGROUND_IMAGE_NOT_FOUND);
TOBJ_MESSAGE(ERR_AR_BACKGROUND_PROPS_NOT_FOUND);
TOBJ_MESSAGE(ERR_AR_WRONG_BACKGROUND_SETTINGS);

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

} // namespace

CUnicodeString PageProblemText(const PageRules::CPageProblem& problem)
{
    return TObj::CCheckException(MessageNamed(problem.messageName), problem.param0, problem.param1).GetMessageText();
}

CSettings::CReader::CReader(int language, CSettings& settings, const CLoadEnvironment& environment)
    : m_settings(&settings), m_language(language), m_environment(environment)
{
    m_pageFilePath = findPageFile();
    TOBJ_ASSERT(!m_pageFilePath.IsEmpty(), Places::kNoPageFile);
}

CSettings::CReader::CReader(CSettings& settings, const CLoadEnvironment& environment, const CUnicodeString& pageFile)
    : m_settings(&settings), m_language(0), m_environment(environment)
{
    findPageFile();
    m_pageFilePath = pageFile;
}

CUnicodeString CSettings::CReader::findPageFile()
{
    m_autorunPath = TObj::CombineAndNormalize(m_environment.launcherFolder, AutoRunStrings::kRootFileName);
    if (!TObj::FileExists(m_autorunPath))
        TObj::ThrowCheckError(ERR_AR_FILE_NOT_FOUND, m_autorunPath);
    m_autorun.reset(new TObj::CIniFile(m_autorunPath));
    TObj::CIniFile& autorun = *m_autorun;
    m_variables.Clear();
    readVariables(autorun);
    // Neither has variables substituted.
    const CUnicodeString dir =
        autorun.GetValue(AutoRunStrings::kCommonSection, CUnicodeString(PageKeys::Key(EKey::Dir).name), CUnicodeString());
    const CUnicodeString defaultFile = autorun.GetValue(
        AutoRunStrings::kCommonSection, CUnicodeString(PageKeys::Key(EKey::DefaultIniFile).name), AutoRunStrings::kDefaultPageFile);
    if (dir.IsEmpty())
        return m_autorunPath;
    const CUnicodeString folder = PageFiles::PageFolder(m_environment.launcherFolder, dir);
    if (m_language >= 0) {
        const CUnicodeString candidate = PageFiles::LanguagePageFile(folder, m_language);
        if (PageFiles::IsExistingFile(candidate))
            return candidate;
    }
    m_language = 0;
    m_settings->m_language = 0;
    const CUnicodeString fallback = PageFiles::DefaultPageFile(folder, defaultFile);
    if (!fallback.IsEmpty() && PageFiles::IsExistingFile(fallback))
        return fallback;
    return m_autorunPath;
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
        pageFile.reset(new TObj::CIniFile(m_pageFilePath));
        page = pageFile.get();
    }
    // The reader's current file is back as it was on every way out of the read.
    TObj::CIniFile* const enclosingFile = std::exchange(m_currentFile, page);
    const auto restoreFile = TObj::OnScopeExit([this, enclosingFile] { m_currentFile = enclosingFile; });
    m_settings->m_pages.pageFilePath = page->Path();
    // The root file's variables are read once, also when it is the page file itself.
    if (page->Path() != m_autorunPath)
        readVariables(*page);
    for (const CUnicodeString& section : page->SectionNames()) {
        if (section.EqualsNoCase(AutoRunStrings::kCommonSection))
            readCommon(section);
        else if (PageFiles::IsPageSection(section))
            readWindow(section);
    }
    // Every file the pages were made from, for an author watching them change.
    std::vector<CUnicodeString>& files = m_settings->m_pages.readFiles;
    files.assign({m_autorunPath, page->Path(), m_settings->m_pages.iconPath});
    for (const CWindowSettings* window : m_settings->m_pages.windows)
        files.push_back(window->backgroundPath);
    for (const auto& picture : m_pictures)
        files.emplace_back(picture.first.c_str(), static_cast<int>(picture.first.size()));
}

void CSettings::CReader::readCommon(const CUnicodeString& section)
{
    m_settings->m_pages.iconPath = readPath(CPlace{section, CUnicodeString()}, EKey::Icon);
}

void CSettings::CReader::readWindow(const CUnicodeString& section)
{
    const CPlace page{section, CUnicodeString()};
    std::unique_ptr<CWindowSettings> window(new CWindowSettings);
    window->name = section;
    window->backgroundPath = readPath(page, EKey::Background);
    window->backgroundSize = readSize(page, EKey::BackgroundSize);
    window->backgroundColor = readColor(page, EKey::BackgroundColor);
    const bool pictureExists = !window->backgroundPath.IsEmpty() && PageFiles::IsExistingFile(window->backgroundPath);
    Raise(PageRules::CheckWindowBackground(section, window->backgroundPath, window->backgroundSize,
                                           window->backgroundColor, pictureExists));

    window->title = readText(page, EKey::Title);
    window->fontName = readText(page, EKey::FontName);
    window->commentFontName = readText(page, EKey::FontCommentName, window->fontName);
    window->underlined = readBool(page, EKey::FontUnderlined);
    window->selectedColor = readColor(page, EKey::FontSelectedColor);
    window->notSelectedColor = readColor(page, EKey::FontNotSelectedColor);
    window->commentColor = readColor(page, EKey::FontCommentColor);
    window->unusableColor = readColor(page, EKey::FontUnusableColor);
    window->fontSize = readFontSize(page, EKey::FontSize, 0);
    window->fontRatio = readDouble(page, EKey::FontRatio);
    window->spaceRatio = readDouble(page, EKey::SpaceRatio);
    window->commentFontSize = readFontSize(page, EKey::FontCommentSize, window->fontSize);
    window->commentRect = readRect(page, EKey::CommentRect, CPageRect{});
    window->commentDefault = readText(page, EKey::CommentDefault);
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
    for (int number = 1;; ++number) {
        std::unique_ptr<CCommandSettings> command(new CCommandSettings);
        if (!readCommand(section, number, window, layout, *command))
            break;
        layout = PageLayout::NextDefaultRect(CPageRect{column.left, command->rect.top, column.right, command->rect.bottom},
                                             gap, height);
        window.commands.Add(command.release());
    }
}

bool CSettings::CReader::readCommand(const CUnicodeString& section, int number, const CWindowSettings& window,
                                     const CPageRect& defaultRect, CCommandSettings& command)
{
    const CUnicodeString prefix = PageRules::CommandKeyPrefix(number);
    const CPlace place{section, prefix};
    if (!hasKey(place, EKey::CommandText) && !hasKey(place, EKey::CommandRect))
        return false;
    command.text = readText(place, EKey::CommandText);
    command.hint = readText(place, EKey::CommandHint);
    command.hintMargin = readInt(place, EKey::CommandHintMargin);
    command.comment = readText(place, EKey::CommandComment);
    const CUnicodeString action64 = readText(place, EKey::CommandAction64);
    command.action = !action64.IsEmpty() && m_environment.is64BitWindows ? action64 : readText(place, EKey::CommandAction);
    command.actionParameters = readText(place, EKey::CommandActionParameters);
    command.rect = readRect(place, EKey::CommandRect, defaultRect);
    readCommandMargins(place, command);
    readCommandFont(place, window, command);
    readCommandBackgroundImage(place, number, window, command);
    readCommandBackgroundColors(place, command);
    readCommandBorder(place, command);
    Raise(PageRules::CheckCommandBackground(window.name, number, command.hasPictures, command.hasColors));
    command.centered = readText(place, EKey::CommandTextOrientation).EqualsNoCase(CUnicodeString(u"center"));
    command.tooltip = readText(place, EKey::CommandTooltip);
    return true;
}

void CSettings::CReader::readCommandMargins(const CPlace& place, CCommandSettings& command)
{
    std::int32_t left = readInt(place, EKey::CommandLeftMargin);
    std::int32_t top = readInt(place, EKey::CommandTopMargin);
    std::int32_t right = readInt(place, EKey::CommandRightMargin);
    std::int32_t bottom = readInt(place, EKey::CommandBottomMargin);
    PageLayout::ETextArea result = PageLayout::CommandTextArea(command.rect, left, top, right, bottom, command.textArea);
    if (result == PageLayout::ETextArea::OutOfRange) {
        // Margins whose text area does not fit are malformed: their defaults apply.
        left = top = right = bottom = 0;
        result = PageLayout::CommandTextArea(command.rect, left, top, right, bottom, command.textArea);
    }
    TOBJ_ASSERT(result != PageLayout::ETextArea::NoWidth, Places::kMarginsLeaveNoWidth);
    TOBJ_ASSERT(result != PageLayout::ETextArea::NoHeight, Places::kMarginsLeaveNoHeight);
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
    const CUnicodeString paths[3] = {normal, hover, clickValue.IsEmpty() ? hover : clickValue};
    const ZYR::CFailurePlace places[3] = {Places::kNormalPictureLoad, Places::kHoverPictureLoad, Places::kClickPictureLoad};
    for (int state = 0; state < 3; ++state) {
        std::shared_ptr<const CCommandPicture>& picture =
            m_pictures[std::u16string(paths[state].Ptr(), static_cast<std::size_t>(paths[state].Length()))];
        // A file met for an earlier command or state of this read exists and has been looked
        // at: asking again costs a file-system call for each state of each command (a tenth
        // of a millisecond each under Wine).
        const bool firstMet = picture == nullptr;
        if (firstMet && !PageFiles::IsExistingFile(paths[state]))
            Raise(PageRules::MissingCommandPicture(window.name, number, paths[state]));
        if (firstMet)
            picture = std::make_shared<const CCommandPicture>(paths[state], places[state]);
        // A hover or click picture waits for its first draw, unless its first bytes already
        // tell that it is no picture: then it fails here, as a broken normal picture does,
        // and the start stops.
        if (state == CCommandSettings::kNormal ||
            (firstMet && !ZYR::CPictureDecoder::HasPictureSignature(paths[state])))
            picture->Decoded();
        command.pictures[state] = picture;
        if (state == 0)
            command.hasPictures = true;
    }
}

void CSettings::CReader::readCommandBackgroundColors(const CPlace& place, CCommandSettings& command)
{
    command.colors[0] = readColor(place, EKey::CommandBackgroundColor);
    command.hasColors = command.colors[0] != kNoColor;
    const std::uint32_t hover = readColor(place, EKey::CommandBackgroundHoverColor);
    TOBJ_ASSERT(hover == kNoColor || command.hasColors, Places::kHoverColourWithoutColour);
    command.colors[1] = hover == kNoColor ? command.colors[0] : hover;
    const std::uint32_t click = readColor(place, EKey::CommandBackgroundClickColor);
    TOBJ_ASSERT(click == kNoColor || command.hasColors, Places::kClickColourWithoutColour);
    command.colors[2] = click == kNoColor ? command.colors[1] : click;
}

void CSettings::CReader::readCommandBorder(const CPlace& place, CCommandSettings& command)
{
    command.borderColors[0] = command.borderColors[1] = command.borderColors[2] = 0;
    command.borderWidth = readInt(place, EKey::CommandBorderWidth);
    if (command.borderWidth <= 0)
        return;
    command.borderColors[0] = readColor(place, EKey::CommandBorderColor);
    TOBJ_ASSERT(command.borderColors[0] != kNoColor, Places::kBorderWithoutColour);
    const std::uint32_t hover = readColor(place, EKey::CommandBorderHoverColor);
    command.borderColors[1] = hover == kNoColor ? command.borderColors[0] : hover;
    const std::uint32_t click = readColor(place, EKey::CommandBorderClickColor);
    command.borderColors[2] = click == kNoColor ? command.borderColors[1] : click;
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
    return PageKeys::Key(key).type == PageKeys::EValueType::TextWithBreaks ? PageValues::ExpandLineBreaks(value) : value;
}

CUnicodeString CSettings::CReader::readText(const CPlace& place, EKey key)
{
    return readText(place, key, CUnicodeString());
}

CUnicodeString CSettings::CReader::readPath(const CPlace& place, EKey key)
{
    const CUnicodeString value = readText(place, key);
    return value.IsEmpty() ? value : resolvePath(value);
}

CUnicodeString CSettings::CReader::resolvePath(const CUnicodeString& value) const
{
    CUnicodeString path = value;
    path.ReplaceAll(CUnicodeString(u"/"), CUnicodeString(u"\\"));
    return TObj::CombineAndNormalize(TObj::FolderOf(m_settings->m_pages.pageFilePath), path);
}

std::uint32_t CSettings::CReader::readColor(const CPlace& place, EKey key, std::uint32_t fallback)
{
    CUnicodeString value;
    std::uint32_t color = fallback;
    return readRaw(place, key, value) && PageValues::ParseColor(value, color) ? color : fallback;
}

std::uint32_t CSettings::CReader::readColor(const CPlace& place, EKey key)
{
    return readColor(place, key, static_cast<std::uint32_t>(PageKeys::Key(key).fallback));
}

std::int32_t CSettings::CReader::readInt(const CPlace& place, EKey key)
{
    const auto fallback = static_cast<std::int32_t>(PageKeys::Key(key).fallback);
    CUnicodeString value;
    std::int32_t number = fallback;
    return readRaw(place, key, value) && PageValues::ParseInteger(value, m_environment.dpiY, number) ? number : fallback;
}

double CSettings::CReader::readDouble(const CPlace& place, EKey key)
{
    const double fallback = PageKeys::Key(key).fallback;
    CUnicodeString value;
    double number = fallback;
    return readRaw(place, key, value) && PageValues::ParseDecimal(value, number) ? number : fallback;
}

CPageRect CSettings::CReader::readRect(const CPlace& place, EKey key, const CPageRect& fallback)
{
    CUnicodeString value;
    CPageRect rect = fallback;
    return readRaw(place, key, value) && PageValues::ParseRect(value, m_environment.dpiY, rect) ? rect : fallback;
}

CPageSize CSettings::CReader::readSize(const CPlace& place, EKey key)
{
    CUnicodeString value;
    CPageSize size;
    return readRaw(place, key, value) && PageValues::ParseSize(value, m_environment.dpiY, size) ? size : CPageSize{};
}

bool CSettings::CReader::readBool(const CPlace& place, EKey key, bool fallback)
{
    CUnicodeString value;
    bool flag = fallback;
    return readRaw(place, key, value) && PageValues::ParseBool(value, flag) ? flag : fallback;
}

bool CSettings::CReader::readBool(const CPlace& place, EKey key)
{
    return readBool(place, key, PageKeys::Key(key).fallback != 0);
}

std::int32_t CSettings::CReader::readFontSize(const CPlace& place, EKey key, std::int32_t fallback)
{
    CUnicodeString value;
    std::int32_t size = fallback;
    return readRaw(place, key, value) && PageValues::ParseFontSize(value, m_environment.dpiY, size) ? size : fallback;
}
