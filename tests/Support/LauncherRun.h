// LauncherRun.h
// Holds CLauncherRun, the real launcher started as a child process from a test disc folder:
// its standard output in a pipe, its window found by title, its controls reached by their
// texts, and its exit code; ChildWithText, a control by its text; and SourcePath, a
// file of the source tree (the demo disc, the golden cases) as this process sees it.
#pragma once

#include "ChildProcess.h"
#include "Deadline.h"
#include "TempFolder.h"

#include <windows.h>

#include <string>
#include <vector>

class CLauncherRun {
public:
    CLauncherRun();

    CLauncherRun& File(const char* name, const std::string& bytes);
    TObj::CUnicodeString Path(const char* name = "") const { return m_folder.Path(name); }
    const CTempFolder& Folder() const noexcept { return m_folder; }
    // Copies a program built beside the tests into the disc.
    CLauncherRun& Program(const char* builtName, const char* discName);
    // Copies the demo disc of the source tree, with its stand-in installer, into the disc.
    CLauncherRun& DemoDisc();
    // Copies every file and folder below `folder` into the disc.
    CLauncherRun& CopyFrom(const TObj::CUnicodeString& folder);

    bool Start(const char* arguments = "", const TObj::CUnicodeString& launcher = {});
    // Waits until the launcher's window with this title shows, with its controls and icons;
    // null, and a failure, when the launcher ends first or the deadline passes.
    HWND WaitForWindow(const wchar_t* title, DWORD milliseconds = TestSupport::kPatience);
    // The launcher's child control with this text.
    HWND Control(const wchar_t* text) const;
    void Press(const wchar_t* text) const; // Enter on the control
    // Waits for the end of the process; its exit code, or 0xDEAD when it did not end.
    DWORD WaitForExit(DWORD milliseconds = TestSupport::kPatience) { return m_process.Wait(milliseconds); }
    std::string Output() { return m_process.Output(); }
    DWORD StartError() const noexcept { return m_process.StartError(); }

    HWND window = nullptr;

private:
    CTempFolder m_folder;
    CChildProcess m_process;
};

// The child window of `parent` with this text, or null.
HWND ChildWithText(HWND parent, const wchar_t* text);

// "demo" is the source tree's demo disc folder, under Wine's drive for the host's root.
TObj::CUnicodeString SourcePath(const char* relative);
