// The real launcher started as a program: its window, page switches and exit codes, the
// shell requests it makes, and its end when its medium is removed.
#include "LanguageMenu.h"
#include "LauncherRun.h"
#include "Pixels.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include <cwchar>
#include <string>

using TObj::CUnicodeString;

namespace {

// Two pages whose commands switch, go back, run a program with awkward arguments and end.
const std::string kTwoPages = SourceText("tests/data/two-pages.ini");

SIZE ClientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

std::wstring Title(HWND window)
{
    wchar_t title[128] = {0};
    GetWindowTextW(window, title, 128);
    return title;
}

// Waits, pumping nothing, until the window's title is `title`.
bool WaitForTitle(HWND window, const wchar_t* title)
{
    return TestSupport::WaitUntil([&] { return Title(window) == title; },
                                  "the title \"" + TObj::CUnicodeString(title).ToUtf8() + "\"");
}

} // namespace

TEST(Launcher, PageSwitchesBackAndExit)
{
    CLauncherRun run;
    run.File("Autorun.inf", kTwoPages);
    ASSERT_TRUE(run.Start());
    const HWND window = run.WaitForWindow(L"Test Main");
    ASSERT_NE(nullptr, window);
    run.Press(L"Bad page"); // reported; the page and the history stay as they were
    // A held key repeats: the repeated key-downs run nothing. Keys are sent, so each has
    // been handled when the call returns.
    TestSupport::SendWithDeadline(run.Control(L"Go setup"), WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));
    EXPECT_EQ(L"Test Main", Title(window));
    run.Press(L"Go setup");
    ASSERT_TRUE(WaitForTitle(window, L"Test Setup"));
    EXPECT_EQ(400, ClientSize(window).cx);
    EXPECT_EQ(260, ClientSize(window).cy);
    run.Press(L"Exit here");
    ASSERT_TRUE(WaitForTitle(window, L"Test Main"));
    EXPECT_EQ(320, ClientSize(window).cx);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    EXPECT_TRUE(TestSupport::WaitUntil(
        [&] {
            return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) &&
                   thread.hwndFocus == run.Control(L"Go setup");
        },
        "the focus back on the command the keyboard left the page by"));
    run.Press(L"Back on first"); // an internal error, and the launcher stays
    EXPECT_TRUE(IsWindow(window));
    run.Press(L"Exit on first"); // "$Exit" on the first page closes the launcher
    EXPECT_EQ(0u, run.WaitForExit());
    const std::string output = run.Output();
    EXPECT_NE(std::string::npos, output.find("Autorun.inf is corrupted.")) << output;
    EXPECT_NE(std::string::npos, output.find("AutoRunWindow, 87.")) << output;
}

namespace {

struct CInputMethodCount {
    DWORD processId;
    int windows;
};

BOOL CALLBACK CountInputMethodWindow(HWND window, LPARAM count)
{
    auto& counted = *reinterpret_cast<CInputMethodCount*>(count);
    DWORD owner = 0;
    wchar_t className[16] = {0};
    GetWindowThreadProcessId(window, &owner);
    if (owner == counted.processId && GetClassNameW(window, className, 16) > 0 && wcscmp(className, L"IME") == 0)
        ++counted.windows;
    return TRUE;
}

// The launcher takes no text, so none of its threads has an input method window.
int InputMethodWindows(DWORD processId)
{
    CInputMethodCount count{processId, 0};
    EnumWindows(&CountInputMethodWindow, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

} // namespace

TEST(Launcher, CloseEndsItFromAnyPage)
{
    CLauncherRun run;
    run.File("Autorun.inf", kTwoPages);
    ASSERT_TRUE(run.Start());
    ASSERT_NE(nullptr, run.WaitForWindow(L"Test Main"));
    DWORD processId = 0;
    GetWindowThreadProcessId(run.window, &processId);
    EXPECT_EQ(0, InputMethodWindows(processId));
    // A window of the test's own has one, so the count can see them.
    const HWND own = CreateWindowW(L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_LT(0, InputMethodWindows(GetCurrentProcessId()));
    DestroyWindow(own);
    run.Press(L"Close it");
    EXPECT_EQ(0u, run.WaitForExit());
}

// The running demo's languages, chosen as its system menu chooses them: German, then
// Arabic, laid out right to left.
TEST(Launcher, TheDemosLanguagesAreChosenInItsWindow)
{
    CLauncherRun run;
    run.DemoDisc();
    ASSERT_TRUE(run.Start("-l:0"));
    const HWND window = run.WaitForWindow(L"Orvex Studio 2.1 Setup");
    ASSERT_NE(nullptr, window) << run.Output();
    const struct {
        int code;
        const wchar_t* title;
        bool rightToLeft;
    } choices[] = {{2, L"Orvex Studio 2.1 Installation", false}, {61, L"إعداد Orvex Studio 2.1", true}};
    for (const auto& choice : choices) {
        PostMessageW(window, WM_SYSCOMMAND, CLanguageMenu::kFirstCommand + choice.code * CLanguageMenu::kCommandStep,
                     0);
        EXPECT_TRUE(TestSupport::WaitUntil(
            [&] {
                wchar_t title[64] = {0};
                GetWindowTextW(window, title, 64);
                return std::wcscmp(title, choice.title) == 0 &&
                       ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) == choice.rightToLeft;
            },
            "the page of language " + std::to_string(choice.code)));
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run.WaitForExit());
}

TEST(Launcher, ShellRequestsCarryTargetAndParametersUnchanged)
{
    CLauncherRun run;
    // With a byte-order mark the page file is UTF-8; without one it would be read as ANSI.
    run.File("Autorun.inf", std::string("\xEF\xBB\xBF") + kTwoPages)
        .Program("RecordArgs.exe", "tools\\Record Args.exe");
    ASSERT_TRUE(run.Start());
    const HWND window = run.WaitForWindow(L"Test Main");
    ASSERT_NE(nullptr, window);
    run.Press(L"Run recorder");
    std::string record;
    TestSupport::WaitUntil(
        [&] {
            record = ReadBytes(run.Path("tools\\record.txt"));
            return record.find('\n') != std::string::npos;
        },
        "the recording program's record");
    const std::string expectedLine = "\"" + run.Path("tools\\Record Args.exe").ToUtf8() +
                                     "\" \"quoted arg\" plain & | ^ % trailing\\ \xC3\xA4\xE2\x82\xAC";
    // The started program inherits the launcher's folder as its working folder.
    std::string folder = run.Path().ToUtf8();
    folder.pop_back();
    EXPECT_EQ(expectedLine + "\n" + folder + "\n", record);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run.WaitForExit());
}

// Needs drive M: mapped to an empty folder: tools/with-wine-drive.sh does so for ctest and
// says so in AUTORUN_MEDIA_DRIVE.
TEST(Launcher, RemovingItsOwnMediumEndsIt)
{
    wchar_t mapped[4] = {0};
    if (GetEnvironmentVariableW(L"AUTORUN_MEDIA_DRIVE", mapped, 4) == 0 || GetDriveTypeW(L"M:\\") == DRIVE_NO_ROOT_DIR)
        GTEST_SKIP() << "drive M: is not mapped for this run";
    CLauncherRun run; // only for its launcher copy and its process handling
    ASSERT_TRUE(CopyFileW(run.Path("Autorun.exe").W(), L"M:\\Autorun.exe", FALSE));
    const HANDLE file = CreateFileW(L"M:\\Autorun.inf", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, kTwoPages.data(), static_cast<DWORD>(kTwoPages.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(run.Start("", CUnicodeString(u"M:\\Autorun.exe")));
    const HWND window = run.WaitForWindow(L"Test Main");
    ASSERT_NE(nullptr, window) << run.Output();
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_flags = DBTF_MEDIA;
    volume.dbcv_unitmask = 1u << ('N' - 'A'); // another drive: nothing happens
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&volume), 0,
                        TestSupport::kPatience, &result);
    EXPECT_EQ(0xDEADu, run.WaitForExit(500));
    volume.dbcv_unitmask = 1u << ('M' - 'A');
    SendMessageTimeoutW(window, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&volume), 0,
                        TestSupport::kPatience, &result);
    EXPECT_EQ(0u, run.WaitForExit());
    DeleteFileW(L"M:\\Autorun.exe");
    DeleteFileW(L"M:\\Autorun.inf");
}
