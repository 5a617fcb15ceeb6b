#include "DiscCheckApp.h"

#include "DiscChecker.h"
#include "LanguageMenu.h"
#include "MessageBox.h"
#include "PageFiles.h"
#include "ToolOutput.h"

using TObj::CUnicodeString;

bool CDiscCheckApp::InitInstance()
{
    const CLoadEnvironment environment = CLoadEnvironment::OfThisProcess();
    const std::vector<CPageFinding> problems = CDiscChecker(environment).Run();
    SetExitCode(problems.empty() ? 0 : 1);
    CUnicodeString report;
    for (const CPageFinding& problem : problems)
        report += problem.Format(environment.launcherFolder) + u"\n";
    // Not a problem: what the user may choose in the window, named as the menu names it.
    const std::vector<int> codes = PageFiles::LanguageCodesOfDisc(environment.launcherFolder);
    if (codes.size() >= 2) {
        const CUnicodeString folder = PageFiles::DiscLayoutOf(environment.launcherFolder).pageFolder;
        report += CUnicodeString::Format(u"The window's menu offers %d languages:", static_cast<int>(codes.size()));
        for (std::size_t i = 0; i < codes.size(); ++i)
            report +=
                (i == 0 ? u" " : u", ") + CLanguageMenu::NameOf(codes[i]) + u" (" +
                CPageFinding::ShownPath(PageFiles::LanguagePageFile(folder, codes[i]), environment.launcherFolder) +
                u")";
    }
    report.TrimRight();
    const int count = static_cast<int>(problems.size());
    if (!report.IsEmpty())
        ShowToolText(nullptr, report,
                     count == 0   ? CUnicodeString(u"Disc check: no problems")
                     : count == 1 ? CUnicodeString(u"Disc check: 1 problem")
                                  : CUnicodeString::Format(u"Disc check: %d problems", count),
                     ZYR::CMessageBox::kOk |
                         (count == 0 ? ZYR::CMessageBox::kIconInformation : ZYR::CMessageBox::kIconExclamation));
    // Nothing more to run: the exit code stands.
    return false;
}
