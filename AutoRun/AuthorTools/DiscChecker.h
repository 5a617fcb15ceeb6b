// DiscChecker.h
// Holds CDiscChecker, the author's check of a whole disc: "Autorun.inf" and every page file
// of every language it has, each read in full, with every problem listed by file, line,
// section and key instead of stopping at the first. Each page file is read by the launcher's
// own reader, which tells every finding (what stops the launcher, malformed values whose
// default applies, notes); the check adds what only an author needs: unreadable files and
// bytes, unknown keys with the nearest known one, pictures and icons that cannot be read,
// page switches to no page, commands outside their window or over each other, keys a label
// does not show, undefined variables, action targets not on the disc, and the [AutoRun]
// section Windows reads. The layout is checked at every scale a screen commonly has.
#pragma once

#include "PageFinding.h"
#include "PageKeys.h"
#include "PageVariables.h"
#include "Settings.h"

#include <set>
#include <string>
#include <vector>

class CFindingList;

namespace TObj {
class CIniFile;
}

class CDiscChecker {
public:
    explicit CDiscChecker(const CLoadEnvironment& environment) : m_environment(environment) {}

    // Every problem, in the order of the files and their lines.
    std::vector<CPageFinding> Run();

private:
    struct CPageFile;
    class CPageSink;

    // The page files to check, and the root file's variables, which every page file sees.
    std::vector<TObj::CUnicodeString> checkRootFile(TObj::CIniFile& root, CPageVariables& variables);
    void checkPageFile(const TObj::CUnicodeString& path, bool isRoot, const CPageVariables& rootVariables);
    void checkBytes(const TObj::CUnicodeString& path);
    void checkVariables(CPageFile& page);
    void checkUndefinedVariables(CPageFile& page, const TObj::CUnicodeString& section, const TObj::CUnicodeString& key,
                                 const CPageVariables& variables);
    // Keys that are no keys of their section, with the nearest that is.
    void checkKeys(CPageFile& page, const TObj::CUnicodeString& section, PageKeys::EScope scope);
    // The launcher's own reading of the page file, with every finding, then what an author
    // alone asks of what it read.
    void readPages(CPageFile& page);
    void checkIcon(CPageFile& page, const TObj::CUnicodeString& icon);
    void checkPicture(CFindingList& sink, const CPageFinding& where, const TObj::CUnicodeString& path,
                      bool isStartPicture, bool isPagePicture);
    // `pages` as the launcher read them from the file.
    void checkAction(CPageFile& page, const CSettings& pages, const TObj::CUnicodeString& section,
                     const TObj::CUnicodeString& key);
    // Commands outside the window or over each other, and texts their text areas cut, as read
    // at `dpi` (0: the monitor's), each told once in `told`, at the first DPI it shows at.
    void checkLayout(CPageFile& page, const CWindowSettings& window, int dpi, std::set<std::u16string>& told);
    // The layout read again at every scale the check looks at but the monitor's.
    void checkOtherScales(CPageFile& page, std::set<std::u16string>& told);
    // A page whose picture keeps its pixels while its values grow with the DPI; the scale
    // variants of the pictures of a page that scales as a whole, each file once in `pictures`.
    void checkScaling(CPageFile& page, const CWindowSettings& window, std::set<std::u16string>& pictures);
    // Keys that do not show as their author expects: those of a label, and a border that
    // fills a command without a colour of its own.
    void checkLooks(CPageFile& page, const CWindowSettings& window);

    void add(const TObj::CUnicodeString& file, int line, const TObj::CUnicodeString& section,
             const TObj::CUnicodeString& key, const TObj::CUnicodeString& text);
    void add(CPageFile& page, const TObj::CUnicodeString& section, const TObj::CUnicodeString& key,
             const TObj::CUnicodeString& text);
    // A line of `file` that is no INI line: the launcher stops there.
    void addMalformedLine(const TObj::CUnicodeString& file, int line);
    // A finding that stops the launcher with `message`.
    void addStop(const TObj::CUnicodeString& file, const TObj::CUnicodeString& text,
                 const TObj::CUnicodeString& message, const TObj::CUnicodeString& section = {},
                 const TObj::CUnicodeString& key = {}, int line = 0);

    const CLoadEnvironment& m_environment;
    TObj::CUnicodeString m_rootPath;
    std::vector<CPageFinding> m_problems;
};
