#include "LauncherRun.h"

#include "Deadline.h"
#include "LauncherProgram.h"
#include "ProgramPaths.h"
#include "TestText.h"

#include <gtest/gtest.h>

CLauncherRun::CLauncherRun() { CopyFileW(LauncherProgram().W(), m_folder.Path("Autorun.exe").W(), FALSE); }

CLauncherRun& CLauncherRun::File(const char* name, const std::string& bytes)
{
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

TObj::CUnicodeString SourcePath(const char* relative)
{
    std::string path = SourceFile(relative);
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return TObj::CUnicodeString(path.c_str());
}

CLauncherRun& CLauncherRun::DemoDisc()
{
    CopyFrom(SourcePath("demo"));
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
    const std::wstring line =
        L"\"" + std::wstring(exe.W()) + L"\" " + std::wstring(TObj::CUnicodeString(arguments).W());
    return m_process.Start(line, m_folder.Path().W());
}

namespace {

struct CTopLevelSearch {
    DWORD processId;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<CTopLevelSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t caption[512] = {0};
    GetWindowTextW(window, caption, 512);
    // The title is set while the page is built; the window shows once it is complete.
    if (owner != search->processId || !IsWindowVisible(window) || std::wstring(caption) != search->title)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

HWND CLauncherRun::WaitForWindow(const wchar_t* title, DWORD milliseconds)
{
    CTopLevelSearch search{m_process.ProcessId(), title, nullptr};
    const bool ended = !TestSupport::WaitUntil(
        [&] {
            EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
            // Its controls' windows and its icons come with the first message it handles:
            // they are there once it waits for input.
            return (search.found != nullptr && m_process.IsIdle(100)) || !m_process.IsRunning();
        },
        "the launcher's window \"" + TObj::CUnicodeString(title).ToUtf8() + "\"", milliseconds);
    if (search.found == nullptr && !ended)
        ADD_FAILURE() << "the launcher ended before its window \"" << TObj::CUnicodeString(title).ToUtf8()
                      << "\" showed; its output: " << m_process.Output();
    return window = search.found;
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

HWND ChildWithText(HWND parent, const wchar_t* text)
{
    CSearch search{text, nullptr};
    EnumChildWindows(parent, MatchText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND CLauncherRun::Control(const wchar_t* text) const { return ChildWithText(window, text); }

void CLauncherRun::Press(const wchar_t* text) const
{
    // The controls' windows come with the first message the launcher handles, which under
    // Wine may be a moment after it first waits for input.
    HWND control = nullptr;
    TestSupport::WaitUntil([&] { return (control = Control(text)) != nullptr; },
                           "the control \"" + TObj::CUnicodeString(text).ToUtf8() + "\"");
    TestSupport::SendWithDeadline(control, WM_KEYDOWN, VK_RETURN, 1);
}
