// TestDisc.h
// Holds CTestDisc, a disc folder made by a test: "Autorun.inf", page files and pictures
// written into a fresh folder, and the settings loaded from it with a chosen command line
// and system, reporting the exact message of a failed load.
#pragma once

#include "Settings.h"
#include "TempFolder.h"

#include <memory>
#include <string>

class CTestDisc {
public:
    CTestDisc& File(const char* name, const std::string& text);
    CTestDisc& Picture(const char* name, int width = 4, int height = 4, std::uint32_t rgb = 0x336699);
    TObj::CUnicodeString Path(const char* name = "") const { return m_folder.Path(name); }

    // Loads with "Autorun.exe <arguments>"; empty when the load succeeds, else the message.
    std::string Load(const char* arguments = "");
    CSettings& Settings() { return *m_settings; }
    CWindowSettings& Window(const char* name);
    // Replaces the message's "<disc>" with the folder path (with its trailing backslash).
    std::string Expand(const std::string& text) const;

    CLoadEnvironment environment;

    CTestDisc();
    ~CTestDisc();

private:
    CTempFolder m_folder;
    std::unique_ptr<CSettings> m_settings;
};
