// ClipboardText.h
// Holds ZYR::CClipboardText, which puts a text on the clipboard in the two text formats
// (ANSI and UTF-16) with memory blocks the clipboard then owns. A failed allocation or lock
// frees the block and closes the clipboard before the memory exception, so nothing stays
// held. The allocator can be given, so that failure can be forced.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

namespace ZYR {

class CClipboardText {
public:
    using FAllocate = HGLOBAL(WINAPI*)(UINT flags, SIZE_T bytes);

    // False when another program holds the clipboard: the copy is then left undone.
    static bool Put(HWND owner, const TObj::CUnicodeString& text, FAllocate allocate = ::GlobalAlloc);
};

} // namespace ZYR
