#include "SettingsReader.h"

#include "AutoRunStrings.h"
#include "CheckException.h"
#include "Errors.h"
#include "FileSystem.h"
#include "PageRules.h"
#include "PageValues.h"

#include <windows.h>

#include <memory>

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

bool IsExistingFile(const CUnicodeString& path)
{
    if (!TObj::FileExists(path))
        return false;
    const DWORD attributes = GetFileAttributesW(path.W());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Restores the reader's current file on every way out of a read.
class CCurrentFileScope {
public:
    CCurrentFileScope(TObj::CIniFile*& slot, TObj::CIniFile* file) : m_slot(slot), m_saved(slot) { slot = file; }
    ~CCurrentFileScope() { m_slot = m_saved; }
    CCurrentFileScope(const CCurrentFileScope&) = delete;
    CCurrentFileScope& operator=(const CCurrentFileScope&) = delete;

private:
    TObj::CIniFile*& m_slot;
    TObj::CIniFile* m_saved;
};

} // namespace

CUnicodeString PageProblemText(const PageRules::CPageProblem& problem)
{
    return TObj::CCheckException(MessageNamed(problem.messageName), problem.param0, problem.param1).GetMessageText();
}

CSettings::CReader::CReader(int language, CSettings& settings, const CLoadEnvironment& environment)
    : m_settings(&settings), m_language(language), m_environment(environment)
{
    m_pageFilePath = findPageFile();
    TOBJ_ASSERT(!m_pageFilePath.IsEmpty(), u"Settings", 118);
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
    const CUnicodeString dir = autorun.GetValue(AutoRunStrings::kCommonSection, CUnicodeString(u"Dir"), CUnicodeString());
    const CUnicodeString defaultFile = autorun.GetValue(AutoRunStrings::kCommonSection, CUnicodeString(u"DefaultIniFile"),
                                                        AutoRunStrings::kDefaultPageFile);
    if (dir.IsEmpty())
        return m_autorunPath;
    const CUnicodeString folder = TObj::CombineAndNormalize(m_environment.launcherFolder, dir);
    if (m_language >= 0) {
        const CUnicodeString candidate =
            TObj::CombineAndNormalize(folder, CUnicodeString::Format(AutoRunStrings::kLanguagePageFile, m_language));
        if (IsExistingFile(candidate))
            return candidate;
    }
    m_language = 0;
    m_settings->m_language = 0;
    if (!defaultFile.IsEmpty()) {
        const CUnicodeString fallback = TObj::CombineAndNormalize(folder, defaultFile);
        if (IsExistingFile(fallback))
            return fallback;
    }
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
    const CCurrentFileScope current(m_currentFile, page);
    m_settings->m_pageFilePath = page->Path();
    // The root file's variables are read once, also when it is the page file itself.
    if (page->Path() != m_autorunPath)
        readVariables(*page);
    for (const CUnicodeString& section : page->SectionNames()) {
        if (section.EqualsNoCase(AutoRunStrings::kCommonSection))
            readCommon(section);
        else if (!section.EqualsNoCase(AutoRunStrings::kAutoRunSection) &&
                 !section.EqualsNoCase(AutoRunStrings::kVariablesSection))
            readWindow(section);
    }
}

void CSettings::CReader::readCommon(const CUnicodeString& section)
{
    m_settings->m_iconPath = readPath(section, u"Icon");
}

void CSettings::CReader::readWindow(const CUnicodeString& section)
{
    std::unique_ptr<CWindowSettings> window(new CWindowSettings);
    window->name = section;
    window->backgroundPath = readPath(section, u"Background");
    window->backgroundSize = readSize(section, u"BackgroundSize", CPageSize{});
    window->backgroundColor = readColor(section, u"BackgroundColor", kNoColor);
    const bool pictureExists = !window->backgroundPath.IsEmpty() && IsExistingFile(window->backgroundPath);
    Raise(PageRules::CheckWindowBackground(section, window->backgroundPath, window->backgroundSize,
                                           window->backgroundColor, pictureExists));

    window->title = readText(section, u"Title");
    window->fontName = readText(section, u"FontName");
    window->commentFontName = readString(section, u"FontCommentName", window->fontName);
    window->underlined = readBool(section, u"FontUnderlined", false);
    window->selectedColor = readColor(section, u"FontSelectedColor", 0);
    window->notSelectedColor = readColor(section, u"FontNotSelectedColor", 0);
    window->commentColor = readColor(section, u"FontCommentColor", 0);
    window->unusableColor = readColor(section, u"FontUnusableColor", 0);
    window->fontSize = readFontSize(section, u"FontSize", 0);
    window->fontRatio = readDouble(section, u"FontRatio", 1.8);
    window->spaceRatio = readDouble(section, u"SpaceRatio", 0.6);
    window->commentFontSize = readFontSize(section, u"FontCommentSize", window->fontSize);
    window->commentRect = readRect(section, u"CommentRect", CPageRect{});
    window->commentDefault = PageValues::ExpandLineBreaks(readText(section, u"CommentDefault"));
    readCommands(section, *window);
    m_settings->m_windows.Add(window.release());
}

void CSettings::CReader::readCommands(const CUnicodeString& section, CWindowSettings& window)
{
    const CPageRect column = readRect(section, u"CommandsRect", CPageRect{});
    // A ratio whose step does not fit is malformed: its default applies.
    std::int32_t height = 0, gap = 0;
    if (!PageLayout::DefaultStep(window.fontSize, window.fontRatio, height))
        PageLayout::DefaultStep(window.fontSize, 1.8, height);
    if (!PageLayout::DefaultStep(window.fontSize, window.spaceRatio, gap))
        PageLayout::DefaultStep(window.fontSize, 0.6, gap);
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
    if (!hasKey(section, CKeyName(prefix, u"Text")) && !hasKey(section, CKeyName(prefix, u"Rect")))
        return false;
    command.text = readText(section, CKeyName(prefix, u"Text"));
    command.hint = PageValues::ExpandLineBreaks(readText(section, CKeyName(prefix, u"Hint")));
    command.hintMargin = readInt(section, CKeyName(prefix, u"HintMargin"), 5);
    command.comment = PageValues::ExpandLineBreaks(readText(section, CKeyName(prefix, u"Comment")));
    const CUnicodeString action64 = readText(section, CKeyName(prefix, u"Action64"));
    command.action = !action64.IsEmpty() && m_environment.is64BitWindows ? action64
                                                                         : readText(section, CKeyName(prefix, u"Action"));
    command.actionParameters = readText(section, CKeyName(prefix, u"ActionParameters"));
    command.rect = readRect(section, CKeyName(prefix, u"Rect"), defaultRect);
    readCommandMargins(section, prefix, command);
    readCommandFont(section, prefix, window, command);
    readCommandBackgroundImage(section, number, window, command);
    readCommandBackgroundColors(section, prefix, command);
    readCommandBorder(section, prefix, command);
    Raise(PageRules::CheckCommandBackground(window.name, number, command.hasPictures, command.hasColors));
    command.centered = readText(section, CKeyName(prefix, u"TextOrientation")).EqualsNoCase(CUnicodeString(u"center"));
    command.tooltip = PageValues::ExpandLineBreaks(readText(section, CKeyName(prefix, u"Tooltip")));
    return true;
}

void CSettings::CReader::readCommandMargins(const CUnicodeString& section, const CUnicodeString& prefix,
                                            CCommandSettings& command)
{
    std::int32_t left = readInt(section, CKeyName(prefix, u"LeftMargin"), 0);
    std::int32_t top = readInt(section, CKeyName(prefix, u"TopMargin"), 0);
    std::int32_t right = readInt(section, CKeyName(prefix, u"RightMargin"), 0);
    std::int32_t bottom = readInt(section, CKeyName(prefix, u"BottomMargin"), 0);
    PageLayout::ETextArea result = PageLayout::CommandTextArea(command.rect, left, top, right, bottom, command.textArea);
    if (result == PageLayout::ETextArea::OutOfRange) {
        // Margins whose text area does not fit are malformed: their defaults apply.
        left = top = right = bottom = 0;
        result = PageLayout::CommandTextArea(command.rect, left, top, right, bottom, command.textArea);
    }
    TOBJ_ASSERT(result != PageLayout::ETextArea::NoWidth, u"Settings", 491);
    TOBJ_ASSERT(result != PageLayout::ETextArea::NoHeight, u"Settings", 492);
}

void CSettings::CReader::readCommandFont(const CUnicodeString& section, const CUnicodeString& prefix,
                                         const CWindowSettings& window, CCommandSettings& command)
{
    command.fontName = readText(section, CKeyName(prefix, u"FontName"));
    if (command.fontName.IsEmpty())
        command.fontName = window.fontName;
    command.fontSize = readFontSize(section, CKeyName(prefix, u"FontSize"), window.fontSize);
    command.hintFontSize = readFontSize(section, CKeyName(prefix, u"HintFontSize"), command.fontSize);
    command.underlined = readBool(section, CKeyName(prefix, u"FontUnderlined"), window.underlined);
    command.selectedColor = readColor(section, CKeyName(prefix, u"FontSelectedColor"), window.selectedColor);
    command.notSelectedColor = readColor(section, CKeyName(prefix, u"FontNotSelectedColor"),
                                         command.action.IsEmpty() ? window.unusableColor : window.notSelectedColor);
}

void CSettings::CReader::readCommandBackgroundImage(const CUnicodeString& section, int number,
                                                    const CWindowSettings& window, CCommandSettings& command)
{
    const CUnicodeString prefix = PageRules::CommandKeyPrefix(number);
    command.hasPictures = false;
    const CUnicodeString normal = readPath(section, CKeyName(prefix, u"BackgroundImage"));
    if (normal.IsEmpty())
        return;
    const CUnicodeString hoverValue = readPath(section, CKeyName(prefix, u"BackgroundHoverImage"));
    const CUnicodeString hover = hoverValue.IsEmpty() ? normal : hoverValue;
    const CUnicodeString clickValue = readPath(section, CKeyName(prefix, u"BackgroundClickImage"));
    const CUnicodeString paths[3] = {normal, hover, clickValue.IsEmpty() ? hover : clickValue};
    const int lines[3] = {400, 413, 425};
    for (int state = 0; state < 3; ++state) {
        if (!IsExistingFile(paths[state]))
            Raise(PageRules::MissingCommandPicture(window.name, number, paths[state]));
        command.pictures[state].LoadFromFile(
            paths[state], ZYR::CFailurePlace{u"CSettings::CReader::readCommandBackgroundImage", u"bitmap != 0",
                                             u"Settings", lines[state]});
        if (state == 0)
            command.hasPictures = true;
    }
}

void CSettings::CReader::readCommandBackgroundColors(const CUnicodeString& section, const CUnicodeString& prefix,
                                                     CCommandSettings& command)
{
    command.colors[0] = readColor(section, CKeyName(prefix, u"BackgroundColor"), kNoColor);
    command.hasColors = command.colors[0] != kNoColor;
    const std::uint32_t hover = readColor(section, CKeyName(prefix, u"BackgroundHoverColor"), kNoColor);
    TOBJ_ASSERT(hover == kNoColor || command.hasColors, u"Settings", 442);
    command.colors[1] = hover == kNoColor ? command.colors[0] : hover;
    const std::uint32_t click = readColor(section, CKeyName(prefix, u"BackgroundClickColor"), kNoColor);
    TOBJ_ASSERT(click == kNoColor || command.hasColors, u"Settings", 451);
    command.colors[2] = click == kNoColor ? command.colors[1] : click;
}

void CSettings::CReader::readCommandBorder(const CUnicodeString& section, const CUnicodeString& prefix,
                                           CCommandSettings& command)
{
    command.borderColors[0] = command.borderColors[1] = command.borderColors[2] = 0;
    command.borderWidth = readInt(section, CKeyName(prefix, u"BorderWidth"), -1);
    if (command.borderWidth <= 0)
        return;
    command.borderColors[0] = readColor(section, CKeyName(prefix, u"BorderColor"), kNoColor);
    TOBJ_ASSERT(command.borderColors[0] != kNoColor, u"Settings", 471);
    const std::uint32_t hover = readColor(section, CKeyName(prefix, u"BorderHoverColor"), kNoColor);
    command.borderColors[1] = hover == kNoColor ? command.borderColors[0] : hover;
    const std::uint32_t click = readColor(section, CKeyName(prefix, u"BorderClickColor"), kNoColor);
    command.borderColors[2] = click == kNoColor ? command.borderColors[1] : click;
}

bool CSettings::CReader::hasKey(const CUnicodeString& section, const CKeyName& key)
{
    return m_currentFile->HasKey(section, key.Units(), key.Length());
}

bool CSettings::CReader::readRaw(const CUnicodeString& section, const CKeyName& key, CUnicodeString& value)
{
    if (!TOBJ_ASSERT(m_currentFile != nullptr, u"Settings", 500) ||
        !m_currentFile->TryGetValue(section, key.Units(), key.Length(), value))
        return false;
    value = expandVariables(value);
    return true;
}

CUnicodeString CSettings::CReader::readString(const CUnicodeString& section, const CKeyName& key,
                                              const CUnicodeString& fallback)
{
    CUnicodeString value;
    return readRaw(section, key, value) ? value : fallback;
}

CUnicodeString CSettings::CReader::readText(const CUnicodeString& section, const CKeyName& key)
{
    return readString(section, key, CUnicodeString());
}

CUnicodeString CSettings::CReader::readPath(const CUnicodeString& section, const CKeyName& key)
{
    const CUnicodeString value = readText(section, key);
    return value.IsEmpty() ? value : resolvePath(value);
}

CUnicodeString CSettings::CReader::resolvePath(const CUnicodeString& value) const
{
    CUnicodeString path = value;
    path.ReplaceAll(CUnicodeString(u"/"), CUnicodeString(u"\\"));
    return TObj::CombineAndNormalize(TObj::FolderOf(m_settings->m_pageFilePath), path);
}

std::uint32_t CSettings::CReader::readColor(const CUnicodeString& section, const CKeyName& key,
                                            std::uint32_t fallback)
{
    CUnicodeString value;
    std::uint32_t color = fallback;
    return readRaw(section, key, value) && PageValues::ParseColor(value, color) ? color : fallback;
}

std::int32_t CSettings::CReader::readInt(const CUnicodeString& section, const CKeyName& key, std::int32_t fallback)
{
    CUnicodeString value;
    std::int32_t number = fallback;
    return readRaw(section, key, value) && PageValues::ParseInteger(value, m_environment.dpiY, number) ? number : fallback;
}

double CSettings::CReader::readDouble(const CUnicodeString& section, const CKeyName& key, double fallback)
{
    CUnicodeString value;
    double number = fallback;
    return readRaw(section, key, value) && PageValues::ParseDecimal(value, number) ? number : fallback;
}

CPageRect CSettings::CReader::readRect(const CUnicodeString& section, const CKeyName& key, const CPageRect& fallback)
{
    CUnicodeString value;
    CPageRect rect = fallback;
    return readRaw(section, key, value) && PageValues::ParseRect(value, m_environment.dpiY, rect) ? rect : fallback;
}

CPageSize CSettings::CReader::readSize(const CUnicodeString& section, const CKeyName& key, const CPageSize& fallback)
{
    CUnicodeString value;
    CPageSize size = fallback;
    return readRaw(section, key, value) && PageValues::ParseSize(value, m_environment.dpiY, size) ? size : fallback;
}

bool CSettings::CReader::readBool(const CUnicodeString& section, const CKeyName& key, bool fallback)
{
    CUnicodeString value;
    bool flag = fallback;
    return readRaw(section, key, value) && PageValues::ParseBool(value, flag) ? flag : fallback;
}

std::int32_t CSettings::CReader::readFontSize(const CUnicodeString& section, const CKeyName& key,
                                              std::int32_t fallback)
{
    CUnicodeString value;
    std::int32_t size = fallback;
    return readRaw(section, key, value) && PageValues::ParseFontSize(value, m_environment.dpiY, size) ? size : fallback;
}
