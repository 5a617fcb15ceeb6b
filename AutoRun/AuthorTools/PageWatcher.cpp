#include "PageWatcher.h"

CPageWatcher::CPageWatcher(HWND window, const std::vector<TObj::CUnicodeString>& folders)
    : m_window(window), m_stop(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    for (const TObj::CUnicodeString& folder : folders) {
        CChangeHandle change(FindFirstChangeNotificationW(folder.W(), TRUE,
                                                          FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                                              FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
        if (change.IsEmpty())
            continue;
        m_folders.push_back(folder);
        m_changes.push_back(std::move(change));
    }
    if (!m_stop.IsEmpty() && m_changes.size() + 1 <= MAXIMUM_WAIT_OBJECTS)
        m_thread.Reset(CreateThread(nullptr, 0, &Run, this, 0, nullptr));
}

CPageWatcher::~CPageWatcher()
{
    if (m_thread.IsEmpty())
        return;
    SetEvent(m_stop.Get());
    WaitForSingleObject(m_thread.Get(), INFINITE);
}

DWORD WINAPI CPageWatcher::Run(void* watcher)
{
    const auto* self = static_cast<const CPageWatcher*>(watcher);
    std::vector<HANDLE> waits{self->m_stop.Get()};
    for (const CChangeHandle& change : self->m_changes)
        waits.push_back(change.Get());
    for (;;) {
        const DWORD signalled = WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
        const DWORD index = signalled - WAIT_OBJECT_0;
        if (index == 0 || index >= waits.size())
            return 0;
        FindNextChangeNotification(waits[index]);
        PostMessageW(self->m_window, kFilesChanged, 0, 0);
    }
}
