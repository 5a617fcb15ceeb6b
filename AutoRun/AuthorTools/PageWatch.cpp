#include "PageWatch.h"

#include "AutoRunWindow.h"
#include "CatchFailure.h"
#include "Settings.h"
#include "WatchedFiles.h"

using TObj::CUnicodeString;

namespace {

// Editors save in steps (rename, truncate, write): a change is read once nothing has
// changed for this long.
constexpr UINT kSettleMilliseconds = 150;
// A file another program holds while writing it is tried again, this many times.
constexpr int kLockedRetries = 20;

CSettings& Settings() { return *CSettings::Current(); }

} // namespace

CPageWatch::~CPageWatch() = default;

void CPageWatch::Start()
{
    WatchFolders();
    // A save after the start read the files and before the watch stood would go unseen:
    // with no fingerprint yet, the files are read once more as soon as they have settled.
    m_fingerprint.clear();
    LookWhenSettled();
}

void CPageWatch::WatchFolders()
{
    // The disc's folder with its sub-folders, and each folder a file of the pages lies in by
    // itself too: not every file system tells of changes below a folder.
    const std::vector<CUnicodeString> folders =
        WatchedFiles::Folders(Settings().Environment().launcherFolder, Settings().ReadFiles());
    if (m_watcher == nullptr || m_watcher->Folders() != folders) {
        m_watcher.reset();
        m_watcher.reset(new CPageWatcher(m_window.Handle(), folders));
    }
}

void CPageWatch::OnFilesChanged() { LookWhenSettled(); }

void CPageWatch::LookWhenSettled()
{
    // Each call puts the look off again: it comes once nothing has changed for a while.
    SetTimer(m_window.Handle(), kSettleTimer, kSettleMilliseconds, nullptr);
}

void CPageWatch::OnTimer(UINT_PTR id)
{
    if (id == kSettleTimer) {
        KillTimer(m_window.Handle(), kSettleTimer);
        ReloadFromFiles();
    }
}

void CPageWatch::ReloadFromFiles()
{
    // The last write of a save may come after the change that woke the watch, and not be
    // told again on every file system: the files are looked at once more when it has
    // settled, whatever this look finds.
    m_lookAgain = !m_lookAgain;
    if (m_lookAgain)
        LookWhenSettled();
    const std::vector<CUnicodeString> files = Settings().ReadFiles();
    std::vector<std::uint64_t> seen = WatchedFiles::Fingerprint(files);
    if (m_problemBar.Text().IsEmpty() && seen == m_fingerprint)
        return;
    const bool read = TObj::CatchFailure(
        [this] { m_window.ReadPagesAgain(); },
        [&](const TObj::CException& failure) {
            if (WatchedFiles::IsLockedFile(failure) && m_lockedRetries++ < kLockedRetries) {
                LookWhenSettled();
                return;
            }
            m_lockedRetries = 0;
            m_problemBar.Show(m_window, WatchedFiles::ProblemText(failure, Settings().Environment()));
            m_window.ChildrenReordered(); // the bar went on top
        });
    if (!read)
        return;
    m_lockedRetries = 0;
    // The files as they were before the read stand for what it read, so that a write during
    // the read differs from them at the next look. Files the pages did not use before have
    // no such fingerprint, and a write to one between the read and the watch of its folder
    // would be told to no one: they are read once more when they have settled.
    if (Settings().ReadFiles() == files) {
        m_fingerprint = std::move(seen);
    } else {
        m_fingerprint.clear();
        LookWhenSettled();
    }
    m_problemBar.Hide();
    WatchFolders();
}
