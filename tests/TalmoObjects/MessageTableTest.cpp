#include "LibraryState.h"
#include "Message.h"
#include "ProgramPaths.h"
#include "ResourceBase.h"
#include "TempFolder.h"
#include "TestText.h"
#include "TextFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

using TObj::CUnicodeString;

namespace {

CUnicodeString CompiledText(unsigned id)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? CUnicodeString(text, length) : CUnicodeString();
}

// A message listing's text, which is UTF-16 behind a byte order mark.
std::string ListingText(const CUnicodeString& path)
{
    TObj::CTextFile file;
    file.OpenForReading(path);
    return file.CodePage() == TObj::kCodePageUtf16LE ? file.Text().ToUtf8() : "(no UTF-16 listing)";
}

} // namespace

TEST(MessageTable, CompiledStringTableHoldsEveryTextExactlyAndTheLibraryReadsItWhole)
{
    const auto expected = ReadTable("tests/data/message-table.tsv");
    ASSERT_EQ(175u, expected.size());
    for (const auto& message : expected) {
        const unsigned id = std::stoul(message.at(1));
        const CUnicodeString text = U(Unescaped(message.at(2)).c_str());
        EXPECT_EQ(text, CompiledText(id)) << message[0];
        // As the library reads it: a text longer than its first buffer is read whole.
        CUnicodeString looked;
        EXPECT_TRUE(TObj::LookupMessageText(U(message[0].c_str()).Ptr(), looked) && looked == text) << message[0];
        EXPECT_EQ(id, TObj::FindProgramMessageId(U(message[0].c_str()).Ptr())) << message[0];
    }
}

TEST(MessageTable, NamesAreSortedAndNamesAndIdsUnique)
{
    std::set<unsigned> ids;
    for (int i = 0; i < TObj::kProgramMessageCount; ++i) {
        const auto& entry = TObj::ProgramMessage(i);
        ids.insert(entry.id);
        if (i > 0) {
            EXPECT_LT(CUnicodeString(TObj::ProgramMessage(i - 1).name).Compare(CUnicodeString(entry.name)), 0);
        }
    }
    EXPECT_EQ(175u, ids.size());
    EXPECT_EQ(4096u, *ids.begin());
    EXPECT_EQ(4270u, *ids.rbegin());
}

TEST(MessageTable, ExportsAnswerThroughGetProcAddress)
{
    const HMODULE self = GetModuleHandleW(nullptr);
    using FGetResourceID = unsigned (*)(const wchar_t*);
    using FCount = int (*)();
    using FName = const wchar_t* (*)(int);
    const auto getId = reinterpret_cast<FGetResourceID>(reinterpret_cast<void*>(GetProcAddress(self, "GetResourceID")));
    const auto count = reinterpret_cast<FCount>(reinterpret_cast<void*>(GetProcAddress(self, "NumberOfMessages")));
    const auto name = reinterpret_cast<FName>(reinterpret_cast<void*>(GetProcAddress(self, "GetMessageName")));
    const auto version =
        reinterpret_cast<FCount>(reinterpret_cast<void*>(GetProcAddress(self, "GetMessageSystemVersion")));
    const auto used = reinterpret_cast<const int*>(GetProcAddress(self, "__TalmoObjUsed"));
    ASSERT_TRUE(getId && count && name && version && used);
    struct Case {
        const wchar_t* name;
        unsigned id;
    } cases[] = {{L"CURRENT_LANGUAGE_NAME", 4096},
                 {L"MSG_VK_UP", 4270},
                 {L"ERR_BAD_ARCHIVE", 4135},
                 {L"ERR_ZYR_NOT_ENOUGH_RESOURCES", 4134},
                 {L"", 0},
                 {L"err_bad_archive", 0},
                 {L"ZZZ", 0},
                 {L"A", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.id, getId(c.name));
    EXPECT_EQ(175, count());
    EXPECT_STREQ(L"CURRENT_LANGUAGE_NAME", name(0));
    EXPECT_STREQ(L"MSG_ZYR_VALUE_OUT_OF_RANGE_MIN", name(174));
    EXPECT_EQ(200, version());
    EXPECT_EQ(0, *used);
}

TEST(MessageTable, LookUpFormatsDefinedAndUndefinedMessages)
{
    TOBJ_MESSAGE(ERR_BAD_INI_FILE);
    TOBJ_MESSAGE(ERR_NO_SUCH_MESSAGE_ANYWHERE);
    EXPECT_TRUE(TObj::IsMessageDefined(ERR_BAD_INI_FILE));
    EXPECT_FALSE(TObj::IsMessageDefined(ERR_NO_SUCH_MESSAGE_ANYWHERE));
    EXPECT_EQ(U("C:\\a.ini is corrupted (line 5)."), TObj::FormatMessageText(ERR_BAD_INI_FILE, U("C:\\a.ini"), U("5")));
    EXPECT_EQ(U("ERR_NO_SUCH_MESSAGE_ANYWHERE a b"),
              TObj::FormatMessageText(ERR_NO_SUCH_MESSAGE_ANYWHERE, U("a"), U("b")));
    EXPECT_EQ(U("ERR_NO_SUCH_MESSAGE_ANYWHERE"), TObj::LoadMessageText(ERR_NO_SUCH_MESSAGE_ANYWHERE));

    // Built-in texts stand in until the library runs.
    TOBJ_MESSAGE(MSG_INTERNAL_ERROR);
    TObj::SetLibraryState(TObj::ELibraryState::NeverStarted);
    EXPECT_EQ(U("built-in"), TObj::GetMessageTextOrDefault(MSG_INTERNAL_ERROR, u"built-in"));
    TObj::SetLibraryState(TObj::ELibraryState::Running);
    EXPECT_EQ(U("Internal program error:\n%0, %1."), TObj::GetMessageTextOrDefault(MSG_INTERNAL_ERROR, u"built-in"));
    TObj::SetLibraryState(TObj::ELibraryState::NeverStarted);
}

TEST(MessageTable, UsedMessagesAreListedFromStaticConstruction)
{
    std::set<std::string> used;
    for (const TObj::CMessage* m = TObj::CMessage::FirstUsed(); m != nullptr; m = m->NextUsed())
        used.insert(CUnicodeString(m->Name()).ToUtf8());
    EXPECT_EQ(1u, used.count("MSG_INTERNAL_ERROR_WITH_CODE"));
    EXPECT_EQ(1u, used.count("ERR_FILE_DISK_FULL"));
}

// The listings an author reads to find texts to translate: every used message with its
// module and whether a module defines it, then the defined messages nothing uses.
TEST(MessageTable, ListingsNameTheUsedTheUndefinedAndTheUnusedMessages)
{
    TOBJ_MESSAGE(ERR_BAD_INI_FILE);
    TOBJ_MESSAGE(ERR_NOT_DEFINED_FOR_THE_LISTING);
    const std::string unused = "MSG_VK_UP"; // defined in the program's table, and no code here uses it

    CTempFolder folder;
    ASSERT_TRUE(TObj::WriteAllMessagesListing(folder.Path("all.txt")));
    ASSERT_TRUE(TObj::WriteUndefinedMessagesListing(folder.Path("undefined.txt")));
    const std::string all = ListingText(folder.Path("all.txt"));
    const std::string program = TObj::GetProgramPath().ToUtf8();
    EXPECT_EQ(0u, all.find("Name\tModule\tDefined\tUsed\r\n")) << all.substr(0, 80);
    EXPECT_NE(std::string::npos, all.find("\nERR_BAD_INI_FILE\t" + program + "\ttrue\ttrue\r\n"));
    EXPECT_NE(std::string::npos, all.find("\nERR_NOT_DEFINED_FOR_THE_LISTING\t" + program + "\tfalse\ttrue\r\n"));
    EXPECT_NE(std::string::npos, all.find("\n" + unused + "\t\ttrue\tfalse\r\n")) << unused;

    const std::string undefined = ListingText(folder.Path("undefined.txt"));
    const std::size_t unusedPart = undefined.find("********** Unused messages ********\r\n");
    ASSERT_NE(std::string::npos, unusedPart) << undefined.substr(0, 200);
    EXPECT_LT(undefined.find("ERR_NOT_DEFINED_FOR_THE_LISTING\r\n"), unusedPart);
    EXPECT_EQ(std::string::npos, undefined.find("ERR_BAD_INI_FILE"));
    EXPECT_NE(std::string::npos, undefined.find("\n" + unused + "\r\n", unusedPart));
}
