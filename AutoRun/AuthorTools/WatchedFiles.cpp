#include "WatchedFiles.h"

#include "DiscChecker.h"
#include "FileException.h"
#include "PathRules.h"

#include <windows.h>

#include <algorithm>

using TObj::CUnicodeString;

namespace WatchedFiles {

std::vector<CUnicodeString> Folders(const CUnicodeString& discFolder, const std::vector<CUnicodeString>& files)
{
    std::vector<CUnicodeString> folders{discFolder};
    for (const CUnicodeString& file : files) {
        const CUnicodeString folder = TObj::FolderOf(file);
        if (!file.IsEmpty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    return folders;
}

std::vector<std::uint64_t> Fingerprint(const std::vector<CUnicodeString>& files)
{
    std::vector<std::uint64_t> marks;
    for (const CUnicodeString& file : files) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        const bool found = !file.IsEmpty() && GetFileAttributesExW(file.W(), GetFileExInfoStandard, &data);
        marks.push_back(found ? (std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow) : 0);
        marks.push_back(
            found ? (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 | data.ftLastWriteTime.dwLowDateTime)
                  : 0);
    }
    return marks;
}

bool IsLockedFile(const TObj::CException& failure)
{
    const auto* file = dynamic_cast<const TObj::CFileException*>(&failure);
    return file != nullptr && (file->Cause() == TObj::CFileException::kSharingViolation ||
                               file->Cause() == TObj::CFileException::kLockViolation);
}

CUnicodeString ProblemText(const TObj::CException& failure, const CLoadEnvironment& environment)
{
    const std::vector<CPageFinding> problems = CDiscChecker(environment).Run();
    for (const CPageFinding& problem : problems)
        if (problem.StopsTheLauncher()) {
            const int more = static_cast<int>(problems.size()) - 1;
            return problem.Format(environment.launcherFolder) +
                   (more > 0 ? CUnicodeString::Format(u"\n(%d more %s: --check lists them)", more,
                                                      more == 1 ? u"problem" : u"problems")
                             : CUnicodeString());
        }
    return failure.GetMessageText();
}

} // namespace WatchedFiles
