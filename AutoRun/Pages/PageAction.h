// PageAction.h
// Holds CPageAction, what a command's action text means, decided by its form alone: the
// special actions ("$Exit", "$Back", "$Close", "$CD"), a file URL ("$FileURL$"), a command
// handed to the shell ("$ExtCommand$"), a page switch ("$" and a page name), a web address,
// or a file below the launcher's folder (which the shell may offer to open with a chosen
// program). The command control runs it; the author's check and the dry run report from it.
#pragma once

#include "UnicodeString.h"

enum class EActionKind { None, Exit, Back, Close, Folder, FileUrl, ExtCommand, Page, WebAddress, File };

struct CPageAction {
    EActionKind kind = EActionKind::None;
    // The page's name, the shell's command, the web address, or the path as written (of a
    // file URL or a file); empty for the special actions.
    TObj::CUnicodeString target;

    static CPageAction Of(const TObj::CUnicodeString& action);
    // Whether the action opens something on the disc: a file URL or a file.
    bool OpensOnDisc() const noexcept { return kind == EActionKind::FileUrl || kind == EActionKind::File; }
    // The full path that a file URL or a file opens.
    TObj::CUnicodeString PathBelow(const TObj::CUnicodeString& launcherFolder) const;
};
