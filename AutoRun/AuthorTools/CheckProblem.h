// CheckProblem.h
// Holds CCheckProblem, one finding of the author's check: the file, line (0 when the
// finding concerns the whole file), section and key it concerns, and what is wrong; and
// whether it stops the launcher; and its one-line form "file:line: [section] key: text", with the file relative to the disc.
#pragma once

#include "UnicodeString.h"

struct CCheckProblem {
    TObj::CUnicodeString file; // full path
    int line = 0;
    TObj::CUnicodeString section;
    TObj::CUnicodeString key;
    TObj::CUnicodeString text;

    TObj::CUnicodeString Format(const TObj::CUnicodeString& discFolder) const;
    // Whether the text says that the launcher stops on it (every such text does).
    bool StopsTheLauncher() const;
};
