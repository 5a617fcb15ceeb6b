#include "PageFiles.h"

#include "AutoRunStrings.h"
#include "CatchFailure.h"
#include "IniFile.h"
#include "FileSystem.h"
#include "Languages.h"
#include "PageKeys.h"

#include <windows.h>

using TObj::CUnicodeString;

namespace PageFiles {

bool IsPageSection(const CUnicodeString& section)
{
    return !section.EqualsNoCase(AutoRunStrings::kCommonSection) &&
           !section.EqualsNoCase(AutoRunStrings::kAutoRunSection) &&
           !section.EqualsNoCase(AutoRunStrings::kVariablesSection);
}

CUnicodeString PageFolder(const CUnicodeString& launcherFolder, const CUnicodeString& dir)
{
    return TObj::CombineAndNormalize(launcherFolder, dir);
}

CUnicodeString LanguagePageFile(const CUnicodeString& folder, int code)
{
    return TObj::CombineAndNormalize(folder, CUnicodeString::Format(AutoRunStrings::kLanguagePageFile, code));
}

std::vector<int> LanguageCodesIn(const CUnicodeString& folder)
{
    std::vector<int> codes;
    for (int code = 0; code < TObj::kLanguageCount; ++code)
        if (IsExistingFile(LanguagePageFile(folder, code)))
            codes.push_back(code);
    return codes;
}

CDiscLayout DiscLayoutOf(const CUnicodeString& launcherFolder)
{
    CDiscLayout layout;
    layout.rootPath = TObj::CombineAndNormalize(launcherFolder, AutoRunStrings::kRootFileName);
    TObj::CIniFile root(layout.rootPath);
    const CUnicodeString& common = AutoRunStrings::kCommonSection;
    const CUnicodeString dir = root.GetValue(common, CUnicodeString(PageKeys::Key(PageKeys::EKey::Dir).name), {});
    if (!dir.IsEmpty())
        layout.pageFolder = PageFolder(launcherFolder, dir);
    layout.defaultName = root.GetValue(common, CUnicodeString(PageKeys::Key(PageKeys::EKey::DefaultIniFile).name),
                                       AutoRunStrings::kDefaultPageFile);
    return layout;
}

std::vector<int> LanguageCodesOfDisc(const CUnicodeString& launcherFolder)
{
    std::vector<int> codes;
    TObj::IgnoreFailure([&] {
        const CDiscLayout layout = DiscLayoutOf(launcherFolder);
        if (!layout.pageFolder.IsEmpty())
            codes = LanguageCodesIn(layout.pageFolder);
    });
    return codes;
}

CUnicodeString DefaultPageFile(const CUnicodeString& folder, const CUnicodeString& defaultName)
{
    return defaultName.IsEmpty() ? CUnicodeString() : TObj::CombineAndNormalize(folder, defaultName);
}

CUnicodeString PageFileFor(const CUnicodeString& rootPath, const CUnicodeString& folder,
                           const CUnicodeString& defaultName, int code, std::vector<CUnicodeString>& missing)
{
    if (code >= 0) {
        const CUnicodeString own = LanguagePageFile(folder, code);
        if (IsExistingFile(own))
            return own;
        missing.push_back(own);
    }
    const CUnicodeString fallback = DefaultPageFile(folder, defaultName);
    if (!fallback.IsEmpty() && IsExistingFile(fallback))
        return fallback;
    if (!fallback.IsEmpty())
        missing.push_back(fallback);
    return rootPath;
}

bool IsExistingFile(const CUnicodeString& path)
{
    if (!TObj::FileExists(path))
        return false;
    const DWORD attributes = GetFileAttributesW(path.W());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsExistingFolder(const CUnicodeString& path)
{
    const DWORD attributes = GetFileAttributesW(path.W());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

CUnicodeString ResolvePath(const CUnicodeString& pageFilePath, const CUnicodeString& value)
{
    CUnicodeString path = value;
    path.ReplaceAll(CUnicodeString(u"/"), CUnicodeString(u"\\"));
    return TObj::CombineAndNormalize(TObj::FolderOf(pageFilePath), path);
}

} // namespace PageFiles
