#include "LauncherOptions.h"

#include "nativefilesystem.h"
#include "textstream.h"

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

CLauncherOptions CLauncherOptions::From(const TObj::CCommandLine& line)
{
    CLauncherOptions options;
    const CUnicodeString renderColon(u"render:");
    for (const TObj::CCommandLine::COption& option : line.Options()) {
        if (option.name.EqualsNoCase(CUnicodeString(u"check"))) {
            options.check = true;
        } else if (option.name.EqualsNoCase(CUnicodeString(u"dry-run"))) {
            options.dryRun = true;
        } else if (option.name.EqualsNoCase(CUnicodeString(u"render"))) {
            options.render = true;
            options.renderFolder = option.value;
        } else if (option.name.Length() > renderColon.Length() &&
                   option.name.Left(renderColon.Length()).EqualsNoCase(renderColon)) {
            options.render = true;
            options.renderFolder = option.name.Mid(renderColon.Length());
        }
    }
    return options;
}

TObj::CCommandLine CLauncherOptions::ReadCommandLine(const CUnicodeString& commandLine)
{
    const std::vector<CUnicodeString> arguments = TObj::CCommandLine::ExpandResponseFiles(
        TObj::CCommandLine::Split(commandLine), [](const CUnicodeString& name) { return TObj::NormalizePath(name); },
        ReadResponseFile);
    // The first argument names the program itself.
    return TObj::CCommandLine(
        std::vector<CUnicodeString>(arguments.empty() ? arguments.begin() : arguments.begin() + 1, arguments.end()));
}
