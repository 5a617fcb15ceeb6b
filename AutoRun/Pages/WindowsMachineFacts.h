// WindowsMachineFacts.h
// Holds CWindowsMachineFacts, the machine a command's condition asks about, as Windows tells
// it: files and folders by their attributes, registry keys and values opened for reading
// in the view asked for, the uninstall entries of both views and of the user, and the
// Windows version and kind the load environment carries. Every question only reads; one
// object asked several times walks the uninstall entries once.
#pragma once

#include "MachineFacts.h"
#include "Settings.h"

#include <vector>

class CWindowsMachineFacts : public CMachineFacts {
public:
    // Paths are taken from the folder of `pageFilePath`, as the page's other paths are.
    CWindowsMachineFacts(const CLoadEnvironment& environment, const TObj::CUnicodeString& pageFilePath)
        : m_environment(environment), m_pageFilePath(pageFilePath)
    {}

    bool Exists(const TObj::CUnicodeString& path) override;
    bool HasRegistryEntry(ERegistryRoot root, const TObj::CUnicodeString& key, const TObj::CUnicodeString* valueName,
                          bool view32) override;
    bool IsInstalled(const TObj::CUnicodeString& product) override;
    CWindowsVersion WindowsVersion() override { return m_environment.windowsVersion; }
    bool Is64BitWindows() override { return m_environment.is64BitWindows; }

    // The version the system itself reports, which no compatibility shim changes.
    static CWindowsVersion RunningVersion();

    // Uninstall entries looked at, at most, in each of the three places: a condition stays
    // quick on a machine with thousands.
    static constexpr int kMaxUninstallEntries = 4096;

private:
    const CLoadEnvironment& m_environment;
    TObj::CUnicodeString m_pageFilePath;
    void readUninstallEntries();

    // Every uninstall entry's key name and DisplayName, read at the first "installed" that
    // no key name answers: a page of several such tests walks the entries once.
    std::vector<TObj::CUnicodeString> m_keyNames;
    std::vector<TObj::CUnicodeString> m_displayNames;
    bool m_entriesRead = false;
};
