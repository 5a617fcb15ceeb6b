// The golden discs: each case is a folder of disc files with "case.txt", how the launcher
// is started, and "expected.txt", what it must show:
//   start: ok | <the message that ends the start>
//   window: "<title>" <width>x<height>
//   settings:            every loaded setting (SettingsDump)
//   check: exit <code>   then the lines the author's check prints
// In-process every case loads its settings, creates the main window and runs the check;
// cases marked "launcher: yes" also start the real launcher and its check. A section left
// out of expected.txt is not compared; an expected line ending in "..." need only start
// with the rest. "<disc>" stands for the disc folder. With AUTORUN_UPDATE_GOLDEN set, the
// committed cases get what was found written into their expected.txt instead.
#include "AutoRunStrings.h"
#include "AutoRunWindow.h"
#include "CatchFailure.h"
#include "ControlClasses.h"
#include "DiscChecker.h"
#include "DryRunShell.h"
#include "GoldenCases.h"
#include "LauncherProgram.h"
#include "LauncherRun.h"
#include "RegistryKey.h"
#include "ProgramPaths.h"
#include "RecordingHandler.h"
#include "SettingsDump.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

using TObj::CUnicodeString;

namespace {

// Sections of an outcome: each header line ("start: ok") with the lines below it.
using CSections = std::vector<std::pair<std::string, std::vector<std::string>>>;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

CSections Split(const std::string& text)
{
    CSections sections;
    for (const std::string& line : Lines(text)) {
        const std::size_t colon = line.find(':');
        const std::string word = colon == std::string::npos ? std::string() : line.substr(0, colon);
        if (word == "start" || word == "window" || word == "settings" || word == "conditions" || word == "check" ||
            word == "shown")
            sections.push_back({line, {}});
        else if (!sections.empty() && !line.empty())
            sections.back().second.push_back(line);
    }
    return sections;
}

const std::pair<std::string, std::vector<std::string>>* Section(const CSections& sections, const std::string& word)
{
    for (const auto& section : sections)
        if (section.first.compare(0, word.size() + 1, word + ":") == 0)
            return &section;
    return nullptr;
}

// "..." in an expected line stands for any text.
bool LineMatches(const std::string& expected, const std::string& actual)
{
    std::size_t at = 0, from = 0;
    for (std::size_t wildcard; (wildcard = expected.find("...", from)) != std::string::npos; from = wildcard + 3) {
        const std::string piece = expected.substr(from, wildcard - from);
        const std::size_t found =
            from == 0 ? (actual.compare(0, piece.size(), piece) == 0 ? 0 : std::string::npos) : actual.find(piece, at);
        if (found == std::string::npos)
            return false;
        at = found + piece.size();
    }
    const std::string tail = expected.substr(from);
    return from == 0 ? expected == actual
                     : actual.size() >= at + tail.size() &&
                           actual.compare(actual.size() - tail.size(), tail.size(), tail) == 0;
}

// A last expected line "..." stands for any further lines.
bool LinesMatch(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    const bool open = !expected.empty() && expected.back() == "...";
    const std::size_t count = open ? expected.size() - 1 : expected.size();
    if (open ? actual.size() < count : actual.size() != count)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!LineMatches(expected[i], actual[i]))
            return false;
    return true;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Every section of `expected` must be in `actual` with the same lines.
void ExpectSections(const CSections& expected, const CSections& actual)
{
    for (const auto& section : expected) {
        const std::string word = section.first.substr(0, section.first.find(':'));
        const auto* found = Section(actual, word);
        if (found == nullptr) {
            ADD_FAILURE() << "no \"" << word << ":\" in what was found";
            continue;
        }
        EXPECT_TRUE(LineMatches(section.first, found->first) && LinesMatch(section.second, found->second))
            << "expected:\n"
            << section.first << "\n"
            << Joined(section.second) << "found:\n"
            << found->first << "\n"
            << Joined(found->second);
    }
}

// What was found, keeping the expected lines with "..." that still match it, as they stand
// for what differs from machine to machine.
std::string Updated(const CSections& expected, const CSections& actual)
{
    std::string text;
    for (auto section : actual) {
        const std::string word = section.first.substr(0, section.first.find(':'));
        if (const auto* old = Section(expected, word)) {
            if (LineMatches(old->first, section.first))
                section.first = old->first;
            for (std::size_t i = 0; i < section.second.size() && i < old->second.size(); ++i)
                if (LineMatches(old->second[i], section.second[i]))
                    section.second[i] = old->second[i];
        }
        text += section.first + "\n" + Joined(section.second);
    }
    return text;
}

// What the launcher shows for the case, run in this process.
std::string RunInProcess(const CGoldenCase& c)
{
    ControlClasses::Register();
    const std::string folder = c.folder.ToUtf8();
    const CLoadEnvironment environment = EnvironmentOf(c);
    CRecordingHandler recorder;
    // Response files are found from the current folder, the disc's when it is started.
    wchar_t current[MAX_PATH] = {0};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(c.folder.W());
    std::string start = "ok", window, settingsDump, decisions;
    {
        CSettings settings;
        const CUnicodeString failure = TObj::FailureText([&] {
            settings.Load(environment);
            settingsDump = DumpSettings(settings, folder);
            decisions = CDryRunShell::DescribeDecisions(settings).ToUtf8();
            CAutoRunWindow mainWindow;
            mainWindow.Create();
            wchar_t title[256] = {0};
            GetWindowTextW(mainWindow.Handle(), title, 256);
            RECT client{};
            GetClientRect(mainWindow.Handle(), &client);
            window = "\"" + CUnicodeString(title).ToUtf8() + "\" " + std::to_string(client.right) + "x" +
                     std::to_string(client.bottom);
            mainWindow.DestroyWindow();
        });
        if (!failure.IsEmpty())
            start = failure.ToUtf8();
    }
    std::ostringstream out;
    out << "start: " << start << "\n";
    if (!window.empty())
        out << "window: " << window << "\n";
    if (!settingsDump.empty())
        out << "settings:\n" << settingsDump;
    // As the dry run shows them, and the launcher's own dry run must.
    if (!decisions.empty())
        out << "conditions: " << decisions << "\n";
    for (const CRecordedMessage& message : recorder.messages)
        out << "shown: " << message.text.ToUtf8() << "\n";
    const std::vector<CPageFinding> problems = CDiscChecker(environment).Run();
    SetCurrentDirectoryW(current);
    out << "check: exit " << (problems.empty() ? 0 : 1) << "\n";
    for (const CPageFinding& problem : problems)
        out << problem.Format(c.folder).ToUtf8() << "\n";
    return Replaced(out.str(), folder, "<disc>");
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

// Presses each command of the settings (`  command <n> "<text>"`) whose action (`    action
// "<target>" ...`) is a file to open, not a page or "$" command; the files the dry run
// must then describe, in order. A hidden command has nothing to press; a disabled one is
// pressed and must ask for nothing.
std::vector<std::string> PressEveryCommand(CLauncherRun& run,
                                           const std::pair<std::string, std::vector<std::string>>* settings)
{
    std::vector<std::string> requests;
    if (settings == nullptr)
        return requests;
    std::string text, state;
    for (const std::string& line : settings->second) {
        const std::string command = Trimmed(line);
        if (command.compare(0, 8, "command ") == 0) {
            const std::size_t open = command.find('"');
            text = command.substr(open + 1, command.rfind('"') - open - 1);
            state = command.substr(command.rfind('"') + 1);
        } else if (command.compare(0, 8, "action \"") == 0 && command.size() > 8 && command[8] != '"' &&
                   command[8] != '$' && state != ", hidden") {
            const std::string target = command.substr(8, command.find('"', 8) - 8);
            run.Press(CUnicodeString(text.c_str()).W());
            if (state == ", disabled")
                continue;
            requests.push_back("<disc>" + target);
            const std::string described = "  file: " + run.Path().ToUtf8() + target;
            TestSupport::WaitUntil([&] { return run.Output().find(described) != std::string::npos; },
                                   "the dry run's request to open " + target);
        }
    }
    return requests;
}

// The real launcher on a copy of the disc: its start, then its check.
void RunLauncher(const CGoldenCase& c, const CSections& expected)
{
    const auto* start = Section(expected, "start");
    const auto* window = Section(expected, "window");
    const auto* check = Section(expected, "check");
    ASSERT_TRUE(start != nullptr && check != nullptr) << "a launcher case states its start and its check";
    {
        CLauncherRun run;
        run.CopyFrom(c.folder);
        const std::string folder = run.Path().ToUtf8();
        // A case that names its Windows shows, through the dry run, which action each
        // command asks the shell for.
        const std::string dryRun = c.options.count("system") != 0 ? " --dry-run" : "";
        ASSERT_TRUE(run.Start((c.Option("args") + dryRun).c_str())) << "error " << run.StartError();
        // A disc far larger than any real one may take longer on a slow machine; it must still
        // show, answer and close.
        const DWORD patience = 1000 * std::stoul(c.Option("patience", "30"));
        if (start->first != "start: ok") {
            EXPECT_EQ(static_cast<DWORD>(-1), run.WaitForExit()) << run.Output();
            // Each line of the message is a line of the output, which may say more.
            std::vector<std::string> message = start->second;
            message.insert(message.begin(), start->first.substr(7));
            const std::vector<std::string> output = Lines(run.Output());
            for (const std::string& line : message)
                EXPECT_TRUE(std::any_of(
                    output.begin(), output.end(),
                    [&](const std::string& shown) { return LineMatches(Replaced(line, "<disc>", folder), shown); }))
                    << line << "\n"
                    << run.Output();
        } else {
            ASSERT_TRUE(window != nullptr) << "a launcher case that starts states its window";
            const std::string shown = window->first.substr(8);
            const std::size_t close = shown.rfind('"');
            const HWND handle = run.WaitForWindow(CUnicodeString(shown.substr(1, close - 1).c_str()).W(), patience);
            ASSERT_NE(nullptr, handle) << run.Output();
            RECT client{};
            GetClientRect(handle, &client);
            EXPECT_TRUE(LineMatches(shown.substr(close + 2),
                                    std::to_string(client.right) + "x" + std::to_string(client.bottom)));
            // A fixed frame: a title bar with the system menu and minimize box, no sizing or maximize.
            EXPECT_EQ(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      GetWindowLongW(handle, GWL_STYLE) &
                          (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
            const std::vector<std::string> requests =
                dryRun.empty() ? std::vector<std::string>() : PressEveryCommand(run, Section(expected, "settings"));
            if (const auto* decisions = Section(expected, "conditions"); decisions != nullptr && !dryRun.empty()) {
                for (const std::string& line : decisions->second)
                    EXPECT_NE(std::string::npos, run.Output().find(line)) << line << "\n" << run.Output();
            }
            PostMessageW(handle, WM_CLOSE, 0, 0);
            EXPECT_EQ(0u, run.WaitForExit(patience));
            std::vector<std::string> files;
            for (const std::string& line : Lines(run.Output()))
                if (line.compare(0, 8, "  file: ") == 0)
                    files.push_back(Replaced(line.substr(8), folder, "<disc>"));
            EXPECT_EQ(Joined(requests), Joined(files)) << run.Output();
        }
    }
    CLauncherRun checked;
    checked.CopyFrom(c.folder);
    ASSERT_TRUE(checked.Start((c.Option("args") + " --check").c_str())) << "error " << checked.StartError();
    const DWORD code = checked.WaitForExit();
    std::vector<std::string> lines;
    for (const std::string& line : Lines(checked.Output()))
        lines.push_back(Replaced(line, checked.Path().ToUtf8(), "<disc>"));
    ExpectSections(CSections{*check}, CSections{{"check: exit " + std::to_string(static_cast<int>(code)), lines}});
    EXPECT_EQ(0, LauncherProcesses()); // nothing is left running
}

std::vector<CGoldenCase> AllCases()
{
    std::vector<CGoldenCase> cases = ReadCases(SourcePath("tests/data/discs/"), false);
    for (const CGoldenCase& c : ReadCases(TObj::GetProgramFolder() + u"hostile-discs\\", true))
        cases.push_back(c);
    return cases;
}

std::vector<CGoldenCase> LauncherCases()
{
    std::vector<CGoldenCase> cases;
    for (const CGoldenCase& c : AllCases())
        if (c.Option("launcher") == "yes")
            cases.push_back(c);
    return cases;
}

std::string CaseName(const testing::TestParamInfo<CGoldenCase>& info)
{
    std::string name = (info.param.generated ? "hostile_" : "") + info.param.name;
    for (char& ch : name)
        ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
}

// The products a case has installed ("installed: <name>"), as an uninstall entry of the
// user while the case runs.
class CInstalledProduct {
public:
    explicit CInstalledProduct(const CGoldenCase& c) : m_name(c.Option("installed"))
    {
        TObj::CRegistryKey entry;
        if (!m_name.empty() && entry.Create(HKEY_CURRENT_USER, kKey))
            entry.WriteString(L"DisplayName", CUnicodeString(m_name.c_str()));
    }
    ~CInstalledProduct()
    {
        if (!m_name.empty())
            RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    }

private:
    static constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AutorunGoldenCase";
    std::string m_name;
};

class InProcess : public testing::TestWithParam<CGoldenCase> {};
class Launcher : public testing::TestWithParam<CGoldenCase> {};

} // namespace

TEST_P(InProcess, ShowsWhatTheCaseExpects)
{
    const CGoldenCase& c = GetParam();
    const CInstalledProduct installed(c);
    const std::string actual = RunInProcess(c);
    const CUnicodeString expectedPath = c.folder + u"expected.txt";
    const std::string expected = ReadBytes(expectedPath);
    if (GetEnvironmentVariableW(L"AUTORUN_UPDATE_GOLDEN", nullptr, 0) != 0) {
        // A generated case's expectation lives in its generator: it gets what was found beside it.
        std::ofstream((c.folder + (c.generated ? u"found.txt" : u"expected.txt")).ToUtf8(), std::ios::binary)
            << Updated(Split(expected), Split(actual));
        return;
    }
    ASSERT_FALSE(expected.empty()) << "no expected.txt";
    ExpectSections(Split(expected), Split(actual));
}

TEST_P(Launcher, StartsAndChecksAsTheCaseExpects)
{
    // A case for one kind of Windows runs where the launcher finds that kind: a 32-bit
    // process on 64-bit Windows runs under WOW64.
    const char* const running = RunsOn64BitWindows() ? "64-bit" : "32-bit";
    // A run meant for one kind of Windows (AUTORUN_WINDOWS) that finds the other would skip
    // the very cases it is for.
    char meant[16] = {0};
    if (GetEnvironmentVariableA("AUTORUN_WINDOWS", meant, sizeof meant) != 0) {
        ASSERT_STREQ(meant, running) << "the suite runs on the wrong kind of Windows";
    }
    const std::string system = GetParam().Option("system");
    if (!system.empty() && system != running)
        GTEST_SKIP() << "a case for " << system << " Windows";
    const CInstalledProduct installed(GetParam());
    RunLauncher(GetParam(), Split(ReadBytes(GetParam().folder + u"expected.txt")));
}

INSTANTIATE_TEST_SUITE_P(GoldenDiscs, InProcess, testing::ValuesIn(AllCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(GoldenDiscs, Launcher, testing::ValuesIn(LauncherCases()), CaseName);

// The check prints each finding on one line, where an author's editor finds it.
TEST(CheckReport, AFindingIsOneLineNamingItsPlace)
{
    for (const auto& row : ReadTable("tests/data/finding-lines.tsv"))
        EXPECT_EQ(row.at(5), CPageFinding::At(U(row[0].c_str()), std::stoi(row[1]), U(row[2].c_str()),
                                              U(row[3].c_str()), U(Unescaped(row[4]).c_str()))
                                 .Format(U("D:\\disc\\"))
                                 .ToUtf8());
}
