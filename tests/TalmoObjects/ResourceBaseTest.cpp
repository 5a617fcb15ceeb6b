#include "Errors.h"
#include "Icon.h"
#include "LibraryState.h"
#include "ProgramPaths.h"
#include "RecordingHandler.h"
#include "ResourceBase.h"
#include "ResourceModules.h"
#include "TestText.h"

#include <gtest/gtest.h>

using TObj::CUnicodeString;

namespace {
TOBJ_MESSAGE(MSG_MESSAGEBOX_OK);
TOBJ_MESSAGE(TEST_ONLY_IN_DLL);
TOBJ_MESSAGE(TEST_EMPTY_IN_DLL);

} // namespace

// One test, because the resource base is set up once per process.
TEST(ResourceBase, LanguageDllsAreFoundChosenAndSwitched)
{
    CRecordingHandler recorder;
    const CUnicodeString folder = TObj::GetProgramFolder() + u"resdlls";
    TObj::RegisterResourceModuleDescription(folder, U("TestRes"));
    TObj::RegisterResourceModuleDescription(folder, U("Half"));
    TObj::InitializeResourceBase();

    // TestRes0 and TestRes1 qualify; TestRes1x is no language file, TestRes2 is no resource DLL.
    // Half has only language 0, so language 1 is missing for it and only 0 is available.
    ASSERT_EQ(1u, recorder.messages.size());
    EXPECT_EQ(U("For prefix 'Half' resource modules for following languages: 1 are missing.\n"),
              recorder.messages[0].text);
    EXPECT_EQ(std::vector<int>{0}, TObj::AvailableLanguages());
    EXPECT_EQ(0, TObj::GetDefaultLanguage());
    EXPECT_EQ(0, TObj::GetInterfaceLanguage());
    EXPECT_EQ(U("English test"), TObj::GetLanguageDisplayName(0));

    // The DLLs of the language are searched before the program's own table.
    EXPECT_EQ(U("OK (half 0)"), TObj::LoadMessageText(MSG_MESSAGEBOX_OK));
    EXPECT_EQ(U("only in the DLL"), TObj::LoadMessageText(TEST_ONLY_IN_DLL));
    EXPECT_EQ(U(""), TObj::LoadMessageText(TEST_EMPTY_IN_DLL));
    // Icons too: the language's DLLs, then the program.
    const HMODULE iconModule = TObj::FindResourceModule(RT_GROUP_ICON, L"LANGUAGE_ICON");
    EXPECT_NE(nullptr, iconModule);
    EXPECT_NE(GetModuleHandleW(nullptr), iconModule);
    ZYR::CIcon icon;
    icon.LoadIconW(L"LANGUAGE_ICON", 32, 32);
    EXPECT_FALSE(icon.IsEmpty());

    // An unsupported language is refused with a message and the current one stays.
    TObj::SetInterfaceLanguage(12);
    EXPECT_EQ(U("The selected interface language ( 12 ) is not supported on the operating system."),
              recorder.messages.at(1).text);
    EXPECT_EQ(0, TObj::GetInterfaceLanguage());

    // Switching to a language without DLLs falls back to the program's table.
    TObj::SetInterfaceLanguage(2);
    EXPECT_EQ(2, TObj::GetInterfaceLanguage());
    EXPECT_EQ(nullptr, TObj::FindResourceModule(RT_GROUP_ICON, L"LANGUAGE_ICON"));
    EXPECT_EQ(U("OK"), TObj::LoadMessageText(MSG_MESSAGEBOX_OK));
    TObj::SetThreadLanguage(0);
    EXPECT_EQ(U("OK"), TObj::LoadMessageText(MSG_MESSAGEBOX_OK)); // language 0 was released by the switch
    TObj::SetThreadLanguage(-1);

    TObj::SetInterfaceLanguage(1);
    EXPECT_EQ(U("OK (Russian test)"), TObj::LoadMessageText(MSG_MESSAGEBOX_OK));
    TObj::SetThreadLanguage(2);
    EXPECT_EQ(U("OK"), TObj::LoadMessageText(MSG_MESSAGEBOX_OK));
    TObj::SetThreadLanguage(-1);

    TObj::DeinitializeResourceBase();
    EXPECT_EQ(U("OK"), TObj::LoadMessageText(MSG_MESSAGEBOX_OK));
}

namespace {
HANDLE g_lookupMayStart = nullptr;
void LookUpWhileShowing(const CUnicodeString& text)
{
    if (!text.StartsWith(U("shown on the first thread")))
        return;
    SetEvent(g_lookupMayStart);
    Sleep(200); // the other thread now switches languages and shows its own message
    TObj::LoadMessageText(MSG_MESSAGEBOX_OK);
}

DWORD WINAPI ShowOnFirstThread(void*)
{
    TObj::ShowMessage(U("shown on the first thread"), 0);
    return 0;
}

DWORD WINAPI SwitchToUnsupportedLanguage(void*)
{
    TObj::SetInterfaceLanguage(12); // unsupported: shown under no resource lock
    return 0;
}
} // namespace

// A message shown on one thread while another thread switches languages: the switch
// releases the resource lock before it shows anything, so neither waits for the other.
TEST(ResourceBase, ShowingAndSwitchingOnTwoThreadsDoNotDeadlock)
{
    CRecordingHandler quiet; // this thread's messages; the two threads below use the process-wide one
    TObj::InitializeResourceBase();
    CRecordingHandler processWide;
    TObj::CMessageHandlerHolder holder(processWide, false);
    g_lookupMayStart = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    processWide.onShow = &LookUpWhileShowing;
    holder.Install();
    const HANDLE shower = CreateThread(nullptr, 0, ShowOnFirstThread, nullptr, 0, nullptr);
    WaitForSingleObject(g_lookupMayStart, 5000);
    const HANDLE switcher = CreateThread(nullptr, 0, SwitchToUnsupportedLanguage, nullptr, 0, nullptr);
    const HANDLE both[] = {shower, switcher};
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, both, TRUE, 10000));
    holder.Uninstall();
    CloseHandle(shower);
    CloseHandle(switcher);
    CloseHandle(g_lookupMayStart);
    TObj::DeinitializeResourceBase();
}

TEST(ResourceBase, AnUnsupportedLanguageWithNoCurrentOneFallsBackToTheDefaultOnce)
{
    CRecordingHandler recorder;
    TObj::InitializeResourceBase();
    EXPECT_EQ(0, TObj::GetDefaultLanguage());
    const struct {
        bool (*supported)(int code);
        int language; // after asking for the unsupported 12 with no current language
    } cases[] = {
        {nullptr, 0},                             // the default stands in, once
        {[](int code) { return code == 5; }, -1}, // an unsupported default is never loaded, and asked for once
    };
    for (const auto& c : cases) {
        TObj::SetInterfaceLanguage(-1);
        TObj::SetLanguageSupportForTesting(c.supported);
        recorder.messages.clear();
        TObj::SetInterfaceLanguage(12);
        TObj::SetLanguageSupportForTesting(nullptr);
        EXPECT_EQ(c.language, TObj::GetInterfaceLanguage());
        EXPECT_EQ(1u, recorder.messages.size()); // one message of the unsupported language, not one per attempt
    }
    TObj::DeinitializeResourceBase();
}

// A module registered again moves to the end of the search, whichever place it had; it is
// never listed twice nor lost.
TEST(ResourceBase, AModuleRegisteredAgainIsSearchedFirst)
{
    const HMODULE russian = LoadLibraryW((TObj::GetProgramFolder() + u"resdlls\\TestRes1.dll").W());
    ASSERT_NE(nullptr, russian); // stays loaded: the process keeps it registered
    TObj::RegisterResourceModule(russian);
    TObj::RegisterResourceModule(russian); // the last one already
    EXPECT_EQ(U("OK (Russian test)"), TObj::LoadMessageText(MSG_MESSAGEBOX_OK));
    TObj::RegisterResourceModule(GetModuleHandleW(nullptr));
    EXPECT_EQ(U("OK"), TObj::LoadMessageText(MSG_MESSAGEBOX_OK));
    EXPECT_EQ(U("only in the DLL"), TObj::LoadMessageText(TEST_ONLY_IN_DLL));
}
