// PageWatcher.h
// Holds CPageWatcher, the author's watch of a disc: a thread that waits for changes of files
// and folders below the given folders, sub-folders included, and posts kFilesChanged to a
// window for each, until the watcher is destroyed. Which change matters, and when the
// writes have settled, the window decides.
#pragma once

#include "SystemHandles.h"
#include "UnicodeString.h"

#include <windows.h>

#include <vector>

class CPageWatcher {
public:
    static constexpr UINT kFilesChanged = WM_APP + 40;

    // A folder that cannot be watched (gone, or no folder) is left out.
    CPageWatcher(HWND window, const std::vector<TObj::CUnicodeString>& folders);
    ~CPageWatcher();
    CPageWatcher(const CPageWatcher&) = delete;
    CPageWatcher& operator=(const CPageWatcher&) = delete;

    const std::vector<TObj::CUnicodeString>& Folders() const noexcept { return m_folders; }

private:
    using CChangeHandle = TObj::CUniqueHandle<TObj::CReleasedBy<HANDLE, &FindCloseChangeNotification, true>>;
    static DWORD WINAPI Run(void* watcher);

    HWND m_window; // not owned: the window told of changes
    std::vector<TObj::CUnicodeString> m_folders;
    std::vector<CChangeHandle> m_changes;
    TObj::CKernelHandle m_stop; // an event: the thread ends
    TObj::CKernelHandle m_thread;
};
