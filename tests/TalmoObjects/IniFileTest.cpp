#include "Errors.h"
#include "ExpectThrows.h"
#include "FileException.h"
#include "IniFile.h"
#include "PathRules.h"
#include "ProgramPaths.h"
#include "TempFolder.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <windows.h>

using TObj::CUnicodeString;

namespace {
std::string LoadError(const CUnicodeString& path)
{
    return MessageOf([&] { TObj::CIniFile(path).SectionNames(); });
}

std::string Utf16LE(const std::string& ascii, bool mark = true)
{
    std::string bytes = mark ? std::string("\xFF\xFE") : std::string();
    for (const char ch : ascii)
        bytes += ch, bytes += '\0';
    return bytes;
}

} // namespace

TEST(IniFile, EmptyMissingAndMarkOnlyFilesHaveNoSections)
{
    CTempFolder folder;
    const CUnicodeString paths[] = {folder.Write("empty.ini", ""), folder.Write("bom.ini", "\xEF\xBB\xBF"),
                                    folder.Write("bom16.ini", "\xFF\xFE"), folder.Path("missing.ini")};
    for (const CUnicodeString& path : paths) {
        TObj::CIniFile file(path);
        EXPECT_TRUE(file.SectionNames().empty()) << path.ToUtf8();
        EXPECT_EQ(U("fallback"), file.GetValue(U("Main"), U("Title"), U("fallback")));
    }
}

TEST(IniFile, UnreadableFilesAreReportedWithTheirPath)
{
    CTempFolder folder;
    struct Case {
        const char* name;
        std::string bytes;
        const char* expected;
    } cases[] = {
        // Bytes that do not decode are replaced or left out, as the system's conversion does.
        {"odd.ini", std::string("\xFF\xFE[\0M\0]", 7), "%0 is corrupted (line 1)."},
        {"broken.ini", "\xEF\xBB\xBF[Main]\nTitle=\xC3(", ""},
        {"nul-byte.ini", std::string("[Main]\nA=x\0y\n#bad\n", 18), "%0 is corrupted (line 3)."},
    };
    for (const Case& c : cases) {
        const CUnicodeString path = folder.Write(c.name, c.bytes);
        std::string expected = c.expected;
        if (!expected.empty())
            expected.replace(expected.find("%0"), 2, path.ToUtf8());
        EXPECT_EQ(expected, LoadError(path)) << c.name;
    }

    // A file another program holds exclusively cannot be read: that is reported.
    const CUnicodeString locked = folder.Write("locked.ini", "[Main]\nA=1\n");
    const HANDLE holder = CreateFileW(locked.W(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ("A sharing violation occurred while accessing " + locked.ToUtf8() + ".", LoadError(locked));
    CloseHandle(holder);
}

TEST(IniFile, RelativePathsLieBelowTheProgramFolder)
{
    wchar_t current[MAX_PATH] = {0};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(L"C:\\"); // the tests start in the program's folder: not the current one
    TObj::CIniFile file(U("sub\\..\\x.ini"));
    SetCurrentDirectoryW(current);
    EXPECT_EQ(TObj::GetProgramFolder() + u"x.ini", file.Path());
}

// For ordinary files, Windows' own reader and ours agree on every value.
TEST(IniFile, AgreesWithGetPrivateProfileStringForOrdinaryFiles)
{
    CTempFolder folder;
    const std::string text = SourceText("tests/data/ordinary-page-file.ini");
    for (const bool utf16 : {false, true}) {
        const CUnicodeString path = folder.Write(utf16 ? "diff16.ini" : "diff.ini", utf16 ? Utf16LE(text) : text);
        TObj::CIniFile ours(path);
        for (const CUnicodeString& section : ours.SectionNames())
            for (const CUnicodeString& key : ours.KeyNames(section)) {
                wchar_t theirs[256] = {0};
                GetPrivateProfileStringW(section.W(), key.W(), L"<none>", theirs, 256, path.W());
                EXPECT_EQ(CUnicodeString(theirs), ours.GetValue(section, key, U("<none>")))
                    << section.ToUtf8() << "/" << key.ToUtf8() << (utf16 ? " (UTF-16)" : "");
            }
        EXPECT_EQ(4u, ours.SectionNames().size());
    }
}
