#include "LauncherOptions.h"

using TObj::CUnicodeString;

CLauncherOptions CLauncherOptions::From(const TObj::CCommandLine& line)
{
    CLauncherOptions options;
    const CUnicodeString renderColon(u"render:");
    for (const TObj::CCommandLine::COption& option : line.Options()) {
        if (option.name.EqualsNoCase(CUnicodeString(u"check"))) {
            options.check = true;
        } else if (option.name.EqualsNoCase(CUnicodeString(u"dry-run"))) {
            options.dryRun = true;
        } else if (option.name.EqualsNoCase(CUnicodeString(u"watch"))) {
            options.watch = true;
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
