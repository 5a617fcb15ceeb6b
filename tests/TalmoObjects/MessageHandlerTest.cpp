#include "ConsoleMessageHandler.h"
#include "Errors.h"
#include "EventLogMessageHandler.h"
#include "MessageBoxHandler.h"
#include "ProgramPaths.h"
#include "RecordingHandler.h"
#include "RegistryKey.h"
#include "TempFolder.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <thread>

using TObj::CUnicodeString;

namespace {

CUnicodeString TempPath(const char* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return CUnicodeString(folder) + U(name);
}

// The last event log record written, through the stand-in for ReportEventW.
std::string g_record;
BOOL WINAPI RecordEvent(HANDLE, WORD type, WORD category, DWORD id, PSID, WORD count, DWORD, LPCWSTR* strings, LPVOID)
{
    g_record = std::to_string(type) + " " + std::to_string(category) + " " + std::to_string(id);
    for (WORD i = 0; i < count; ++i)
        g_record += " | " + CUnicodeString(strings[i]).ToUtf8();
    return TRUE;
}

std::string ShowThroughConsoleInto(const CUnicodeString& path, const char* text)
{
    const HANDLE file = CreateFileW(path.W(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    SetFilePointer(file, 0, nullptr, FILE_END);
    TObj::CConsoleMessageHandler console(file);
    EXPECT_EQ(TObj::CConsoleMessageHandler::kDiskFile, console.Kind());
    console.Show(nullptr, U(text), U("Talmo Objects"), 0);
    console.Show(nullptr, U("second"), U("Talmo Objects"), 0);
    CloseHandle(file);
    return ReadBytes(path);
}

} // namespace

TEST(MessageHandlers, HoldersInstallAndRestoreInReverseOrder)
{
    CRecordingHandler outer;
    {
        CRecordingHandler inner;
        TObj::ShowMessage(U("to inner"), 0);
        EXPECT_EQ(1u, inner.messages.size());
    }
    TObj::ShowMessage(U("to outer"), 0);
    TObj::SetApplicationTitle(U("Setup")); // the application's title is the caption
    TObj::ShowMessage(U("titled"), 0);
    TObj::SetApplicationTitle(CUnicodeString());
    ASSERT_EQ(2u, outer.messages.size());
    EXPECT_EQ(U("to outer"), outer.messages[0].text);
    EXPECT_EQ(U("Talmo Objects"), outer.messages[0].caption);
    EXPECT_EQ(U("Setup"), outer.messages[1].caption);
}

TEST(MessageHandlers, ThreadSlotWinsOverTheProcessSlotOnlyOnItsThread)
{
    CRecordingHandler processWide;
    TObj::CMessageHandlerHolder holder(processWide, false);
    holder.Install();
    std::thread([] {
        CRecordingHandler threadOnly;
        TObj::ShowMessage(U("thread"), 0);
        EXPECT_EQ(1u, threadOnly.messages.size());
    }).join();
    std::thread([] { TObj::ShowMessage(U("process"), 0); }).join();
    holder.Uninstall();
    ASSERT_EQ(1u, processWide.messages.size());
    EXPECT_EQ(U("process"), processWide.messages[0].text);
}

namespace {
class CSilentHandler : public TObj::CMessageHandler {
public:
    int Show(void*, const CUnicodeString&, const CUnicodeString&, unsigned) override { return ++shown; }
    int shown = 0;
};
} // namespace

TEST(MessageHandlersDeathTest, UninstallingOutOfOrderIsAnInternalErrorAndNeverThrowsFromADestructor)
{
    EXPECT_EXIT(
        {
            CSilentHandler first;
            CSilentHandler second;
            {
                TObj::CMessageHandlerHolder outer(first, true);
                outer.Install();
                TObj::CMessageHandlerHolder inner(second, true);
                inner.Install();
                try {
                    outer.Uninstall(); // `second` is in the slot
                    std::exit(10);
                } catch (TObj::CInternalError* e) {
                    delete e;
                }
            } // `inner` finds the slot changed: it reports instead of throwing
            std::exit(first.shown + second.shown == 1 ? 0 : 11);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(MessageHandlers, FlagsToRepliesEventTypesAndBoxFlags)
{
    for (const auto& row : ReadTable("tests/data/message-flags.tsv")) {
        const unsigned flags = std::stoul(row.at(0), nullptr, 16);
        EXPECT_EQ(std::stoi(row.at(1)), TObj::DefaultReply(flags)) << row[0];
        EXPECT_EQ(std::stoi(row.at(2)), TObj::DefaultEventType(flags)) << row[0];
        EXPECT_EQ(std::stoi(row.at(3)), TObj::CEventLogMessageHandler::EventType(flags)) << row[0];
        EXPECT_EQ(std::stoul(row.at(4), nullptr, 16), TObj::CMessageBoxHandler::EffectiveFlags(nullptr, flags))
            << row[0];
    }
}

TEST(MessageHandlers, ConsoleLineEnds)
{
    struct Case {
        const char* text;
        const char* lines;
    } cases[] = {{"a", "a\r\n"}, {"a\nb", "a\r\nb\r\n"}, {"a\r\nb", "a\r\nb\r\n"}, {"\n", "\r\n\r\n"}, {"", "\r\n"}};
    for (const Case& c : cases)
        EXPECT_EQ(U(c.lines), TObj::CConsoleMessageHandler::ToLines(U(c.text)));
}

TEST(MessageHandlers, ConsoleWritesUtf8ToANewFileAndUtf16ToAMarkedOne)
{
    const CUnicodeString fresh = TempPath("tobj-console-new.txt");
    DeleteFileW(fresh.W());
    // A new file gets UTF-8: nothing is lost to the ANSI code page.
    EXPECT_EQ("two\r\nlines \xC3\xA9 \xE2\x9C\x93\r\nsecond\r\n",
              ShowThroughConsoleInto(fresh, "two\nlines \xC3\xA9 \xE2\x9C\x93"));

    const CUnicodeString marked = TempPath("tobj-console-utf16.txt");
    {
        std::ofstream file(marked.ToUtf8(), std::ios::binary | std::ios::trunc);
        file.write("\xFF\xFE", 2);
    }
    const std::string bytes = ShowThroughConsoleInto(marked, "é");
    EXPECT_EQ(std::string("\xFF\xFE\xE9\0\r\0\n\0", 8), bytes.substr(0, 8));
    EXPECT_EQ(2 + 2 * (3 + 8), static_cast<int>(bytes.size()));
    DeleteFileW(fresh.W());
    DeleteFileW(marked.W());
}

TEST(MessageHandlers, EventLogRecordsAndSourceKey)
{
    TObj::CEventLogMessageHandler handler(U("AutoRun Tests"));
    EXPECT_TRUE(handler.WriteRecord(4, U("Talmo Objects"), U("a record")));
    TObj::CEventLogMessageHandler::SetReportEventForTesting(&RecordEvent);
    EXPECT_EQ(1, handler.Show(nullptr, U("shown"), U("Talmo Objects"), MB_OKCANCEL));
    TObj::CEventLogMessageHandler::SetReportEventForTesting(nullptr);
    EXPECT_EQ("2 0 1 | Talmo Objects | shown", g_record); // a warning of no category; message 1, two texts
    TObj::CRegistryKey key;
    ASSERT_TRUE(
        key.Open(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\AutoRun Tests"));
    CUnicodeString file;
    ASSERT_TRUE(key.ReadString(L"EventMessageFile", file));
    EXPECT_EQ(TObj::GetProgramFolder() + u"TObjEventSrc.dll", file);
}

TEST(MessageHandlers, MessageLogLinesWhenTheMachineAsksForThem)
{
    TObj::CRegistryKey settings;
    ASSERT_TRUE(settings.Create(HKEY_LOCAL_MACHINE, L"Software\\Orvex\\Talmo Objects"));
    const CUnicodeString log = TObj::GetProgramFolder() + u"TalmoObjLog.txt";
    DeleteFileW(log.W());
    CRecordingHandler recorder;

    settings.WriteString(L"WriteMessageLog", U("1"));
    TObj::ShowMessage(U("logged\ntext"), 0);
    const TObj::CUserException silent;
    TObj::ReportException(&silent);
    settings.WriteString(L"WriteMessageLog", U("0"));
    TObj::ShowMessage(U("not logged"), 0);

    const std::string bytes = ReadBytes(log);
    const std::string tail = " ProcessID:" + std::to_string(GetCurrentProcessId()) + " logged\ntext\r\n";
    ASSERT_EQ(8 + tail.size(), bytes.size()) << bytes;
    EXPECT_EQ(tail, bytes.substr(8));
    EXPECT_TRUE(bytes[2] == ':' && bytes[5] == ':');
    EXPECT_EQ(2u, recorder.messages.size()); // the user exception shows nothing
    DeleteFileW(log.W());

    // A log that cannot be written is skipped without a word.
    CreateDirectoryW(log.W(), nullptr);
    settings.WriteString(L"WriteMessageLog", U("1"));
    TObj::ShowMessage(U("still shown"), 0);
    settings.WriteString(L"WriteMessageLog", U("0"));
    RemoveDirectoryW(log.W());
    EXPECT_EQ(3u, recorder.messages.size());
}
