#include "DebugFlags.h"
#include "Errors.h"
#include "ExpectThrows.h"
#include "FileSystem.h"
#include "LibraryStartup.h"
#include "LibraryState.h"
#include "Platform.h"
#include "ProgramPaths.h"
#include "RecordingHandler.h"
#include "RegistryKey.h"
#include "ResourceBase.h"
#include "TempFolder.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <exception>
#include <new>
#include <string>

using TObj::CUnicodeString;

namespace {

// Sets debug values for one test and removes them afterwards.
class CDebugSettings {
public:
    CDebugSettings() { m_user.Create(HKEY_CURRENT_USER, L"Software\\Orvex\\Talmo Objects"); }
    ~CDebugSettings()
    {
        m_user.Close();
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Orvex\\Talmo Objects");
        TObj::CRegistryKey machine;
        if (machine.Open(HKEY_LOCAL_MACHINE, L"Software\\Orvex\\Talmo Objects", KEY_WRITE))
            RegDeleteValueW(machine.Handle(), L"WriteMessageLog");
    }
    CDebugSettings(const CDebugSettings&) = delete;
    CDebugSettings& operator=(const CDebugSettings&) = delete;
    void Set(const wchar_t* name, const char* value) { m_user.WriteString(name, U(value)); }

private:
    TObj::CRegistryKey m_user;
};

int g_started = 0, g_stopped = 0;
std::string g_order;

} // namespace

TEST(LibraryStartup, DebugFlagsFromTheRegistry)
{
    for (const auto& row : ReadTable("tests/data/debug-flags.tsv")) {
        CDebugSettings settings;
        if (row.at(0) != "-")
            settings.Set(CUnicodeString(row[0].c_str()).W(), row.at(1).c_str());
        EXPECT_EQ(std::stoul(row.at(2), nullptr, 16), TObj::ReadDebugFlagsFromRegistry(TObj::kInitialDebugFlags))
            << row[0];
    }
}

// The memory exception breaks into the debugger under its flag; any other stop under the
// stop modes that ask for a break (2 and 3), and only there.
TEST(LibraryStartup, TheDebuggerIsBrokenIntoOnlyWhereAFlagOrAStopModeAsks)
{
    static int s_breaks;
    TObj::Platform::SetDebuggerForTesting([] { ++s_breaks; });
    const std::uint32_t flags = TObj::GetDebugFlags();
    for (const std::uint32_t set : {flags & ~TObj::kBreakOnMemoryException, flags | TObj::kBreakOnMemoryException}) {
        s_breaks = 0;
        TObj::SetDebugFlags(set);
        EXPECT_EQ("Not enough memory!", MessageOf([] { TObj::ThrowMemoryException(); }));
        EXPECT_EQ((set & TObj::kBreakOnMemoryException) != 0 ? 1 : 0, s_breaks) << set;
    }
    TObj::SetDebugFlags(flags);
    std::string broke;
    for (int mode = 0; mode < 4; ++mode) {
        s_breaks = 0;
        TObj::Platform::ApplyStopMode(mode);
        broke += std::to_string(s_breaks);
    }
    TObj::Platform::SetDebuggerForTesting(nullptr);
    EXPECT_EQ("0011", broke);
}

TEST(LibraryStartup, StartsStopsAndNestsWithItsLogLines)
{
    CRecordingHandler recorder;
    CDebugSettings settings;
    settings.Set(L"SaveAllMessages", "1");
    settings.Set(L"SaveUndefinedMessages", "1");
    TObj::CRegistryKey machine;
    ASSERT_TRUE(machine.Create(HKEY_LOCAL_MACHINE, L"Software\\Orvex\\Talmo Objects"));
    machine.WriteString(L"WriteMessageLog", U("1"));
    // The start takes the machine's folder for temporary files.
    machine.WriteString(L"Temp", U("Z:\\scratch\\"));
    const CUnicodeString log = TObj::GetProgramFolder() + u"TalmoObjLog.txt";
    DeleteFileW(log.W());
    DeleteFileW(TObj::AllMessagesListingPath().W());
    DeleteFileW(TObj::UndefinedMessagesListingPath().W());

    TObj::RegisterStaticModuleAt(
        &g_started, [] { ++g_started, g_order += "A+"; }, [] { ++g_stopped, g_order += "A-"; });
    TObj::RegisterStaticModule(
        GetModuleHandleW(nullptr), [] { g_order += "B+"; }, [] { g_order += "B-"; });
    const _invalid_parameter_handler before = _get_invalid_parameter_handler();
    const std::terminate_handler terminateBefore = std::get_terminate();
    const std::new_handler newBefore = std::get_new_handler();
    ASSERT_TRUE(TObj::InitializeTalmoObjects());
    EXPECT_EQ(TObj::ELibraryState::Running, TObj::GetLibraryState());
    // An allocation that fails is the library's memory failure, which the barriers report.
    volatile std::size_t more = std::size_t(-1) / 4 * 3; // more than any process has
    EXPECT_EQ("Not enough memory!", MessageOf([&more] { ::operator delete(::operator new(more)); }));
    EXPECT_NE(before, _get_invalid_parameter_handler()) << "the library ignores invalid parameters";
    EXPECT_NE(nullptr, _get_invalid_parameter_handler());
    EXPECT_NE(terminateBefore, std::get_terminate());
    EXPECT_EQ(0x54Au, TObj::GetDebugFlags());
    EXPECT_EQ(U("Software\\Orvex\\TalmoObjectsTests"), TObj::GetRegistryPath());
    EXPECT_EQ(U("Orvex\\TalmoObjectsTests"), TObj::GetApplicationDataRelativeFolder());
    EXPECT_EQ(U("Z:\\scratch\\"), TObj::GetTemporaryFolder());
    machine.WriteString(L"Temp", CUnicodeString());

    settings.Set(L"SaveAllMessages", "0"); // a nested start reads nothing again
    EXPECT_TRUE(TObj::InitializeTalmoObjects());
    EXPECT_EQ(0x54Au, TObj::GetDebugFlags());
    TObj::DeinitializeTalmoObjects();
    EXPECT_EQ(TObj::ELibraryState::Running, TObj::GetLibraryState());
    EXPECT_EQ("A+B+", g_order);

    TObj::DeinitializeTalmoObjects();
    EXPECT_EQ(TObj::ELibraryState::ShutDown, TObj::GetLibraryState());
    EXPECT_EQ("A+B+B-A-", g_order);
    EXPECT_EQ(before, _get_invalid_parameter_handler()) << "both run-time handlers are put back";
    EXPECT_EQ(terminateBefore, std::get_terminate());
    EXPECT_EQ(newBefore, std::get_new_handler());
    EXPECT_TRUE(TObj::FileExists(TObj::AllMessagesListingPath()));
    EXPECT_TRUE(TObj::FileExists(TObj::UndefinedMessagesListingPath()));

    machine.WriteString(L"WriteMessageLog", U("0"));
    const std::string lines = ReadBytes(log);
    std::istringstream expected(SourceText("tests/data/library-log-lines.txt")); // in this order
    std::size_t at = 0;
    for (std::string line; std::getline(expected, line);) {
        const std::size_t found = lines.find(line, at);
        EXPECT_NE(std::string::npos, found) << line;
        at = found == std::string::npos ? at : found;
    }
    DeleteFileW(log.W());
    DeleteFileW(TObj::AllMessagesListingPath().W());
    DeleteFileW(TObj::UndefinedMessagesListingPath().W());
}

TEST(LibraryStartup, AModuleThatFailsToStartIsReportedAndStopsTheStart)
{
    CRecordingHandler recorder;
    TObj::RegisterStaticModuleAt(
        &g_stopped,
        [] {
            TOBJ_MESSAGE(ERR_CANT_LOAD_MODULE);
            TObj::ThrowCheckError(ERR_CANT_LOAD_MODULE, U("demo.dll"));
        },
        nullptr);
    static bool laterStarted = false; // a module after the failing one is never started
    TObj::RegisterStaticModuleAt(
        &laterStarted, [] { laterStarted = true; }, nullptr);
    EXPECT_FALSE(TObj::InitializeTalmoObjects());
    EXPECT_FALSE(laterStarted);
    EXPECT_EQ(TObj::ELibraryState::ModuleFailed, TObj::GetLibraryState());
    ASSERT_FALSE(recorder.messages.empty());
    EXPECT_EQ(U("Can't load module demo.dll"), recorder.messages.back().text);
    // Shutdown in that state does nothing; the test leaves the library as it found it.
    TObj::DeinitializeTalmoObjects();
    EXPECT_EQ(TObj::ELibraryState::ModuleFailed, TObj::GetLibraryState());
    TObj::DeinitializeResourceBase();
    TObj::SetLibraryState(TObj::ELibraryState::NeverStarted);
}

namespace {
BOOL WINAPI ReportsWow64(HANDLE, PBOOL wow64)
{
    *wow64 = TRUE;
    return TRUE;
}
BOOL WINAPI ReportsNative(HANDLE, PBOOL wow64)
{
    *wow64 = FALSE;
    return TRUE;
}
BOOL WINAPI Fails(HANDLE, PBOOL)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}
} // namespace

TEST(LibraryStartup, SixtyFourBitWindows)
{
    EXPECT_TRUE(TObj::IsWow64Through(ReportsWow64));
    EXPECT_FALSE(TObj::IsWow64Through(ReportsNative));
    EXPECT_FALSE(TObj::IsWow64Through(nullptr)); // the function is missing
    EXPECT_EQ("Internal program error:\ntalmoobjects, 420.\nError code: 0x5",
              MessageOf([] { TObj::IsWow64Through(Fails); }));
#ifdef _WIN64
    // A 64-bit program is on 64-bit Windows, although IsWow64Process says FALSE for it.
    EXPECT_TRUE(TObj::IsWow64());
#endif
    EXPECT_TRUE(TObj::IsWindowsVersionAtLeast(5, 1));
    EXPECT_FALSE(TObj::IsWindowsVersionAtLeast(99, 0));
    // This very version is at least itself, and a later minor version of it is not.
    const DWORD version = GetVersion();
    EXPECT_TRUE(TObj::IsWindowsVersionAtLeast(LOBYTE(version), HIBYTE(LOWORD(version))));
    EXPECT_FALSE(TObj::IsWindowsVersionAtLeast(LOBYTE(version), HIBYTE(LOWORD(version)) + 1u));
}
