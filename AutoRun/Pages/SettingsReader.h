// SettingsReader.h
// Holds CSettings::CReader, which lives only while the settings load: it chooses the page
// file from "Autorun.inf", keeps the variables, and reads every page and command with
// its defaults, checks and pictures.
#pragma once

#include "IniFile.h"
#include "KeyName.h"
#include "PageVariables.h"
#include "Settings.h"

#include <memory>

namespace PageRules {
struct CPageProblem;
}

// The message a broken background rule raises, as the launcher shows it.
TObj::CUnicodeString PageProblemText(const PageRules::CPageProblem& problem);

class CSettings::CReader {
public:
    CReader(int language, CSettings& settings, const CLoadEnvironment& environment);
    // Reads `pageFile` instead of the one the language would choose; the root file's
    // variables apply as always. The author's check reads every page file this way.
    CReader(CSettings& settings, const CLoadEnvironment& environment, const TObj::CUnicodeString& pageFile);
    CReader(const CReader&) = delete;
    CReader& operator=(const CReader&) = delete;

    void read();

private:
    TObj::CUnicodeString findPageFile();
    void readVariables(TObj::CIniFile& file);
    void readCommon(const TObj::CUnicodeString& section);
    void readWindow(const TObj::CUnicodeString& section);
    void readCommands(const TObj::CUnicodeString& section, CWindowSettings& window);
    bool readCommand(const TObj::CUnicodeString& section, int number, const CWindowSettings& window,
                     const CPageRect& defaultRect, CCommandSettings& command);
    void readCommandMargins(const TObj::CUnicodeString& section, const TObj::CUnicodeString& prefix,
                            CCommandSettings& command);
    void readCommandFont(const TObj::CUnicodeString& section, const TObj::CUnicodeString& prefix,
                         const CWindowSettings& window, CCommandSettings& command);
    void readCommandBackgroundImage(const TObj::CUnicodeString& section, int number, const CWindowSettings& window,
                                    CCommandSettings& command);
    void readCommandBackgroundColors(const TObj::CUnicodeString& section, const TObj::CUnicodeString& prefix,
                                     CCommandSettings& command);
    void readCommandBorder(const TObj::CUnicodeString& section, const TObj::CUnicodeString& prefix,
                           CCommandSettings& command);

    // Each value reader takes the raw text, substitutes variables and parses it; an absent
    // key or a malformed value gives the default.
    bool hasKey(const TObj::CUnicodeString& section, const CKeyName& key);
    bool readRaw(const TObj::CUnicodeString& section, const CKeyName& key, TObj::CUnicodeString& value);
    TObj::CUnicodeString readString(const TObj::CUnicodeString& section, const CKeyName& key,
                                    const TObj::CUnicodeString& fallback);
    TObj::CUnicodeString readText(const TObj::CUnicodeString& section, const CKeyName& key);
    TObj::CUnicodeString readPath(const TObj::CUnicodeString& section, const CKeyName& key);
    std::uint32_t readColor(const TObj::CUnicodeString& section, const CKeyName& key, std::uint32_t fallback);
    std::int32_t readInt(const TObj::CUnicodeString& section, const CKeyName& key, std::int32_t fallback);
    double readDouble(const TObj::CUnicodeString& section, const CKeyName& key, double fallback);
    CPageRect readRect(const TObj::CUnicodeString& section, const CKeyName& key, const CPageRect& fallback);
    CPageSize readSize(const TObj::CUnicodeString& section, const CKeyName& key, const CPageSize& fallback);
    bool readBool(const TObj::CUnicodeString& section, const CKeyName& key, bool fallback);
    std::int32_t readFontSize(const TObj::CUnicodeString& section, const CKeyName& key,
                              std::int32_t fallback);

    TObj::CUnicodeString expandVariables(const TObj::CUnicodeString& value) const { return m_variables.Expand(value); }
    // A path value, combined with the page file's folder and made full.
    TObj::CUnicodeString resolvePath(const TObj::CUnicodeString& value) const;

    CSettings* m_settings; // the settings being filled, not owned
    TObj::CUnicodeString m_pageFilePath;
    CPageVariables m_variables;
    TObj::CIniFile* m_currentFile = nullptr; // the file every value reader reads, not owned
    int m_language;
    const CLoadEnvironment& m_environment;
    TObj::CUnicodeString m_autorunPath;
    std::unique_ptr<TObj::CIniFile> m_autorun; // the root file, read while choosing the page file
};
