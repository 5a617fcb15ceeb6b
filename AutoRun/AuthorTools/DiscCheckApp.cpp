#include "DiscCheckApp.h"

#include "DiscChecker.h"
#include "MessageBox.h"
#include "ToolOutput.h"

using TObj::CUnicodeString;

bool CDiscCheckApp::InitInstance()
{
    const CLoadEnvironment environment = CLoadEnvironment::OfThisProcess();
    const std::vector<CPageFinding> problems = CDiscChecker(environment).Run();
    SetExitCode(problems.empty() ? 0 : 1);
    if (!problems.empty()) {
        CUnicodeString report;
        for (const CPageFinding& problem : problems)
            report += problem.Format(environment.launcherFolder) + u"\n";
        report.TrimRight();
        const int count = static_cast<int>(problems.size());
        ShowToolText(nullptr, report,
                     count == 1 ? CUnicodeString(u"Disc check: 1 problem")
                                : CUnicodeString::Format(u"Disc check: %d problems", count),
                     ZYR::CMessageBox::kOk | ZYR::CMessageBox::kIconExclamation);
    }
    // Nothing more to run: the exit code stands.
    return false;
}
