#include "LauncherOptions.h"

#include "AutoRunStrings.h"
#include "MessageBox.h"
#include "ToolOutput.h"

using TObj::CUnicodeString;

namespace {

// An option with a value, in any of its forms: "--name=value", "-name:value", and
// "--name:value", which the command line reads as one name.
bool ValueOption(const TObj::CCommandLine::COption& option, const char16_t* name, CUnicodeString& value)
{
    const CUnicodeString plain(name);
    if (option.name.EqualsNoCase(plain)) {
        value = option.value;
        return true;
    }
    const CUnicodeString withColon = plain + u":";
    if (option.name.Length() > withColon.Length() && option.name.Left(withColon.Length()).EqualsNoCase(withColon)) {
        value = option.name.Mid(withColon.Length());
        return true;
    }
    return false;
}

} // namespace

CLauncherOptions CLauncherOptions::From(const TObj::CCommandLine& line)
{
    CLauncherOptions options;
    for (const TObj::CCommandLine::COption& option : line.Options()) {
        if (option.name.EqualsNoCase(CUnicodeString(u"check"))) {
            options.check = true;
        } else if (option.name.EqualsNoCase(CUnicodeString(u"dry-run"))) {
            options.dryRun = true;
        } else if (option.name.EqualsNoCase(CUnicodeString(u"watch"))) {
            options.watch = true;
        } else if (option.name.EqualsNoCase(CUnicodeString(u"high-contrast"))) {
            options.highContrast = true;
        } else if (ValueOption(option, u"render", options.renderFolder)) {
            options.render = true;
        } else if (ValueOption(option, u"new", options.newFolder)) {
            options.makeNew = true;
        } else if (ValueOption(option, u"render-format", options.renderFormatName)) {
            const CUnicodeString format = options.renderFormatName.Trimmed();
            options.renderFormat = format.EqualsNoCase(CUnicodeString(u"png"))   ? EPictureFormat::Png
                                   : format.EqualsNoCase(CUnicodeString(u"bmp")) ? EPictureFormat::Bitmap
                                                                                 : EPictureFormat::Unknown;
        } else if (option.name.EqualsNoCase(AutoRunStrings::kLanguageOption)) {
            options.renderAllLanguages = option.value.Trimmed().EqualsNoCase(CUnicodeString(u"all"));
        }
    }
    return options;
}

CUnicodeString CLauncherOptions::Problem() const
{
    if (render && renderFormat == EPictureFormat::Unknown)
        return u"--render-format takes png or bmp, not \"" + renderFormatName + u"\".";
    return {};
}

bool CLauncherOptions::ReportProblem() const
{
    const CUnicodeString problem = Problem();
    if (!problem.IsEmpty())
        ShowToolText(nullptr, problem, CUnicodeString(u"Autorun.exe"),
                     ZYR::CMessageBox::kOk | ZYR::CMessageBox::kIconExclamation);
    return !problem.IsEmpty();
}
