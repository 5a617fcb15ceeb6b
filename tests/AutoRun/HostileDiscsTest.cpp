// Runs every disc of the hostile corpus (written by tools/make-hostile-discs.py beside the
// tests) through the real launcher and through its check, each against the outcome the
// corpus states: an exact message and exit code, or the window with the defaults applied.
#include "LauncherRun.h"
#include "ProgramPaths.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace {

struct CDiscCase {
    std::string name;
    std::multimap<std::string, std::string> fields;

    std::string Field(const char* key) const
    {
        const auto found = fields.find(key);
        return found != fields.end() ? found->second : std::string();
    }
    bool Has(const char* key) const { return fields.count(key) != 0; }
};

std::string Unescape(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            result += "\r\n"; // standard output ends its lines so
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::vector<CDiscCase> ReadCorpus(const TObj::CUnicodeString& folder)
{
    std::vector<CDiscCase> cases;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + u"*").W(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return cases;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L".." || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            continue;
        CDiscCase c;
        c.name = TObj::CUnicodeString(name.c_str()).ToUtf8();
        std::ifstream file((folder + TObj::CUnicodeString(name.c_str()) + u"\\case.txt").ToUtf8());
        for (std::string line; std::getline(file, line);) {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos)
                c.fields.emplace(line.substr(0, equals), Unescape(line.substr(equals + 1)));
        }
        cases.push_back(c);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return cases;
}

std::string Expand(const std::string& text, const CLauncherRun& run)
{
    std::string result = text;
    const std::string folder = run.Path().ToUtf8();
    for (std::size_t at = result.find("<disc>"); at != std::string::npos; at = result.find("<disc>", at + folder.size()))
        result.replace(at, 6, folder);
    return result;
}

int LauncherProcesses()
{
    int count = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        count += _wcsicmp(entry.szExeFile, L"Autorun.exe") == 0 ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

void RunLauncher(const CDiscCase& c, const TObj::CUnicodeString& source)
{
    CLauncherRun run;
    run.CopyFrom(source);
    ASSERT_TRUE(run.Start(c.Field("args").c_str()));
    if (c.Has("exit")) {
        const DWORD code = run.WaitForExit(20000);
        EXPECT_EQ(static_cast<DWORD>(std::stoi(c.Field("exit"))), code) << run.Output();
        const std::string output = run.Output();
        EXPECT_NE(std::string::npos, output.find(Expand(c.Field("output"), run))) << output;
        return;
    }
    const std::wstring title = TObj::CUnicodeString(c.Field("title").c_str()).W();
    const HWND window = run.WaitForWindow(title.c_str());
    ASSERT_NE(nullptr, window) << run.Output();
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(c.Field("client"), std::to_string(client.right) + "x" + std::to_string(client.bottom));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run.WaitForExit(20000));
    EXPECT_EQ("", run.Output());
}

void RunCheck(const CDiscCase& c, const TObj::CUnicodeString& source)
{
    CLauncherRun run;
    run.CopyFrom(source);
    ASSERT_TRUE(run.Start((c.Field("args") + " --check").c_str()));
    const DWORD code = run.WaitForExit(20000);
    const std::string output = run.Output();
    EXPECT_EQ(static_cast<DWORD>(std::stoi(c.Field("checkexit"))), code) << output;
    const auto checks = c.fields.equal_range("check");
    for (auto it = checks.first; it != checks.second; ++it) {
        const std::string expected = Expand(it->second, run);
        const bool found = output.compare(0, expected.size(), expected) == 0 ||
                           output.find("\r\n" + expected) != std::string::npos;
        EXPECT_TRUE(found) << "expected a line starting with: " << expected << "\n" << output;
    }
}

} // namespace

TEST(HostileDiscs, EveryCaseEndsAsTheCorpusSays)
{
    const TObj::CUnicodeString corpus = TObj::GetProgramFolder() + u"hostile-discs\\";
    const std::vector<CDiscCase> cases = ReadCorpus(corpus);
    ASSERT_GE(cases.size(), 40u);
    for (const CDiscCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TObj::CUnicodeString source = corpus + TObj::CUnicodeString(c.name.c_str());
        RunLauncher(c, source);
        RunCheck(c, source);
        EXPECT_EQ(0, LauncherProcesses()); // nothing is left running
    }
}
