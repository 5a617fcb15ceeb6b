// The path rules of data/path-rules.tsv: kinds, long-path prefixes, joining and parts.
#include "PathRules.h"
#include "TestText.h"

#include <gtest/gtest.h>

TEST(PathRules, EveryOperationGivesWhatTheTableSays)
{
    static const char* const kKinds[] = {"relative", "rooted on the drive", "network", "drive-relative", "absolute"};
    for (const auto& row : ReadTable("tests/data/path-rules.tsv", 3, 60)) {
        const TObj::CUnicodeString path = U(row[1].c_str());
        std::string result = "(unknown operation)";
        if (row[0] == "kind")
            result = kKinds[TObj::PathKindOf(path)];
        else if (row[0] == "without long-path prefix")
            result = TObj::StripLongPathPrefix(path).ToUtf8();
        else if (row[0] == "joined")
            result = TObj::JoinPath(U(row[1].substr(0, row[1].find(" + ")).c_str()),
                                    U(row[1].substr(row[1].find(" + ") + 3).c_str()))
                         .ToUtf8();
        else if (row[0] == "root")
            result = TObj::PathRoot(path).ToUtf8();
        else if (row[0] == "folder")
            result = TObj::FolderOf(path).ToUtf8();
        else if (row[0] == "file name")
            result = TObj::FileNameOf(path).ToUtf8();
        else if (row[0] == "stem")
            result = TObj::FileStemOf(path).ToUtf8();
        else if (row[0] == "extension")
            result = TObj::ExtensionOf(path).ToUtf8();
        EXPECT_EQ(row[2], result) << row[0] << " of " << row[1];
    }
    EXPECT_EQ(U("C:\\a\\Autorun.txt"), TObj::ChangeExtension(U("C:\\a\\Autorun.exe"), U(".txt")));
}
