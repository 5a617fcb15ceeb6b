#include "StarterDisc.h"

#include "File.h"
#include "FileSystem.h"
#include "FileException.h"
#include "PathRules.h"

#include <windows.h>

#include <cstring>
#include <vector>

using TObj::CUnicodeString;

namespace StarterDisc {

namespace {

struct CStarterFile {
    const char16_t* name;
    const char* text;
};

// Windows reads [AutoRun] itself, so the root file stays plain ASCII without a mark.
const CStarterFile kFiles[] = {
    {u"Autorun.inf", R"(; The root file. Windows reads [AutoRun]; the launcher reads [Common] and
; [Variables], then the page file of the user's language from the folder in Dir.
[AutoRun]
open=Autorun.exe
icon=Autorun.exe,0
label=My Product 1.0

[Common]
Dir=Pages
DefaultIniFile=Autorun0.ini
; The pages are designed at 96 dpi and grow as a whole on screens of higher DPI.
ScaleWithDpi=1

[Variables]
Product=My Product
Version=1.0
)"},
    {u"Docs\\Readme.txt", R"(My Product 1.0

This is the read-me the disc's "Read me" command opens. Replace it with your own.
)"},
    {u"Setup\\setup.txt", R"(Your installer goes into this folder.

Put the installer for 32-bit Windows here, then name it in Command2_Action of every
page file in Pages (Autorun0.ini and Autorun2.ini), e.g. Command2_Action=Setup\setup.exe.
Until then "Install" opens this note.
)"},
    {u"Setup\\x64\\setup.txt", R"(The installer for 64-bit Windows goes into this folder.

Put it here, then name it in Command2_Action64 of every page file in Pages, e.g.
Command2_Action64=Setup\x64\setup.exe. On 64-bit Windows "Install" starts it instead
of Command2_Action. A product with one installer for both deletes Command2_Action64.
)"},
    {u"README.txt", R"(A starter disc for Autorun.exe

Autorun.exe shows the pages of Pages\Autorun0.ini (English, and every language without
a page file of its own) or Pages\Autorun2.ini (German), as Windows' language says.

Change these first:
- Autorun.inf, [Variables]: Product and Version, which every page shows.
- Autorun.inf, [AutoRun]: label, the drive's name in Explorer.
- Both page files, [Main]: Command2_Action and Command2_Action64, your installers for
  32-bit and 64-bit Windows (see Setup\setup.txt), and Command5_Action, your website.
- Docs\Readme.txt: your read-me.

Then, in this folder:
  Autorun.exe --watch      shows the pages and shows them again whenever you save a
                           file; Ctrl+R outlines every command and text area.
  Autorun.exe --check      lists every problem of every page file, or nothing.
  Autorun.exe --render=Review -l:all --render-format=png
                           writes every page of every language, in every state, and
                           Review\index.html to look at them side by side.
  Autorun.exe --render=Scales --dpi=all
                           the same for every scale a screen commonly has (96, 120,
                           144 and 192 dpi): the pages grow as a whole (ScaleWithDpi).

Windows 7 and later start no program from a USB stick: its users start Autorun.exe
by hand. From a CD or DVD, Windows starts it as [AutoRun] says.
)"},
};

// One page file for each language, from one template: "@Name@" stands for a text of the
// language.
const char* const kPageTemplate = R"(@Header@
[Main]
BackgroundSize=[560, 340]
BackgroundColor=#1D4E89
Title=$(Product) $(Version)
FontName=Tahoma
FontSize=11pt
FontSelectedColor=#FFFFFF
FontNotSelectedColor=#E8F0F8
FontUnusableColor=#FFFFFF
FontCommentName=Tahoma
FontCommentSize=10pt
FontCommentColor=#F0F0F0
CommentRect=[300, 96, 536, 280]
CommentDefault=@Welcome@
CommandsRect=[24, 96, 276, 0]
FontRatio=2,6
SpaceRatio=0,5

Command1_Text=$(Product) $(Version)
Command1_Rect=[24, 24, 536, 72]
Command1_FontSize=18pt

Command2_Text=@Install@
Command2_Action=Setup\setup.txt
Command2_Action64=Setup\x64\setup.txt
Command2_LeftMargin=12
Command2_TopMargin=8
Command2_BackgroundColor=#2A6BAE
Command2_BackgroundHoverColor=#3C82C8
Command2_Comment=@InstallComment@
Command2_Tooltip=@InstallTooltip@

Command3_Text=@ReadMe@
Command3_Action=Docs\Readme.txt
Command3_LeftMargin=12
Command3_TopMargin=8
Command3_BackgroundColor=#2A6BAE
Command3_BackgroundHoverColor=#3C82C8
Command3_Comment=@ReadMeComment@
Command3_Tooltip=@ReadMeTooltip@

Command4_Text=@Browse@
Command4_Action=$FileURL$
Command4_LeftMargin=12
Command4_TopMargin=8
Command4_BackgroundColor=#2A6BAE
Command4_BackgroundHoverColor=#3C82C8
Command4_Comment=@BrowseComment@
Command4_Tooltip=@BrowseTooltip@

Command5_Text=@Website@
Command5_Action=https://www.example.com/
Command5_LeftMargin=12
Command5_TopMargin=8
Command5_BackgroundColor=#2A6BAE
Command5_BackgroundHoverColor=#3C82C8
Command5_Comment=@WebsiteComment@
Command5_Tooltip=@WebsiteTooltip@

Command6_Text=@Exit@
Command6_Rect=[24, 296, 160, 324]
Command6_Action=$Close
Command6_TextOrientation=center
Command6_BorderWidth=1
Command6_BorderColor=#E8F0F8
Command6_BackgroundColor=#1D4E89
Command6_BackgroundHoverColor=#3C82C8
Command6_Comment=@ExitComment@
Command6_Tooltip=@ExitTooltip@
)";

const char16_t* const kPageTexts[] = {
    u"@Header@",         u"@Welcome@",        u"@Install@", u"@InstallComment@", u"@InstallTooltip@", u"@ReadMe@",
    u"@ReadMeComment@",  u"@ReadMeTooltip@",  u"@Browse@",  u"@BrowseComment@",  u"@BrowseTooltip@",  u"@Website@",
    u"@WebsiteComment@", u"@WebsiteTooltip@", u"@Exit@",    u"@ExitComment@",    u"@ExitTooltip@"};

struct CPageLanguage {
    const char16_t* file;
    const char* texts[sizeof kPageTexts / sizeof kPageTexts[0]];
};

const CPageLanguage kLanguages[] = {
    {u"Pages\\Autorun0.ini",
     {"; The English pages, and those of every language without a page file of its own.\n; Every section is a page; "
      "the launcher starts on [Main]. Colours are #RRGGBB.",
      "Welcome to $(Product) $(Version).\\nPoint at an item to learn more about it.", "Install $(Product)",
      "Installs $(Product) on this computer.\\nOn 64-bit Windows the 64-bit edition is installed.",
      "Runs Setup from the disc", "Read me", "What to know before you install $(Product).", "Opens Docs\\Readme.txt",
      "Browse this disc", "Opens the disc's folder in Explorer.", "Shows every file of the disc", "Visit the website",
      "Opens the web page of $(Product) in your browser.", "www.example.com", "Exit", "Closes this window.",
      "Closes the window"}},
    {u"Pages\\Autorun2.ini",
     {"; Die deutschen Seiten. Jeder Abschnitt ist eine Seite; der Launcher beginnt mit [Main].\n; Farben sind "
      "#RRGGBB.",
      "Willkommen bei $(Product) $(Version).\\nZeigen Sie auf einen Eintrag, um mehr darüber zu erfahren.",
      "$(Product) installieren",
      "Installiert $(Product) auf diesem Computer.\\nAuf 64-Bit-Windows wird die 64-Bit-Ausgabe installiert.",
      "Startet das Setup von der CD", "Liesmich", "Was Sie vor der Installation von $(Product) wissen sollten.",
      "Öffnet Docs\\Readme.txt", "CD durchsuchen", "Öffnet den Ordner der CD im Explorer.", "Zeigt alle Dateien der CD",
      "Website besuchen", "Öffnet die Webseite von $(Product) in Ihrem Browser.", "www.example.com", "Beenden",
      "Schließt dieses Fenster.", "Schließt das Fenster"}},
};

const char* const kFolders[] = {"Pages", "Docs", "Setup", "Setup\\x64"};

bool IsEmptyFolder(const CUnicodeString& folder)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(TObj::JoinPath(folder, CUnicodeString(u"*")).W(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool empty = true;
    do {
        if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0)
            empty = false;
    } while (empty && FindNextFileW(search, &found));
    FindClose(search);
    return empty;
}

void WriteFile(const CUnicodeString& path, const char* text, bool withMark)
{
    std::vector<char> bytes;
    if (withMark)
        bytes = {'\xEF', '\xBB', '\xBF'};
    // Notepad before Windows 10 shows a text with bare line feeds on one line.
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n')
            bytes.push_back('\r');
        bytes.push_back(*c);
    }
    TObj::CFile out;
    out.Open(path, TObj::CFile::kCreateForWriting);
    out.Write(bytes.data(), static_cast<int>(bytes.size()));
}

} // namespace

CUnicodeString Write(const CUnicodeString& folder, const CUnicodeString& launcherPath)
{
    if (TObj::FileExists(folder) && !IsEmptyFolder(folder))
        return u"--new writes a disc only into an empty or a new folder, and \"" + folder + u"\" holds files.";
    for (const char* name : kFolders)
        TObj::MakeFolders(TObj::JoinPath(folder, CUnicodeString(name)));
    for (const CStarterFile& file : kFiles)
        WriteFile(TObj::JoinPath(folder, CUnicodeString(file.name)), file.text, false);
    // Page files hold more than ASCII: UTF-8 with its byte-order mark.
    for (const CPageLanguage& language : kLanguages) {
        CUnicodeString page(kPageTemplate);
        for (std::size_t i = 0; i < sizeof kPageTexts / sizeof kPageTexts[0]; ++i)
            page.ReplaceAll(CUnicodeString(kPageTexts[i]), CUnicodeString(language.texts[i]));
        std::vector<char> bytes = page.ToUtf8Bytes();
        bytes.push_back('\0');
        WriteFile(TObj::JoinPath(folder, CUnicodeString(language.file)), bytes.data(), true);
    }
    const CUnicodeString launcher = TObj::JoinPath(folder, CUnicodeString(u"Autorun.exe"));
    if (!CopyFileW(launcherPath.W(), launcher.W(), TRUE))
        TObj::ThrowFileException(GetLastError(), launcher);
    return {};
}

} // namespace StarterDisc
