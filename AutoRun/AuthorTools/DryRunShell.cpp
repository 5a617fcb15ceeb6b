#include "DryRunShell.h"

#include "FileSystem.h"
#include "MessageBox.h"
#include "PageRules.h"
#include "Settings.h"
#include "ToolOutput.h"

using TObj::CUnicodeString;

CDryRunShell::CDryRunShell(FShow show) : m_show(std::move(show))
{
    if (!m_show)
        m_show = [](HWND owner, const CUnicodeString& text) {
            ShowToolText(owner, text, CUnicodeString(u"Dry run"),
                         ZYR::CMessageBox::kOk | ZYR::CMessageBox::kIconInformation);
        };
}

INT_PTR CDryRunShell::Open(HWND owner, const CUnicodeString& file, const CUnicodeString* parameters)
{
    // The shell would run in the launcher's working folder, since no other is given.
    m_show(owner, Describe(file, parameters, TObj::GetCurrentFolder()));
    // Above 32 is the shell's success, so no program-chooser fallback follows.
    return 42;
}

CUnicodeString CDryRunShell::Describe(const CUnicodeString& file, const CUnicodeString* parameters,
                                      const CUnicodeString& folder)
{
    return u"Dry run: the launcher would ask the shell to\n  verb: open\n  file: " + file + u"\n  parameters: " +
           (parameters != nullptr ? *parameters : CUnicodeString(u"(none)")) + u"\n  folder: " + folder;
}

CUnicodeString CDryRunShell::DescribeDecisions(const CSettings& settings)
{
    CUnicodeString text;
    for (int w = 0; w < settings.WindowCount(); ++w) {
        const CWindowSettings& page = *settings.Window(w);
        for (const CWindowSettings::CDecision& decision : page.decisions)
            text += u"\n  [" + page.name + u"] " + PageRules::CommandKeyPrefix(decision.number) + u"If=" +
                    decision.text +
                    (decision.held       ? CUnicodeString(u": true, shown")
                     : decision.disables ? CUnicodeString(u": false, disabled")
                                         : CUnicodeString(u": false, hidden"));
    }
    return text.IsEmpty() ? text : u"Dry run: the conditions on this machine" + text;
}

void CDryRunShell::ShowDecisions(const CSettings& settings) const
{
    const CUnicodeString text = DescribeDecisions(settings);
    if (!text.IsEmpty())
        m_show(nullptr, text);
}
