#include "LauncherRun.h"

#include "Deadline.h"
#include "ProgramPaths.h"

#include <gtest/gtest.h>

#include <memory>

CLauncherRun::CLauncherRun() { Program("..\\AutoRun\\Autorun.exe", "Autorun.exe"); }

CLauncherRun& CLauncherRun::File(const char* name, const std::string& bytes)
{
    const std::string path = m_folder.Path(name).ToUtf8();
    const std::size_t slash = path.rfind('\\');
    CreateDirectoryW(TObj::CUnicodeString(path.substr(0, slash).c_str()).W(), nullptr);
    m_folder.Write(name, bytes);
    return *this;
}

CLauncherRun& CLauncherRun::Program(const char* builtName, const char* discName)
{
    const std::string path = m_folder.Path(discName).ToUtf8();
    CreateDirectoryW(TObj::CUnicodeString(path.substr(0, path.rfind('\\')).c_str()).W(), nullptr);
    CopyFileW((TObj::GetProgramFolder() + TObj::CUnicodeString(builtName)).W(), m_folder.Path(discName).W(), FALSE);
    return *this;
}

namespace {

void CopyTree(const std::wstring& from, const std::wstring& to)
{
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        else
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

} // namespace

CLauncherRun& CLauncherRun::DemoDisc()
{
    // The source tree is reached through Wine's drive for the host's root.
    std::wstring source = L"Z:" + std::wstring(TObj::CUnicodeString(AUTORUN_SOURCE_DIR "/demo").W());
    for (wchar_t& c : source)
        if (c == L'/')
            c = L'\\';
    CopyFrom(TObj::CUnicodeString(source.c_str()));
    return Program("..\\tools\\DemoSetup\\DemoSetup.exe", "Setup\\setup.exe")
        .Program("..\\tools\\DemoSetup\\DemoSetup.exe", "Setup\\x64\\setup.exe");
}

CLauncherRun& CLauncherRun::CopyFrom(const TObj::CUnicodeString& folder)
{
    std::wstring source = folder.W(), target = m_folder.Path().W();
    if (!source.empty() && source.back() == L'\\')
        source.pop_back();
    target.pop_back();
    CopyTree(source, target);
    return *this;
}

bool CLauncherRun::Start(const char* arguments, const TObj::CUnicodeString& launcher)
{
    const TObj::CUnicodeString exe = launcher.IsEmpty() ? m_folder.Path("Autorun.exe") : launcher;
    const std::wstring line = L"\"" + std::wstring(exe.W()) + L"\" " + std::wstring(TObj::CUnicodeString(arguments).W());
    return m_process.Start(line, m_folder.Path().W());
}

HWND CLauncherRun::WaitForWindow(const wchar_t* title)
{
    bool shown = false;
    const bool ended = !TestSupport::WaitUntil(
        [&] {
            window = FindWindowW(nullptr, title);
            DWORD owner = 0;
            if (window != nullptr)
                GetWindowThreadProcessId(window, &owner);
            // The title is set while the page is built; the window shows once it is complete.
            shown = window != nullptr && owner == m_process.ProcessId() && IsWindowVisible(window);
            return shown || !m_process.IsRunning();
        },
        "the launcher's window \"" + TObj::CUnicodeString(title).ToUtf8() + "\"");
    if (!shown && !ended)
        ADD_FAILURE() << "the launcher ended before its window \"" << TObj::CUnicodeString(title).ToUtf8()
                      << "\" showed; its output: " << m_process.Output();
    return window = shown ? window : nullptr;
}

namespace {
struct CSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK MatchText(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<CSearch*>(data);
    wchar_t caption[256] = {0};
    GetWindowTextW(child, caption, 256);
    if (std::wstring(caption) != search->text)
        return TRUE;
    search->found = child;
    return FALSE;
}
} // namespace

HWND CLauncherRun::Control(const wchar_t* text) const
{
    CSearch search{text, nullptr};
    EnumChildWindows(window, MatchText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CLauncherRun::Press(const wchar_t* text) const
{
    const HWND control = Control(text);
    TestSupport::SendWithDeadline(control, WM_KEYDOWN, VK_RETURN, 1);
}

