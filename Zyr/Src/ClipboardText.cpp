#include "ClipboardText.h"

#include "Errors.h"
#include "TextEncoding.h"

#include <cstring>
#include <vector>

namespace ZYR {

bool CClipboardText::Put(HWND owner, const TObj::CUnicodeString& text, FAllocate allocate)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    std::vector<char> ansi = TObj::EncodeText(text, CP_ACP);
    ansi.push_back(0);
    const SIZE_T sizes[] = {ansi.size(), static_cast<SIZE_T>(text.Length() + 1) * sizeof(wchar_t)};
    const UINT formats[] = {CF_TEXT, CF_UNICODETEXT};
    for (int i = 0; i < 2; ++i) {
        const HGLOBAL memory = allocate(GMEM_MOVEABLE, sizes[i]);
        void* target = memory != nullptr ? GlobalLock(memory) : nullptr;
        if (target == nullptr) {
            // Nothing may stay held: free the block and close the clipboard before raising.
            if (memory != nullptr)
                GlobalFree(memory);
            CloseClipboard();
            TObj::ThrowMemoryException();
        }
        if (formats[i] == CF_TEXT)
            std::memcpy(target, ansi.data(), sizes[i]);
        else
            std::memcpy(target, text.W(), sizes[i]);
        GlobalUnlock(memory);
        if (SetClipboardData(formats[i], memory) == nullptr)
            GlobalFree(memory);
    }
    CloseClipboard();
    return true;
}

} // namespace ZYR
