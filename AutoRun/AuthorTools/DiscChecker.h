// DiscChecker.h
// Holds CDiscChecker, the author's check of a whole disc: "Autorun.inf" and every page file
// of every language it has, each read in full, with every problem listed by file, line,
// section and key instead of stopping at the first: unreadable files, unknown keys with the
// nearest known one, malformed values whose default would apply, missing or unreadable
// pictures, the launcher's own start-up errors, page switches to no page, commands outside
// their window or over each other, undefined variables, and action targets not on the disc.
#pragma once

#include "CheckProblem.h"
#include "PageVariables.h"
#include "Settings.h"

#include <vector>

namespace TObj {
class CIniFile;
}

class CDiscChecker {
public:
    explicit CDiscChecker(const CLoadEnvironment& environment) : m_environment(environment) {}

    // Every problem, in the order of the files and their lines.
    std::vector<CCheckProblem> Run();

private:
    struct CPageFile;

    // The page files to check, and the root file's variables, which every page file sees.
    std::vector<TObj::CUnicodeString> checkRootFile(TObj::CIniFile& root, CPageVariables& variables);
    void checkPageFile(const TObj::CUnicodeString& path, bool isRoot, const CPageVariables& rootVariables);
    void checkBytes(const TObj::CUnicodeString& path);
    void checkVariables(CPageFile& page);
    void checkCommon(CPageFile& page, const TObj::CUnicodeString& section);
    void checkWindowKeys(CPageFile& page, const TObj::CUnicodeString& section);
    void checkWindowRules(CPageFile& page, const TObj::CUnicodeString& section);
    void checkCommandRules(CPageFile& page, const TObj::CUnicodeString& section, int number);
    void checkAction(CPageFile& page, const TObj::CUnicodeString& section, const TObj::CUnicodeString& key);
    void checkPicture(CPageFile& page, const TObj::CUnicodeString& section, const TObj::CUnicodeString& key, int number);
    void checkPictureFile(CPageFile& page, const TObj::CUnicodeString& section, const TObj::CUnicodeString& key,
                          const TObj::CUnicodeString& path, bool loadedAtStart);
    std::vector<CPageRect> commandRects(CPageFile& page, const TObj::CUnicodeString& section, int count);
    void checkMargins(CPageFile& page, const TObj::CUnicodeString& section, int number, const CPageRect& rect,
                      bool& zeroReported);
    void checkLayout(CPageFile& page);
    void checkUndefinedVariables(CPageFile& page, const TObj::CUnicodeString& section, const TObj::CUnicodeString& key,
                                 const CPageVariables& variables);

    void add(const TObj::CUnicodeString& file, int line, const TObj::CUnicodeString& section,
             const TObj::CUnicodeString& key, const TObj::CUnicodeString& text);
    void add(CPageFile& page, const TObj::CUnicodeString& section, const TObj::CUnicodeString& key,
             const TObj::CUnicodeString& text);

    const CLoadEnvironment& m_environment;
    TObj::CUnicodeString m_rootPath;
    std::vector<CCheckProblem> m_problems;
};
