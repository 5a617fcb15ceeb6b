#include "COMException.h"
#include "Errors.h"
#include "ExpectThrows.h"
#include "FileException.h"
#include "LastErrorException.h"
#include "LibraryState.h"
#include "TestText.h"
#include "ThrowForbidden.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <memory>

using TObj::CUnicodeString;

namespace {
TOBJ_MESSAGE(ERR_AR_FILE_NOT_FOUND);
TOBJ_MESSAGE(ERR_AR_BACKGROUND_IMAGE_NOT_FOUND);
TOBJ_MESSAGE(ERR_UNDEFINED_FOR_TESTS);

class CLibraryRunning {
public:
    CLibraryRunning() { TObj::SetLibraryState(TObj::ELibraryState::Running); }
    ~CLibraryRunning() { TObj::SetLibraryState(TObj::ELibraryState::NeverStarted); }
};
} // namespace

TEST(ExceptionText, CheckExceptionsWithZeroOneAndTwoParameters)
{
    struct Case {
        const TObj::CMessage& message;
        CUnicodeString p0, p1;
        const char* expected;
    } cases[] = {
        {ERR_AR_FILE_NOT_FOUND, {}, {}, " was not found."},
        {ERR_AR_FILE_NOT_FOUND, U("D:\\Autorun.inf"), {}, "D:\\Autorun.inf was not found."},
        {ERR_AR_BACKGROUND_IMAGE_NOT_FOUND, U("D:\\b.bmp"), U("Main"),
         "Background image \"D:\\b.bmp\" was not found for \"Main\"."},
        {ERR_UNDEFINED_FOR_TESTS, {}, {}, "ERR_UNDEFINED_FOR_TESTS"},
        {ERR_UNDEFINED_FOR_TESTS, U("a"), {}, "ERR_UNDEFINED_FOR_TESTS a"},
        {ERR_UNDEFINED_FOR_TESTS, U("a"), U("b"), "ERR_UNDEFINED_FOR_TESTS a b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(c.expected), TObj::CCheckException(c.message, c.p0, c.p1).GetMessageText());
}

TEST(ExceptionText, InternalErrorsNameFileLineAndCode)
{
    for (const auto& row : ReadTable("tests/data/internal-error-texts.tsv")) {
        std::unique_ptr<CLibraryRunning> running(row.at(2) == "yes" ? new CLibraryRunning : nullptr);
        const auto code = static_cast<std::uint32_t>(std::stoul(row[1], nullptr, 0));
        EXPECT_EQ(U(Unescaped(row.at(3)).c_str()),
                  TObj::CInternalError(u"Settings", 47, std::stoi(row[0]), code).GetMessageText());
    }
}

TEST(ExceptionText, FileExceptionsByCause)
{
    for (const auto& row : ReadTable("tests/data/file-errors.tsv")) {
        const std::uint32_t code = std::stoul(row.at(0));
        EXPECT_EQ(std::stoi(row.at(1)), TObj::CFileException::CauseOfError(code)) << code;
        EXPECT_EQ(U(row.at(2).c_str()), TObj::CFileException(code, std::stoi(row[1]), U("C:\\f.ini")).GetMessageText());
    }
    EXPECT_EQ(1, TObj::CFileException::CauseOfError(1234));
    const CUnicodeString generic = TObj::CFileException(1234, 1, U("x")).GetMessageText();
    EXPECT_TRUE(generic.StartsWith(U("An error occurred while accessing x: \n")));
    EXPECT_EQ(TObj::CFileException(1234, 99, U("x")).GetMessageText(), generic);
    {
        const CThrowForbidden forbidden; // a file failure is thrown even then
        EXPECT_EQ("Access to z was denied.", MessageOf([] { TObj::ThrowFileException(5, U("z")); }));
    }
}

TEST(ExceptionText, SystemErrorTexts)
{
    EXPECT_EQ(U("Unknown error. Error code: 0x0"), TObj::CLastErrorException(0).GetMessageText());
    EXPECT_EQ(U("Unknown error. Error code: 0xdeadbeef"), TObj::CLastErrorException(0xDEADBEEF).GetMessageText());
    const CUnicodeString denied = TObj::CLastErrorException(5).GetMessageText();
    EXPECT_FALSE(denied.IsEmpty());
    EXPECT_FALSE(denied.StartsWith(U("Unknown")));
    EXPECT_EQ(U("Not enough memory!"), TObj::CMemoryException().GetMessageText());
    EXPECT_TRUE(TObj::CUserException().GetMessageText().IsEmpty());
}

TEST(ExceptionText, ComErrors)
{
    const CUnicodeString denied = TObj::CLastErrorException(5).GetMessageText();
    const CUnicodeString fromWin32 =
        TObj::CCOMException(static_cast<std::int32_t>(0x80070005), nullptr).GetMessageText();
    EXPECT_EQ(denied.Trimmed(), fromWin32);
    EXPECT_FALSE(fromWin32.EndsWith(U("\n")));
    EXPECT_EQ(U("Unknown COM error. Error code: 0x80041234"),
              TObj::CCOMException(static_cast<std::int32_t>(0x80041234), nullptr).GetMessageText());
}

TEST(ExceptionText, SystemTextsWithInsertsKeepTheirPlaceholders)
{
    // Without arguments for "%1", a system text must be taken as it stands: asking Windows
    // to fill it in would read arguments that are not there.
    struct Case {
        std::uint32_t code;
        const char* text;
    } cases[] = {{107, "Insert disk for drive %1."}, {182, "Invalid ordinal for %1."}};
    for (const Case& c : cases) {
        EXPECT_EQ(U(c.text),
                  TObj::CCOMException(static_cast<std::int32_t>(0x80070000u | c.code), nullptr).GetMessageText());
        EXPECT_EQ(U(c.text), TObj::CLastErrorException(c.code).GetMessageText().Trimmed());
    }
}

TEST(ExceptionText, ComErrorInformationWinsWhenItHasADescription)
{
    struct Case {
        const wchar_t* description;
        const char* expected;
    } cases[] = {{L"Component refused.", "Component refused."}, {L"", "Unknown COM error. Error code: 0x80041234"}};
    for (const Case& c : cases) {
        ICreateErrorInfo* create = nullptr;
        ASSERT_EQ(S_OK, CreateErrorInfo(&create));
        create->SetDescription(const_cast<wchar_t*>(c.description));
        IErrorInfo* info = nullptr;
        create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
        create->Release();
        SetErrorInfo(0, info);
        info->Release();
        EXPECT_EQ(c.expected, MessageOf([] { TObj::ThrowComException(static_cast<std::int32_t>(0x80041234)); }));
    }
}
