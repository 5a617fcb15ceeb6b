#include "ExpectThrows.h"
#include "File.h"
#include "FileException.h"
#include "FileSystem.h"
#include "ProgramPaths.h"
#include "TempFolder.h"
#include "TestText.h"

#include <gtest/gtest.h>

using TObj::CUnicodeString;

namespace {
std::string FileErrorOf(void (*action)(const CTempFolder&), const CTempFolder& folder)
{
    return MessageOf([&] { action(folder); });
}
} // namespace

TEST(Files, CombineAndNormalizeOnRealPaths)
{
    for (const auto& row : ReadTable("tests/data/combined-paths.tsv"))
        EXPECT_EQ(U(row.at(2).c_str()), TObj::CombineAndNormalize(U(row[0].c_str()), U(row[1].c_str()))) << row[1];
    EXPECT_TRUE(TObj::NormalizePath(CUnicodeString()).IsEmpty());
    const CUnicodeString driveRelative = TObj::CombineAndNormalize(U("D:\\disc"), U("C:x.ini"));
    EXPECT_TRUE(driveRelative.StartsWith(U("C:\\"))) << driveRelative.ToUtf8();
}

TEST(Files, ExistenceTest)
{
    CTempFolder folder;
    const CUnicodeString file = folder.Write("a.ini", "x");
    CreateDirectoryW(folder.Path("sub").W(), nullptr);
    // A file another handle writes to is there for a reader that shares writing only.
    const CUnicodeString written = folder.Write("w.ini", "x");
    const HANDLE writer =
        CreateFileW(written.W(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    // A file another handle reads is there for a reader that shares reading, not for one that shares nothing.
    const CUnicodeString read = folder.Write("r.ini", "x");
    const HANDLE reader =
        CreateFileW(read.W(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    struct Case {
        CUnicodeString path;
        std::uint32_t mode;
        bool exists;
    } cases[] = {
        {file, TObj::kExistsInAnyWay, true},
        {folder.Path("sub"), TObj::kExistsInAnyWay, true},
        {folder.Path("missing.ini"), TObj::kExistsInAnyWay, false},
        {CUnicodeString(), TObj::kExistsInAnyWay, false},
        {file, TObj::CFile::kReadShared, true},
        {folder.Path("missing.ini"), TObj::CFile::kReadShared, false},
        {written, TObj::CFile::kRead | TObj::CFile::kShareWrite, true},
        {written, TObj::CFile::kRead | TObj::CFile::kShareAll, true},
        {written, TObj::CFile::kReadWrite | TObj::CFile::kShareAll, true},
        {written, TObj::CFile::kReadShared, false},
        {read, TObj::CFile::kReadShared, true},
        {read, TObj::CFile::kRead | TObj::CFile::kExclusive, false},
        {U("\\\\Orvex\\TalmoObjects\\VirtualFiles$\\x"), TObj::kExistsInAnyWay, false},
        {U("Q:\\no\\such\\drive.ini"), TObj::kExistsInAnyWay, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.exists, TObj::FileExists(c.path, c.mode)) << c.path.ToUtf8() << " " << c.mode;
    // Making a folder that is there already, a drive's root among them, is no failure.
    for (const CUnicodeString& there : {folder.Path("sub"), folder.Path("sub\\"), U("C:\\")})
        EXPECT_NO_THROW(TObj::MakeFolders(there)) << there.ToUtf8();
    CloseHandle(writer);
    CloseHandle(reader);
}

TEST(Files, FailuresNameTheFileAndTheirCause)
{
    CTempFolder folder;
    folder.Write("locked.ini", "x");
    struct Case {
        void (*action)(const CTempFolder&);
        const char* expectedEnd;
    } cases[] = {
        {[](const CTempFolder& f) { TObj::CFile().Open(f.Path("missing.ini"), TObj::CFile::kReadShared); },
         "missing.ini was not found."},
        {[](const CTempFolder& f) { TObj::CFile().Open(f.Path("no\\such\\dir\\x.ini"), TObj::CFile::kReadShared); },
         "contains an invalid path."},
        {[](const CTempFolder& f) {
             TObj::CFile holder;
             holder.Open(f.Path("locked.ini"), TObj::CFile::kRead | TObj::CFile::kExclusive);
             TObj::CFile().Open(f.Path("locked.ini"), TObj::CFile::kReadShared);
         },
         "A sharing violation occurred while accessing "},
        {[](const CTempFolder& f) {
             TObj::CFile().Open(f.Path("locked.ini"),
                                TObj::CFile::kWrite | TObj::CFile::kShareRead | TObj::CFile::kCreateNew);
         },
         "was denied."}, // ERROR_FILE_EXISTS maps to the access cause
        // A folder cannot be made where a file stands, nor below one.
        {[](const CTempFolder& f) { TObj::MakeFolders(f.Path("locked.ini")); },
         "locked.ini. The specified file already exists."},
        {[](const CTempFolder& f) { TObj::MakeFolders(f.Path("locked.ini\\below")); },
         "below contains an invalid path."},
    };
    for (const Case& c : cases) {
        const std::string message = FileErrorOf(c.action, folder);
        EXPECT_NE(std::string::npos, message.find(c.expectedEnd)) << message;
    }
}

TEST(Files, OpenModesGiveTheirAccessAndSharing)
{
    CTempFolder folder;
    const CUnicodeString path = folder.Write("m.ini", "abc");
    // Whether another handle may open the file alongside, for that access.
    const auto alongside = [&path](DWORD access) {
        const HANDLE other =
            CreateFileW(path.W(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (other == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(other);
        return true;
    };
    const struct {
        std::uint32_t mode;
        bool reads, writes, sharesReading, sharesWriting;
    } cases[] = {
        {TObj::CFile::kRead | TObj::CFile::kShareRead, true, false, true, false},
        {TObj::CFile::kWrite | TObj::CFile::kShareWrite, false, true, false, true},
        {TObj::CFile::kReadWrite | TObj::CFile::kExclusive, true, true, false, false},
        {TObj::CFile::kReadExecute | TObj::CFile::kShareAll, true, false, true, true},
    };
    for (const auto& c : cases) {
        TObj::CFile file;
        file.Open(path, c.mode);
        char byte = 0;
        EXPECT_EQ(c.reads, MessageOf([&] { file.Read(&byte, 1); }).empty()) << c.mode;
        EXPECT_EQ(c.writes, MessageOf([&] { file.Write("a", 1); }).empty()) << c.mode;
        EXPECT_EQ(c.sharesReading, alongside(GENERIC_READ)) << c.mode;
        EXPECT_EQ(c.sharesWriting, alongside(GENERIC_WRITE)) << c.mode;
    }

    // A hidden file written again stays hidden, where Windows would refuse to make it plain.
    SetFileAttributesW(path.W(), FILE_ATTRIBUTE_HIDDEN);
    TObj::CFile rewritten;
    rewritten.Open(path, TObj::CFile::kCreateForWriting);
    EXPECT_EQ(path.ToUtf8(), rewritten.GetFileName().ToUtf8());
    // The moved-from file owns nothing; the file it moved to is the one opened.
    TObj::CFile moved(std::move(rewritten));
    EXPECT_FALSE(rewritten.IsOpen());
    EXPECT_EQ("", rewritten.GetFileName().ToUtf8());
    moved.Write("xyz!", 4);
    TObj::CFile assigned;
    assigned = std::move(moved);
    EXPECT_FALSE(moved.IsOpen());
    EXPECT_EQ(path.ToUtf8(), assigned.GetFileName().ToUtf8());
    EXPECT_EQ(4, assigned.Length());
    assigned.Close();
    EXPECT_EQ("", assigned.GetFileName().ToUtf8());
    EXPECT_NE(0u, GetFileAttributesW(path.W()) & FILE_ATTRIBUTE_HIDDEN);

    // A virtual file of the library is never one on disk.
    EXPECT_NE(std::string::npos, MessageOf([] {
                                     TObj::CFile().Open(U("\\\\Orvex\\TalmoObjects\\VirtualFiles$\\x.ini"),
                                                        TObj::CFile::kReadShared);
                                 }).find("x.ini was not found."));
}
