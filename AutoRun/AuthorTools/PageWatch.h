// PageWatch.h
// Holds CPageWatch, an author's watch of the disc for the launcher's main window: it keeps
// a CPageWatcher on the folders of the files the pages are made of, waits for their writes
// to settle, tells by the files' fingerprints whether anything changed, has the window
// show the pages as the files now have them, tries a file another program holds again,
// and shows what stops the pages in a CProblemBar over the last good page.
#pragma once

#include "PageWatcher.h"
#include "ProblemBar.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

class CAutoRunWindow;

class CPageWatch {
public:
    // What the window's title ends with while it watches.
    static constexpr wchar_t kWatchingTitle[] = L" (watching for changes)";
    // Posted to the window for each change; the window passes it on to OnFilesChanged.
    static constexpr UINT kFilesChanged = CPageWatcher::kFilesChanged;
    // The window's timer whose end is the look at the files once writes have settled.
    static constexpr UINT_PTR kSettleTimer = 1;

    explicit CPageWatch(CAutoRunWindow& window) : m_window(window) {}
    ~CPageWatch();
    CPageWatch(const CPageWatch&) = delete;
    CPageWatch& operator=(const CPageWatch&) = delete;

    // From now on the disc's files are watched: a change that has settled shows the pages
    // as the files now have them, or, when they cannot be shown, the problem in a bar over
    // the last good page.
    void Start();
    // A change: the files are looked at once writes have settled (ReloadFromFiles).
    void OnFilesChanged();
    // The window's timers: the settle timer's end is the look at the files.
    void OnTimer(UINT_PTR id);
    // Reads the files again now, when anything they are made of changed or the last reading
    // failed; what a settled change does.
    void ReloadFromFiles();
    const CProblemBar& ProblemBarForTesting() const noexcept { return m_problemBar; }
    // The folders watched now; none before the watch starts.
    std::vector<TObj::CUnicodeString> WatchedFoldersForTesting() const
    {
        return m_watcher != nullptr ? m_watcher->Folders() : std::vector<TObj::CUnicodeString>{};
    }

private:
    void WatchFolders();
    void LookWhenSettled();

    CAutoRunWindow& m_window; // not owned: the window that owns the watch
    std::unique_ptr<CPageWatcher> m_watcher;
    std::vector<std::uint64_t> m_fingerprint; // sizes and times of the files last shown
    int m_lockedRetries = 0;
    bool m_lookAgain = false; // the next look at the files follows up this one
    CProblemBar m_problemBar;
};
