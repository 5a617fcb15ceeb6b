// The action runner: what each form of action asks the shell to open, with which
// parameters, and the program chooser after a missing association.
#include "FileSystem.h"
#include "ProgramPaths.h"
#include "RecordingHandler.h"
#include "ShellRequests.h"
#include "ShownPage.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>
#include <vector>

using TObj::CUnicodeString;

namespace {

// Records every request and answers "no association" for .rtf files.
class CRecordingShell : public CShellRequests {
public:
    INT_PTR Open(HWND, const CUnicodeString& file, const CUnicodeString* parameters) override
    {
        requests.push_back(file.ToUtf8() + " | " + (parameters != nullptr ? parameters->ToUtf8() : "(null)"));
        return file.EndsWith(CUnicodeString(u".rtf")) ? SE_ERR_NOASSOC : 42;
    }
    std::vector<std::string> requests;
};

} // namespace

TEST(ActionRunner, ShellRequestsByTheFormOfTheAction)
{
    const std::string folder = TObj::GetProgramFolder().ToUtf8();
    const std::string root = TObj::PathRoot(TObj::GetCurrentFolder()).ToUtf8();
    struct Case {
        const char* action;
        const char* parameters;
        std::vector<std::string> requests; // "<exe>" stands for the launcher's folder
    } cases[] = {
        {"setup.exe", "/quiet", {"<exe>setup.exe | /quiet"}},
        {"Docs\\readme.pdf", "", {"<exe>Docs\\readme.pdf | "}},
        {"\\Tools\\x.exe", "a", {root + "Tools\\x.exe | a"}},
        {"https://example.com/a?b=c", "p", {"https://example.com/a?b=c | p"}},
        {"HTTPS://example.com", "", {"<exe>HTTPS:\\example.com | "}},
        {"$FileURL$Docs", "ignored", {"explorer | \"file://<exe>Docs\""}},
        {"$FileURL$", "", {"explorer | \"file://<exe>\""}},
        {"$ExtCommand$notepad.exe", "Docs\\readme.txt", {"notepad.exe | Docs\\readme.txt"}},
        {"$CD", "ignored", {root + " | (null)"}},
        {"Docs\\license.rtf",
         "dropped",
         {"<exe>Docs\\license.rtf | dropped", "RunDll32.exe | shell32,OpenAs_RunDLL <exe>Docs\\license.rtf"}},
    };
    CRecordingHandler recorder;
    std::string page =
        "[Main]\nBackgroundSize=[300, 300]\nBackgroundColor=0\nFontSize=8\nCommandsRect=[0, 0, 100, 0]\n";
    int number = 1;
    for (const Case& c : cases) {
        const std::string prefix = "Command" + std::to_string(number++) + "_";
        page += prefix + "Text=c\n" + prefix + "Action=" + c.action + "\n" + prefix +
                "ActionParameters=" + c.parameters + "\n";
    }
    CRecordingShell shell;
    CShellRequests::SetCurrent(&shell);
    CShownPage shown(page);
    const std::vector<CCommandControl*> controls = shown.Controls();
    ASSERT_EQ(sizeof cases / sizeof cases[0], controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        shell.requests.clear();
        controls[i]->RunAction();
        std::vector<std::string> expected;
        for (const std::string& request : cases[i].requests)
            expected.push_back(Replaced(request, "<exe>", folder));
        EXPECT_EQ(expected, shell.requests) << cases[i].action;
    }
    CShellRequests::SetCurrent(nullptr);
    EXPECT_TRUE(recorder.messages.empty());
}
