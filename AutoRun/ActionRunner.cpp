// CCommandControl::RunAction: the action text decides by its form alone what happens.
#include "AutoRunStrings.h"
#include "AutoRunWindow.h"
#include "CommandControl.h"
#include "ProgramPaths.h"
#include "ShellRequests.h"
#include "nativefilesystem.h"

#include <windows.h>
#include <shellapi.h>

using TObj::CUnicodeString;

void CCommandControl::RunAction()
{
    // Own references: the effect may delete this control and rebuild the page.
    const CUnicodeString action = m_settings->action;
    const CUnicodeString parameters = m_settings->actionParameters;
    CAutoRunWindow* main = m_mainWindow;
    const HWND owner = main->Handle();
    CShellRequests& shell = CShellRequests::Current();

    if (action == AutoRunStrings::kExitAction) {
        main->GoBack(false);
    } else if (action == AutoRunStrings::kBackAction) {
        main->GoBack(true);
    } else if (action == AutoRunStrings::kCloseAction) {
        main->DestroyWindow();
    } else if (action == AutoRunStrings::kFolderAction) {
        shell.Open(owner, TObj::PathRoot(TObj::GetCurrentFolder()), nullptr);
    } else if (action.StartsWith(AutoRunStrings::kFileUrlPrefix)) {
        const CUnicodeString target =
            TObj::CombineAndNormalize(TObj::GetProgramFolder(), action.Mid(AutoRunStrings::kFileUrlPrefix.Length()));
        const CUnicodeString url = u"\"file://" + target + u"\"";
        shell.Open(owner, CUnicodeString(u"explorer"), &url);
    } else if (action.StartsWith(AutoRunStrings::kExtCommandPrefix)) {
        shell.Open(owner, action.Mid(AutoRunStrings::kExtCommandPrefix.Length()), &parameters);
    } else if (action[0] == u'$') {
        main->GoToPage(action.Mid(1));
    } else {
        const bool web = action.StartsWith(CUnicodeString(u"http://")) || action.StartsWith(CUnicodeString(u"https://"));
        const CUnicodeString target = web ? action : TObj::CombineAndNormalize(TObj::GetProgramFolder(), action);
        const INT_PTR result = shell.Open(owner, target, &parameters);
        if (result == SE_ERR_NOASSOC || result == SE_ERR_ASSOCINCOMPLETE) {
            const CUnicodeString chooser = u"shell32,OpenAs_RunDLL " + target;
            shell.Open(owner, CUnicodeString(u"RunDll32.exe"), &chooser);
        }
    }
}
