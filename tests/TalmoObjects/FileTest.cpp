#include "FileException.h"
#include "ProgramPaths.h"
#include "TempFolder.h"
#include "TestText.h"
#include "nativefile.h"
#include "nativefilesystem.h"
#include "textstream.h"

#include <gtest/gtest.h>

#include <memory>

using TObj::CUnicodeString;

namespace {
std::string FileErrorOf(void (*action)(const CTempFolder&), const CTempFolder& folder)
{
    try {
        action(folder);
    } catch (TObj::CException* e) {
        std::unique_ptr<TObj::CException> owned(e);
        return e->GetMessageText().ToUtf8();
    }
    return "";
}
} // namespace

TEST(Files, CombineAndNormalizeOnRealPaths)
{
    struct Case {
        const char* folder;
        const char* name;
        const char* expected;
    } cases[] = {
        {"D:\\disc", "setup\\run.exe", "D:\\disc\\setup\\run.exe"},
        {"D:\\disc", "\\x.ini", "D:\\x.ini"},
        {"D:\\disc", "E:\\y.ini", "E:\\y.ini"},
        {"D:\\disc\\pages", "..\\Autorun.inf", "D:\\disc\\Autorun.inf"},
        {"D:\\disc", ".\\a\\.\\b\\..\\c.ini", "D:\\disc\\a\\c.ini"},
        {"D:\\disc", "a/b.ini", "D:\\disc\\a\\b.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(c.expected), TObj::CombineAndNormalize(U(c.folder), U(c.name))) << c.name;
    EXPECT_TRUE(TObj::NormalizePath(CUnicodeString()).IsEmpty());
    const CUnicodeString driveRelative = TObj::CombineAndNormalize(U("D:\\disc"), U("C:x.ini"));
    EXPECT_TRUE(driveRelative.StartsWith(U("C:\\"))) << driveRelative.ToUtf8();
}

TEST(Files, ExistenceTest)
{
    CTempFolder folder;
    const CUnicodeString file = folder.Write("a.ini", "x");
    CreateDirectoryW(folder.Path("sub").W(), nullptr);
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
        {U("\\\\Orvex\\TalmoObjects\\VirtualFiles$\\x"), TObj::kExistsInAnyWay, false},
        {U("Q:\\no\\such\\drive.ini"), TObj::kExistsInAnyWay, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.exists, TObj::FileExists(c.path, c.mode)) << c.path.ToUtf8();
}

TEST(Files, ReadWriteAndPositions)
{
    CTempFolder folder;
    TObj::CFile file;
    file.Open(folder.Path("data.bin"), TObj::CFile::kCreate | TObj::CFile::kReadWrite | TObj::CFile::kShareRead);
    file.Write("hello world", 11);
    EXPECT_EQ(11, file.Length());
    file.Seek(6);
    char buffer[16] = {0};
    EXPECT_EQ(5, file.Read(buffer, 16));
    EXPECT_STREQ("world", buffer);
    EXPECT_EQ(0, file.Read(buffer, 16));
    EXPECT_EQ(0, file.Read(buffer, 0));
    EXPECT_EQ(folder.Path("data.bin"), file.GetFileName());
    TObj::CFile moved(std::move(file));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(moved.IsOpen());
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
             TObj::CFile().Open(f.Path("locked.ini"), TObj::CFile::kWrite | TObj::CFile::kShareRead | TObj::CFile::kCreateNew);
         },
         "was denied."}, // ERROR_FILE_EXISTS maps to the access cause
    };
    for (const Case& c : cases) {
        const std::string message = FileErrorOf(c.action, folder);
        EXPECT_NE(std::string::npos, message.find(c.expectedEnd)) << message;
    }
}

TEST(Files, TextFilesWrittenAndReadInEveryEncoding)
{
    CTempFolder folder;
    const int codePages[] = {TObj::kCodePageUtf16LE, TObj::kCodePageUtf16BE, TObj::kCodePageUtf8, TObj::kCodePageAnsi};
    for (const int codePage : codePages) {
        TObj::CTextFile writer;
        writer.OpenForWriting(folder.Path("text.ini"), codePage);
        writer.WriteLine(U("[Main]"));
        writer.WriteLine(U("Title=Caf\xC3\xA9"));
        writer.Close();
        TObj::CTextFile reader;
        reader.OpenForReading(folder.Path("text.ini"));
        CUnicodeString first, second, none;
        EXPECT_TRUE(reader.ReadLine(first));
        EXPECT_TRUE(reader.ReadLine(second));
        EXPECT_FALSE(reader.ReadLine(none));
        EXPECT_EQ(U("[Main]"), first);
        EXPECT_EQ(U("Title=Caf\xC3\xA9"), second) << codePage;
        EXPECT_EQ(codePage, reader.CodePage());
    }
}

TEST(Files, ProgramNameAndFolder)
{
    EXPECT_EQ(U("TalmoObjectsTests"), TObj::GetProgramName());
    EXPECT_TRUE(TObj::GetProgramFolder().EndsWith(U("\\")));
    EXPECT_EQ(TObj::GetProgramFolder() + u"TalmoObjectsTests.exe", TObj::GetProgramPath());
}
