// Settings.h
// Holds CSettings, everything the launcher knows of its page description for the run: the
// page file, the icon, the interface language, the start page and one record per page.
// One object per process, registered while it lives; filled once by Load, read-only after
// but for a reload at another DPI.
#pragma once

#include "PointerArray.h"
#include "WindowSettings.h"

#include <functional>
#include <vector>

// What a load depends on besides the files, so tests can set each of them.
struct CLoadEnvironment {
    TObj::CUnicodeString commandLine;
    TObj::CUnicodeString launcherFolder; // the folder of the launcher's executable
    int dpiY = 96;
    bool is64BitWindows = false;
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
    // Reads the same files again for another screen DPI, for a window moved to a monitor of
    // another DPI. The pages read before are handed back: what points into them (the
    // controls of the shown page) must let go of them before they are destroyed. A failure
    // is thrown and leaves the pages as they were.
    TObj::CPointerArray<CWindowSettings, true> ReloadAtDpi(int dpiY);
    // The pages a reload handed back become the settings' pages again (those read last are
    // destroyed), for a page that cannot be shown after all.
    void PutBack(TObj::CPointerArray<CWindowSettings, true> previous) { m_windows = std::move(previous); }
    // Every file the pages were made from: the root file, the page file, the icon and the
    // pictures (empty paths stand for what a page does not name).
    const std::vector<TObj::CUnicodeString>& ReadFiles() const noexcept { return m_readFiles; }
    int DpiY() const noexcept { return m_environment.dpiY; }
    const CLoadEnvironment& Environment() const noexcept { return m_environment; }
    // Reads that page file, whatever the language would choose; for the author's check.
    void LoadPageFile(const CLoadEnvironment& environment, const TObj::CUnicodeString& pageFile);

    // The page of that exact name; none raises ERR_BAD_ARCHIVE with the page file's path.
    CWindowSettings* GetWindow(const TObj::CUnicodeString& name) const;
    // The icon path; a named icon file that does not exist raises ERR_AR_FILE_NOT_FOUND.
    TObj::CUnicodeString GetIcon() const;

    const TObj::CUnicodeString& PageFilePath() const noexcept { return m_pageFilePath; }
    // As read; GetIcon tests that the file exists.
    const TObj::CUnicodeString& IconPath() const noexcept { return m_iconPath; }
    TObj::CUnicodeString StartWindowName() const { return m_startWindowName; }
    int Language() const noexcept { return m_language; }
    int WindowCount() const noexcept { return m_windows.Count(); }
    CWindowSettings* Window(int index) const noexcept { return m_windows[index]; }

private:
    TObj::CUnicodeString m_pageFilePath;
    TObj::CUnicodeString m_iconPath;
    TObj::CPointerArray<CWindowSettings, true> m_windows;
    int m_language = -1;
    TObj::CUnicodeString m_startWindowName;
    CLoadEnvironment m_environment; // the last load's
    std::vector<TObj::CUnicodeString> m_readFiles;
    bool m_detached = false;
};
