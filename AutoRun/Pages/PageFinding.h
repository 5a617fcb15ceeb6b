// PageFinding.h
// Holds CPageFinding, one thing a reading of the pages found: the file, line (0 when it
// concerns the whole file), section and key it concerns, what is wrong and its weight (it
// stops the launcher, its default applies, or it is a note for the author); for one that
// stops the launcher, the message the launcher ends with. Its one-line form
// "file:line: [section] key: text" names the file relative to the disc.
#pragma once

#include "UnicodeString.h"

enum class EFindingWeight { Stops, DefaultApplies, Note };

struct CPageFinding {
    TObj::CUnicodeString file; // full path
    int line = 0;
    TObj::CUnicodeString section;
    TObj::CUnicodeString key;
    TObj::CUnicodeString text;
    EFindingWeight weight = EFindingWeight::Note;
    // What the launcher shows as it stops; empty for the other weights.
    TObj::CUnicodeString stopMessage;

    // The words of a finding that stops the launcher: its text ends in kStopsWith and the
    // launcher's message, or in kStopsWithInternalError.
    static const TObj::CUnicodeString kStopsWith;
    static const TObj::CUnicodeString kStopsWithInternalError;
    // "the picture "<path>" cannot be read as a picture (a bitmap, PNG or JPEG)"
    static TObj::CUnicodeString UnreadablePicture(const TObj::CUnicodeString& path);
    // A name, path or value as a finding's text quotes it.
    static TObj::CUnicodeString Quoted(const TObj::CUnicodeString& text);

    // A note at that place; a finding of another weight is given it where it is told.
    static CPageFinding At(const TObj::CUnicodeString& file, int line, const TObj::CUnicodeString& section,
                           const TObj::CUnicodeString& key, const TObj::CUnicodeString& text);

    TObj::CUnicodeString Format(const TObj::CUnicodeString& discFolder) const;
    // A file as a finding names it: below the disc's folder (with its trailing backslash),
    // relative to it.
    static TObj::CUnicodeString ShownPath(const TObj::CUnicodeString& path, const TObj::CUnicodeString& discFolder);
    bool StopsTheLauncher() const noexcept { return weight == EFindingWeight::Stops; }
};
