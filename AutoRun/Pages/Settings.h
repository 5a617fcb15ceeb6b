// Settings.h
// Holds CSettings, everything the launcher knows of its page description for the run: the
// page file, the icon, the interface language, the start page and one record per page.
// One object per process, registered while it lives; filled once by Load, read-only after
// but for a reload (at another DPI, or for an author's save).
#pragma once

#include "MachineFacts.h"
#include "PageFindingSink.h"
#include "PointerArray.h"
#include "WindowSettings.h"

#include <functional>
#include <vector>

// What a load depends on besides the files, so tests can set each of them.
struct CLoadEnvironment {
    TObj::CUnicodeString commandLine;
    TObj::CUnicodeString launcherFolder;                   // the folder of the launcher's executable
    TObj::CUnicodeString launcherFileName{u"Autorun.exe"}; // its file name there, as it ships
    int dpiY = 96;
    bool is64BitWindows = false;
    CWindowsVersion windowsVersion; // the real one, which conditions compare with
    std::uint16_t userLanguageId = 0;
    std::function<bool(int code)> isLanguageInstalled;

    // The running process: its command line, folder, system, and the DPI of the monitor its
    // window first appears on.
    static CLoadEnvironment OfThisProcess();
};

class CSettings {
public:
    class CReader;

    CSettings();
    // Settings of the author's tools, read beside the launcher's own: never registered.
    struct CDetached {};
    explicit CSettings(CDetached);
    ~CSettings();
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    static CSettings* Current() noexcept;

    void Load();
    void Load(const CLoadEnvironment& environment);
    // As the launcher loads, telling `sink` of what stops it (a test's sink raises too).
    void Load(const CLoadEnvironment& environment, CPageFindingSink& sink);
    // What one reading of the files made: the pages, the page file and icon it read, and
    // every file the pages were made from.
    struct CPages {
        TObj::CPointerArray<CWindowSettings, true> windows;
        TObj::CUnicodeString pageFilePath;
        TObj::CUnicodeString iconPath;
        std::vector<TObj::CUnicodeString> readFiles;
    };
    // Reads the same files again, at `dpiY` (a window moved to a monitor of another DPI, or
    // an author's save at the same DPI). What was read before is handed back: what points
    // into its pages (the controls of the shown page) must let go of them before they are
    // destroyed. A failure is thrown and leaves everything as it was.
    CPages Reload(int dpiY);
    // What a reload handed back becomes the settings' again (what it read is destroyed), for
    // a page that cannot be shown after all.
    void PutBack(CPages previous);
    // The page of that exact name, or null.
    CWindowSettings* WindowNamed(const TObj::CUnicodeString& name) const noexcept;
    // Whether a condition of the page decides otherwise on this machine now than when the
    // page was read (an installer ran since, say): the pages are then to be read again.
    bool DecisionsChanged(const CWindowSettings& page) const;
    // Every file the pages were made from: the root file, the page file, the icon and the
    // pictures, and the page files the language would take before the one read, were they
    // there (empty paths stand for what a page does not name).
    const std::vector<TObj::CUnicodeString>& ReadFiles() const noexcept { return m_pages.readFiles; }
    int DpiY() const noexcept { return m_environment.dpiY; }
    const CLoadEnvironment& Environment() const noexcept { return m_environment; }
    // Reads that page file, whatever the language would choose, telling `sink` of every
    // finding; for the author's check.
    void LoadPageFile(const CLoadEnvironment& environment, const TObj::CUnicodeString& pageFile,
                      CPageFindingSink& sink);
    // The page the launcher starts on without the option that names another.
    static const TObj::CUnicodeString kDefaultStartPage;

    // The page of that exact name; none raises ERR_BAD_ARCHIVE with the page file's path.
    CWindowSettings* GetWindow(const TObj::CUnicodeString& name) const;
    // The icon path; a named icon file that does not exist raises ERR_AR_FILE_NOT_FOUND.
    TObj::CUnicodeString GetIcon() const;
    // Whether an icon path names a file that is not there (what GetIcon raises).
    static bool IsMissingIcon(const TObj::CUnicodeString& path);

    const TObj::CUnicodeString& PageFilePath() const noexcept { return m_pages.pageFilePath; }
    // As read; GetIcon tests that the file exists.
    const TObj::CUnicodeString& IconPath() const noexcept { return m_pages.iconPath; }
    TObj::CUnicodeString StartWindowName() const { return m_startWindowName; }
    int Language() const noexcept { return m_language; }
    // The language the next read takes, as "-l:<code>" would have chosen it (the user's
    // choice in the window).
    int ChosenLanguage() const noexcept { return m_chosenLanguage; }
    void ChooseLanguage(int code) noexcept { m_chosenLanguage = code; }
    int WindowCount() const noexcept { return m_pages.windows.Count(); }
    CWindowSettings* Window(int index) const noexcept { return m_pages.windows[index]; }

private:
    // The options of the launcher's command line that choose what the pages show.
    void ReadOptions(const CLoadEnvironment& environment);

    CPages m_pages;
    int m_language = -1; // the language of the page file read
    // What the options or Windows chose, which a read again asks for anew: its page file may
    // have come since.
    int m_chosenLanguage = -1;
    TObj::CUnicodeString m_startWindowName;
    CLoadEnvironment m_environment; // the last load's
    bool m_detached = false;
};
