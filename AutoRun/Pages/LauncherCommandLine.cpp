#include "LauncherCommandLine.h"

#include "FileSystem.h"
#include "TextFile.h"

using TObj::CUnicodeString;

namespace {

CUnicodeString ReadResponseFile(const CUnicodeString& path)
{
    TObj::CTextFile file;
    file.OpenForReading(path);
    CUnicodeString text;
    for (CUnicodeString line; file.ReadLine(line);)
        text += line + u"\n";
    return text;
}

} // namespace

TObj::CCommandLine ReadLauncherCommandLine(const CUnicodeString& commandLine)
{
    const std::vector<CUnicodeString> arguments = TObj::CCommandLine::ExpandResponseFiles(
        TObj::CCommandLine::Split(commandLine), [](const CUnicodeString& name) { return TObj::NormalizePath(name); },
        ReadResponseFile);
    // The first argument names the program itself.
    return TObj::CCommandLine(
        std::vector<CUnicodeString>(arguments.empty() ? arguments.begin() : arguments.begin() + 1, arguments.end()));
}
