// SettingsReader.h
// Holds CSettings::CReader, which lives only while the settings load: it chooses the page
// file from "Autorun.inf", keeps the variables, and reads every page and command with
// its defaults, rules and pictures, telling each problem it meets to a finding sink (the
// launcher's raises at the first that stops it; the author's check keeps them all).
#pragma once

#include "IniFile.h"
#include "KeyName.h"
#include "PageFinding.h"
#include "PageKeys.h"
#include "PageValues.h"
#include "PageVariables.h"
#include "PlainKeys.h"
#include "RaiseCall.h"
#include "Settings.h"
#include "WindowsMachineFacts.h"

#include <memory>

#include <string>
#include <unordered_map>
#include <vector>

class CCommandPicture;
class CPageFindingSink;

class CSettings::CReader {
public:
    CReader(int language, CSettings& settings, const CLoadEnvironment& environment, CPageFindingSink& sink);
    // Reads `pageFile` instead of the one the language would choose; the root file's
    // variables apply as always. The author's check reads every page file this way.
    CReader(CSettings& settings, const CLoadEnvironment& environment, const TObj::CUnicodeString& pageFile,
            CPageFindingSink& sink);
    CReader(const CReader&) = delete;
    CReader& operator=(const CReader&) = delete;

    void read();

private:
    TObj::CUnicodeString findPageFile();
    void readVariables(TObj::CIniFile& file);
    // What the reader's files do with a line that is no INI line.
    TObj::CIniData::FMalformedLine malformedLines() const;
    void readCommon(const TObj::CUnicodeString& section);
    // [Common]'s ScaleWithDpi of the page file, else of the root file.
    bool readCommonScaling();
    void readWindow(const TObj::CUnicodeString& section);
    void readCommands(const TObj::CUnicodeString& section, CWindowSettings& window);
    bool readCommand(const TObj::CUnicodeString& section, int number, const CWindowSettings& window,
                     const CPageRect& defaultRect, CCommandSettings& command);
    // Where a key is read: a page's section, and for a command's keys its "Command<N>_".
    struct CPlace {
        const TObj::CUnicodeString& section;
        const TObj::CUnicodeString& prefix;
    };
    void readCommandMargins(const CPlace& place, int number, CCommandSettings& command);
    void readCommandFont(const CPlace& place, const CWindowSettings& window, CCommandSettings& command);
    void readCommandBackgroundImage(const CPlace& place, int number, const CWindowSettings& window,
                                    CCommandSettings& command);
    void readCommandBackgroundColors(const CPlace& place, CCommandSettings& command);
    void readCommandBorder(const CPlace& place, CCommandSettings& command);
    // Whether the command shows, as its condition decides on this machine; a command shown
    // unusable is marked so. The decision is kept with the page.
    bool decideCondition(const CPlace& place, CWindowSettings& window, CCommandSettings& command);
    // The file a picture is drawn from on a page that scales as a whole, at this reading's DPI.
    TObj::CUnicodeString variantOf(const TObj::CUnicodeString& path);
    // A picture decoded `atStart` stops the launcher when it cannot be; a later one fails when drawn.
    void decodeCommandPicture(const CPlace& place, PageKeys::EKey key, const CCommandPicture& picture, bool atStart);
    // What only an author hears of: a start page the file lacks, and commands past the list's end.
    void reportMissingStartPage();
    void reportUnreadCommands(const TObj::CUnicodeString& section, int count);

    // Every key of the table, each into its field.
    template <class TSettings>
    void readPlainKeys(const CPlace& place, const CPlainKeyTable<TSettings>& keys, TSettings& settings);

    // Findings, at a key of `place` (its line when the file has it).
    static TObj::CUnicodeString keyText(const CPlace& place, PageKeys::EKey key);
    CPageFinding findingAt(const CPlace& place, PageKeys::EKey key, const TObj::CUnicodeString& text);
    void stop(const CPlace& place, PageKeys::EKey key, const TObj::CUnicodeString& text, const CRaiseCall& raise);
    // The value of `key` as `parse` makes it of its text; `fallback` when the page lacks the
    // key or its text does not parse.
    template <class T, class TParse>
    T readParsed(const CPlace& place, PageKeys::EKey key, const T& fallback, TParse parse);
    // `ok` as given; a value that did not parse is told to the sink: its default applies.
    bool parsed(const CPlace& place, PageKeys::EKey key, const TObj::CUnicodeString& value, bool ok);

    // Each value reader takes the raw text, substitutes variables and parses it by the
    // key's type; an absent key or a malformed value gives the default: the table's, or
    // the given one where the default follows other keys.
    static CKeyName nameOf(const CPlace& place, PageKeys::EKey key);
    bool hasKey(const CPlace& place, PageKeys::EKey key);
    bool readRaw(const CPlace& place, PageKeys::EKey key, TObj::CUnicodeString& value);
    // A text with line breaks gets them.
    TObj::CUnicodeString readText(const CPlace& place, PageKeys::EKey key);
    TObj::CUnicodeString readText(const CPlace& place, PageKeys::EKey key, const TObj::CUnicodeString& fallback);
    TObj::CUnicodeString readPath(const CPlace& place, PageKeys::EKey key);
    std::uint32_t readColor(const CPlace& place, PageKeys::EKey key);
    std::uint32_t readColor(const CPlace& place, PageKeys::EKey key, std::uint32_t fallback);
    std::int32_t readInt(const CPlace& place, PageKeys::EKey key);
    double readDouble(const CPlace& place, PageKeys::EKey key);
    CPageRect readRect(const CPlace& place, PageKeys::EKey key, const CPageRect& fallback);
    CPageSize readSize(const CPlace& place, PageKeys::EKey key);
    bool readBool(const CPlace& place, PageKeys::EKey key);
    bool readBool(const CPlace& place, PageKeys::EKey key, bool fallback);
    std::int32_t readFontSize(const CPlace& place, PageKeys::EKey key, std::int32_t fallback);

    TObj::CUnicodeString expandVariables(const TObj::CUnicodeString& value) const { return m_variables.Expand(value); }

    CSettings* m_settings; // the settings being filled, not owned
    TObj::CUnicodeString m_pageFilePath;
    CPageVariables m_variables;
    TObj::CIniFile* m_currentFile = nullptr; // the file every value reader reads, not owned
    // What the commands' conditions ask, for the page file being read.
    std::unique_ptr<CWindowsMachineFacts> m_machine;
    int m_language;
    const CLoadEnvironment& m_environment;
    CPageFindingSink& m_sink;
    bool m_emptyColumnReported = false; // a page's column without room is told once
    bool m_commonScales = false;        // [Common]'s ScaleWithDpi, every page's default
    // What the plain pixel values of the page being read mean.
    PageValues::EPixels m_pixels = PageValues::EPixels::Kept;
    TObj::CUnicodeString m_autorunPath;
    // The page files findPageFile tried before the one it chose, missing then.
    std::vector<TObj::CUnicodeString> m_missingChoices;
    std::unique_ptr<TObj::CIniFile> m_autorun; // the root file, read while choosing the page file
    // The command picture files met so far, by path: many commands share a few button pictures.
    std::unordered_map<std::u16string, std::shared_ptr<const CCommandPicture>> m_pictures;
    // Their variants for the DPI, by the path the page names: each is looked for once.
    std::unordered_map<std::u16string, TObj::CUnicodeString> m_variants;
};
