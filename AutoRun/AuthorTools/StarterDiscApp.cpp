#include "StarterDiscApp.h"

#include "CatchFailure.h"
#include "FileSystem.h"
#include "MessageBox.h"
#include "ProgramPaths.h"
#include "StarterDisc.h"
#include "ToolOutput.h"

using TObj::CUnicodeString;

bool CStarterDiscApp::InitInstance()
{
    const CUnicodeString caption(u"New disc");
    CUnicodeString problem;
    CUnicodeString target;
    const CUnicodeString failure = TObj::FailureText([&] {
        if (m_folder.Trimmed().IsEmpty()) {
            problem = CUnicodeString(u"--new needs the folder to write the disc into: --new=<folder>");
            return;
        }
        target = TObj::CombineAndNormalize(TObj::GetCurrentFolder(), m_folder);
        problem = StarterDisc::Write(target, TObj::GetProgramPath());
    });
    if (!failure.IsEmpty() || !problem.IsEmpty()) {
        SetExitCode(1);
        ShowToolText(nullptr, failure.IsEmpty() ? problem : failure, caption,
                     ZYR::CMessageBox::kOk | ZYR::CMessageBox::kIconExclamation);
        return false;
    }
    SetExitCode(0);
    ShowToolText(nullptr,
                 u"Wrote a new disc to \"" + target +
                     u"\". Its README.txt names the keys to change first. Then, in that folder:\n"
                     u"  Autorun.exe --watch   to see your changes as you save them,\n"
                     u"  Autorun.exe --check   to list every problem,\n"
                     u"  Autorun.exe --render=Review -l:all --render-format=png   to review every page.",
                 caption, ZYR::CMessageBox::kOk | ZYR::CMessageBox::kIconInformation);
    return false;
}
