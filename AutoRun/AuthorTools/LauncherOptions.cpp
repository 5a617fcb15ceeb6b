#include "LauncherOptions.h"

#include "AutoRunStrings.h"
#include "MessageBox.h"
#include "ToolOutput.h"

#include <cstdint>

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
        } else if (option.name.EqualsNoCase(CUnicodeString(u"outlines"))) {
            options.outlines = true;
        } else if (ValueOption(option, u"render", options.renderFolder)) {
            options.render = true;
        } else if (ValueOption(option, u"new", options.newFolder)) {
            options.makeNew = true;
        } else if (ValueOption(option, u"render-format", options.renderFormatName)) {
            const CUnicodeString format = options.renderFormatName.Trimmed();
            options.renderFormat = format.EqualsNoCase(CUnicodeString(u"png"))   ? EPictureFormat::Png
                                   : format.EqualsNoCase(CUnicodeString(u"bmp")) ? EPictureFormat::Bitmap
                                                                                 : EPictureFormat::Unknown;
        } else if (ValueOption(option, u"dpi", options.dpiName)) {
            const CUnicodeString value = options.dpiName.Trimmed();
            std::int64_t dpi = 0;
            options.renderAllDpis = value.EqualsNoCase(CUnicodeString(u"all"));
            options.dpi = !options.renderAllDpis && value.ToInt64(dpi) && dpi >= kLowestDpi && dpi <= kHighestDpi
                              ? static_cast<int>(dpi)
                              : 0;
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
    if (!dpiName.IsEmpty() && dpi == 0 && !renderAllDpis)
        return CUnicodeString::Format(u"--dpi takes a number from %d to %d, or all, not \"", kLowestDpi, kHighestDpi) +
               dpiName + u"\".";
    if (renderAllDpis && !render)
        return CUnicodeString(u"--dpi=all goes with --render, which writes a sub-folder for each scale.");
    if (renderAllDpis && renderAllLanguages)
        return CUnicodeString(u"--dpi=all and -l:all cannot go together: render every scale of one language, or every "
                              u"language at one scale.");
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
