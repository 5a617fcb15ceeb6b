#include "Errors.h"
#include "File.h"
#include "FileException.h"
#include "FileSystem.h"
#include "IniFile.h"
#include "Languages.h"
#include "TempFolder.h"
#include "TextFile.h"
#include "ExpectThrows.h"
#include "LibraryState.h"
#include "RecordingHandler.h"
#include "ResourceBase.h"
#include "TestText.h"
#include "ThrowForbidden.h"

#include <gtest/gtest.h>

#include <bitset>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using TObj::CUnicodeString;

namespace {

TOBJ_MESSAGE(ERR_AR_INVALID_LANG_CODE);

} // namespace

TEST(InternalError, ThrownWhereFailuresAreThrown)
{
    CRecordingHandler recorder;
    ExpectThrows<TObj::CInternalError>(
        [] { TObj::GenerateInternalError(TObj::kAssertion, u"F", u"x != 0", u"AutoRunWindow", 87, 0); },
        [](const TObj::CInternalError& e) {
            EXPECT_EQ(87, e.Line());
            EXPECT_EQ(U("Internal program error:\nAutoRunWindow, 87."), e.GetMessageText());
        });
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_FALSE(TObj::ThreadErrorState().insideErrorProcessing);
}

TEST(InternalError, ShownAtOnceWhereThrowingIsForbidden)
{
    TObj::SetLibraryState(TObj::ELibraryState::Running);
    for (const auto& row : ReadTable("tests/data/internal-errors-shown.tsv")) {
        const int kind = std::stoi(row.at(0));
        CRecordingHandler recorder;
        CThrowForbidden forbidden;
        EXPECT_FALSE(
            TObj::GenerateInternalError(kind, u"ZYR::F", u"x != 0", u"windowzyr", 1470, std::stoul(row.at(1))));
        ASSERT_EQ(1u, recorder.messages.size());
        EXPECT_TRUE(recorder.messages[0].text.StartsWith(U(Unescaped(row.at(2)).c_str())))
            << recorder.messages[0].text.ToUtf8();
        EXPECT_EQ(0x1010u, recorder.messages[0].flags);
        EXPECT_TRUE(TObj::ThreadErrorState().errorAlreadyShown);
    }
    TObj::SetLibraryState(TObj::ELibraryState::NeverStarted);
    CRecordingHandler recorder;
    CThrowForbidden forbidden;
    TObj::GenerateInternalError(TObj::kAssertion, u"f", u"e", u"file", 3, 0);
    EXPECT_EQ(U("Internal Program Error:\nAssertion failed: ( e )\nfile, 3.\n( f )."), recorder.messages.at(0).text);
}

TEST(InternalError, CheckErrorsThrowOrShow)
{
    CRecordingHandler recorder;
    EXPECT_EQ("Invalid language code \"abc\".",
              MessageOf([] { TObj::ThrowCheckError(ERR_AR_INVALID_LANG_CODE, U("abc")); }));
    CThrowForbidden forbidden;
    TObj::ThrowCheckError(ERR_AR_INVALID_LANG_CODE, U("xyz"));
    ASSERT_EQ(1u, recorder.messages.size());
    EXPECT_EQ(U("Invalid language code \"xyz\"."), recorder.messages[0].text);
}

// A rule of the run time broken anywhere is the library's internal error at the place that
// names the rule ("runtime", its number), and a request for more memory than can exist its
// memory failure: the barriers report both as they report the library's own.
TEST(InternalError, BrokenRunTimeRulesAreTheLibrarysOwnFailures)
{
    const char* volatile none = nullptr;
    const std::pair<int, std::function<void()>> rules[] = {
        {1, [&none] { const std::string text(none); }},
        {3, [] { (void)std::stoi("none"); }},
        {4, [] { std::vector<int>().reserve(std::vector<int>().max_size() + 1); }},
        {5, [] { (void)std::stoi("99999999999"); }},
        {5, [] { (void)std::string().substr(1); }},
        {8, [] { (void)std::bitset<80>().set().to_ulong(); }},
        // What no call of the launcher's raises, raised as the run time would.
        {2, [] { std::__throw_domain_error("none"); }},
        {6, [] { std::__throw_runtime_error("none"); }},
        {7, [] { std::__throw_range_error("none"); }},
        {9, [] { std::__throw_underflow_error("none"); }},
        {10, [] { std::__throw_bad_cast(); }},
        {11, [] { std::__throw_bad_typeid(); }},
    };
    for (const auto& rule : rules)
        ExpectThrows<TObj::CInternalError>(rule.second, [&rule](const TObj::CInternalError& e) {
            EXPECT_EQ(U("Internal program error:\nruntime, ") + CUnicodeString::Format(u"%d.", rule.first),
                      e.GetMessageText());
        });
    for (const std::size_t count : {PTRDIFF_MAX / sizeof(int) + 1, SIZE_MAX / sizeof(int) + 1})
        ExpectThrows<TObj::CMemoryException>([count] { (void)std::allocator<int>().allocate(count); },
                                             [](const TObj::CMemoryException&) {});
}

TEST(InternalError, ReportsUseStopIconsAndFromTheThirdOfferCancel)
{
    CRecordingHandler recorder;
    const int before = TObj::CInternalError::ReportedCountForTesting();
    for (int i = 0; i < 3; ++i) {
        const TObj::CInternalError error(u"Settings", 47, TObj::kAssertion, 0);
        TObj::ReportException(&error);
    }
    ASSERT_EQ(3u, recorder.messages.size());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(before + i + 1 >= 3 ? 0x1011u : 0x1010u, recorder.messages[i].flags);
}

namespace {
int g_nestedReports = 0;
void ReportAnotherOnce(const CUnicodeString&)
{
    if (g_nestedReports++ == 0) {
        const TObj::CInternalError nested(u"CommandControl", 195, TObj::kAssertion, 0);
        TObj::ReportException(&nested);
    }
}
bool IsDoubleError(const CUnicodeString& text) { return text.StartsWith(U("Double internal error!")); }

// A report, four more each within the one before, then the double error.
void ReportForever(const CUnicodeString& shown)
{
    if (IsDoubleError(shown))
        return static_cast<void>(std::fprintf(stderr, "after %d reports\n", g_nestedReports));
    ++g_nestedReports;
    const TObj::CInternalError nested(u"loop", 1, TObj::kAssertion, 0);
    TObj::ReportException(&nested);
}
} // namespace

TEST(InternalError, ASecondReportWhileOneIsShownIsShownToo)
{
    CRecordingHandler recorder;
    recorder.onShow = &ReportAnotherOnce;
    g_nestedReports = 0;
    const TObj::CInternalError first(u"AutoRunWindow", 87, TObj::kAssertion, 0);
    TObj::ReportException(&first);
    ASSERT_EQ(2u, recorder.messages.size());
    EXPECT_TRUE(recorder.messages[0].text.EndsWith(U("AutoRunWindow, 87.")));
    EXPECT_TRUE(recorder.messages[1].text.EndsWith(U("CommandControl, 195.")));
}

// Cancel on a later internal error, and reporting that keeps failing, end the process.
TEST(InternalErrorDeathTest, CancelOrReportingThatKeepsFailingEndsTheProcess)
{
    EXPECT_EXIT(
        {
            CRecordingHandler recorder(TObj::kReplyCancel);
            for (int i = 0; i < 3; ++i) {
                const TObj::CInternalError error(u"Settings", 47, TObj::kAssertion, 0);
                TObj::ReportException(&error);
            }
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EXIT(
        {
            CRecordingHandler recorder;
            recorder.onShow = &ReportForever;
            ReportForever(CUnicodeString());
        },
        ::testing::ExitedWithCode(3), "after 5 reports");
    EXPECT_EXIT(
        {
            CRecordingHandler recorder;
            recorder.onShow = [](const CUnicodeString& shown) {
                if (!IsDoubleError(shown))
                    TObj::GenerateInternalError(TObj::kAssertion, u"", u"", u"twice", 2, 0);
            };
            TObj::ThreadErrorState().throwForbidden = true;
            TObj::GenerateInternalError(TObj::kAssertion, u"", u"", u"once", 1, 0);
        },
        ::testing::ExitedWithCode(3), "");
}

// Each misuse of the library (a file opened twice, read while closed, asked in a mode
// without sharing) is a programming error, reported by the place users and support know
// it by; the call does nothing.
TEST(InternalError, MisusesOfTheLibraryReportTheirOwnPlaces)
{
    CTempFolder folder;
    static CUnicodeString path;
    path = folder.Write("a.ini", "[S]\nk=v\n");
    const struct {
        const char* place;
        void (*use)();
    } cases[] = {
        {"nativefile, 52",
         [] {
             TObj::CFile file;
             file.Open(path, TObj::CFile::kReadShared);
             file.Open(path, TObj::CFile::kReadShared);
         }},
        {"nativefile, 66", [] { TObj::CFile().Open(path, TObj::CFile::kShareRead | 5); }},
        {"nativefile, 66", [] { TObj::CFile().Open(path, TObj::CFile::kShareRead); }}, // no access at all
        {"nativefile, 75", [] { TObj::CFile().Open(path, TObj::CFile::kRead); }},
        {"nativefile, 110",
         [] {
             TObj::CFile file;
             file.Open(path, TObj::CFile::kReadShared);
             EXPECT_EQ(0, file.Read(nullptr, 1));
         }},
        {"nativefile, 112",
         [] {
             char byte = 0;
             EXPECT_EQ(0, TObj::CFile().Read(&byte, 1));
         }},
        {"nativefile, 125",
         [] {
             TObj::CFile file;
             file.Open(path, TObj::CFile::kWrite | TObj::CFile::kShareRead);
             file.Write(nullptr, 1);
         }},
        {"nativefile, 127", [] { TObj::CFile().Write("a", 1); }},
        {"nativefile, 155", [] { TObj::CFile().Length(); }},
        {"nativefilesystem, 210", [] { EXPECT_FALSE(TObj::FileExists(path, TObj::CFile::kRead)); }},
        {"inifile, 93", [] { TObj::CIniFile ini{CUnicodeString()}; }},
        {"inifile, 268", [] { EXPECT_TRUE(TObj::CIniFile(path).KeyNames(U("Missing")).empty()); }},
        {"textstream, 61",
         [] {
             TObj::CTextFile text;
             text.OpenForReading(path);
             text.OpenForReading(path);
         }},
        {"resourceinfo, 512", [] { EXPECT_FALSE(TObj::IsLanguageSupported(TObj::kLanguageCount)); }},
        {"resourceinfo, 760", [] { TObj::SetInterfaceLanguage(-1); }},
        {"errors, 655", [] { EXPECT_EQ(0, TObj::CFileException(5, 0, path).Cause()); }},
        {"errors, 690", [] { EXPECT_EQ(TObj::CFileException::kGeneric, TObj::CFileException::CauseOfError(0)); }},
        {"messagehandlers, 131",
         [] {
             TObj::CMessageHandlerHolder again(*TObj::CurrentMessageHandler(), true);
             again.Install();
             again.Install(); // told, and the handler stays the one the thread had
         }},
    };
    for (const auto& c : cases) // and nothing fails after the report
        ExpectReportedOnceAt(c.place, [&c] { EXPECT_EQ("", MessageOf(c.use)) << c.place; });
    EXPECT_EQ("k=v", ReadBytes(path).substr(4, 3)); // no write reached the file
}
