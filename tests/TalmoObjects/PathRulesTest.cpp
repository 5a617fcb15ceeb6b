#include "PathRules.h"
#include "TestText.h"

#include <gtest/gtest.h>

TEST(PathRules, KindsAndLongPathPrefixes)
{
    struct Case {
        const char* path;
        TObj::EPathKind kind;
        const char* stripped;
    } cases[] = {
        {"dir\\file", TObj::kPathRelative, "dir\\file"},
        {"file", TObj::kPathRelative, "file"},
        {"", TObj::kPathRelative, ""},
        {"\\dir\\file", TObj::kPathRootedOnDrive, "\\dir\\file"},
        {"/dir", TObj::kPathRootedOnDrive, "/dir"},
        {"\\\\server\\share", TObj::kPathNetwork, "\\\\server\\share"},
        {"//server/share", TObj::kPathNetwork, "//server/share"},
        {"\\/x", TObj::kPathRootedOnDrive, "\\/x"},
        {"C:dir", TObj::kPathDriveRelative, "C:dir"},
        {"C:", TObj::kPathDriveRelative, "C:"},
        {"c:\\dir", TObj::kPathAbsolute, "c:\\dir"},
        {"D:/dir", TObj::kPathAbsolute, "D:/dir"},
        {"1:\\x", TObj::kPathRelative, "1:\\x"},
        {"\\\\?\\C:\\a\\b.ini", TObj::kPathAbsolute, "C:\\a\\b.ini"},
        {"\\\\?\\unc\\srv\\sh\\x", TObj::kPathNetwork, "//srv\\sh\\x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.kind, TObj::PathKindOf(U(c.path))) << c.path;
        EXPECT_EQ(U(c.stripped), TObj::StripLongPathPrefix(U(c.path))) << c.path;
    }
}

TEST(PathRules, Joining)
{
    struct Case {
        const char* folder;
        const char* name;
        const char* joined;
    } cases[] = {
        {"D:\\disc", "setup\\run.exe", "D:\\disc\\setup\\run.exe"},
        {"D:\\disc\\", "setup\\run.exe", "D:\\disc\\setup\\run.exe"},
        {"D:\\disc\\\\", "x", "D:\\disc\\x"},
        {"D:\\disc", "\\x.ini", "D:\\x.ini"},
        {"D:\\disc", "/x.ini", "D:\\x.ini"},
        {"D:\\disc", "E:\\y.ini", "E:\\y.ini"},
        {"D:\\disc", "\\\\srv\\sh\\z", "\\\\srv\\sh\\z"},
        {"\\\\srv\\share\\disc", "\\x.ini", "\\\\srv\\share\\x.ini"},
        {"\\\\srv\\share\\disc", "a", "\\\\srv\\share\\disc\\a"},
        {"", "a", "a"},
        {"D:\\disc", "E:y.ini", "E:y.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(c.joined), TObj::JoinPath(U(c.folder), U(c.name))) << c.folder << " + " << c.name;
}

TEST(PathRules, RootsAndParts)
{
    struct Case {
        const char* path;
        const char* root;
        const char* folder;
        const char* name;
        const char* stem;
        const char* extension;
    } cases[] = {
        {"C:\\a\\b.ini", "C:\\", "C:\\a\\", "b.ini", "b", ".ini"},
        {"\\\\srv\\share\\x\\y.tar.gz", "\\\\srv\\share\\", "\\\\srv\\share\\x\\", "y.tar.gz", "y.tar", ".gz"},
        {"\\\\srv\\share", "\\\\srv\\share\\", "\\\\srv\\", "share", "share", ""},
        {"rel\\.hidden", "", "rel\\", ".hidden", ".hidden", ""},
        {"C:file.txt", "", "C:", "file.txt", "file", ".txt"},
        {"dir.d\\file", "", "dir.d\\", "file", "file", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(U(c.root), TObj::PathRoot(U(c.path)));
        EXPECT_EQ(U(c.folder), TObj::FolderOf(U(c.path)));
        EXPECT_EQ(U(c.name), TObj::FileNameOf(U(c.path)));
        EXPECT_EQ(U(c.stem), TObj::FileStemOf(U(c.path)));
        EXPECT_EQ(U(c.extension), TObj::ExtensionOf(U(c.path)));
    }
    EXPECT_EQ(U("C:\\a\\Autorun.txt"), TObj::ChangeExtension(U("C:\\a\\Autorun.exe"), U(".txt")));
}
