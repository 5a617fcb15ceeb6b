#include "RenderColumnsApp.h"

#include "CatchFailure.h"
#include "File.h"
#include "FileSystem.h"
#include "LastErrorException.h"
#include "MessageBox.h"
#include "PathRules.h"
#include "ProgramPaths.h"
#include "RenderColumns.h"
#include "SystemHandles.h"
#include "ToolOutput.h"

#include <windows.h>

#include <vector>

using TObj::CUnicodeString;

namespace {

// A render of one language or scale takes a few seconds; one that has not ended by then
// waits on something no one will answer.
constexpr DWORD kRenderDeadline = 5 * 60 * 1000;

// The launcher again, with this command line and the option and folder of one column,
// which stand last and so win over "-l:all" (or "--dpi=all") and the render folder given.
// Its output is this run's. Empty when it rendered, else what went wrong.
CUnicodeString RenderColumn(const RenderColumns::CColumn& column, const CUnicodeString& folder)
{
    const CUnicodeString text = CUnicodeString(reinterpret_cast<const TObj::WChar*>(GetCommandLineW())) + u" " +
                                column.option + u" \"--render=" + folder + u"\"";
    std::vector<wchar_t> line(text.W(), text.W() + text.Length() + 1); // CreateProcessW writes into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output != nullptr && output != INVALID_HANDLE_VALUE) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(TObj::GetProgramPath().W(), line.data(), nullptr, nullptr, startup.dwFlags != 0, 0, nullptr,
                        nullptr, &startup, &started))
        TObj::ThrowLastErrorException(GetLastError());
    const TObj::CKernelHandle process(started.hProcess);
    const TObj::CKernelHandle thread(started.hThread);
    if (WaitForSingleObject(process.Get(), kRenderDeadline) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        return u"the render of " + column.name + u" did not end within 5 minutes";
    }
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    return code == 0 ? CUnicodeString()
                     : CUnicodeString::Format(u"the render of %s ended with %u", column.name.W(), code);
}

} // namespace

bool CRenderColumnsApp::InitInstance()
{
    SetExitCode(1);
    if (m_options.ReportProblem())
        return false;
    CUnicodeString problems;
    const CUnicodeString failure = TObj::FailureText([&] {
        const CUnicodeString target = TObj::CombineAndNormalize(TObj::GetCurrentFolder(), m_options.renderFolder);
        TObj::MakeFolders(target);
        const std::vector<RenderColumns::CColumn> columns =
            m_options.renderAllLanguages ? RenderColumns::LanguageColumnsOf(TObj::GetProgramFolder())
                                         : RenderColumns::DpiColumns();
        for (const RenderColumns::CColumn& column : columns) {
            const CUnicodeString problem = RenderColumn(column, TObj::JoinPath(target, column.name));
            if (!problem.IsEmpty())
                problems += problem + u"\n";
        }
        const std::vector<char> index =
            RenderColumns::IndexPage(target, columns, u"The pages of " + TObj::GetProgramFolder()).ToUtf8Bytes();
        TObj::CFile out;
        out.Open(TObj::JoinPath(target, CUnicodeString(u"index.html")), TObj::CFile::kCreateForWriting);
        out.Write(index.data(), static_cast<int>(index.size()));
    });
    problems += failure;
    problems.TrimRight();
    if (!problems.IsEmpty()) {
        ShowToolText(nullptr, problems, CUnicodeString(u"Render"),
                     ZYR::CMessageBox::kOk | ZYR::CMessageBox::kIconExclamation);
        return false;
    }
    SetExitCode(0);
    return false;
}
