// The author's check and the launcher cannot disagree: on every golden, hostile and
// generated disc (tools/make-generated-discs.py), the check says that the launcher stops,
// with the message it stops with and at the key and line where its reader stopped, exactly
// when the launcher, run in this process, stops; a disc whose page file the check finds
// nothing in starts.
#include "AutoRunWindow.h"
#include "CatchFailure.h"
#include "ControlClasses.h"
#include "DiscChecker.h"
#include "GoldenCases.h"
#include "LauncherRun.h"
#include "ProgramPaths.h"
#include "RecordingHandler.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>

using TObj::CUnicodeString;

namespace {

// The launcher's own sink, which also keeps the finding it raised at.
class CRecordingRaiser : public CPageFindingSink {
public:
    bool WantsEveryFinding() const noexcept override { return false; }
    void Note(CPageFinding) override {}
    void Stop(CPageFinding finding, const CRaiseCall& raise) override
    {
        if (!stopped) {
            stopped = true;
            first = finding;
        }
        raise();
    }

    bool stopped = false;
    CPageFinding first;
};

struct CLaunch {
    CUnicodeString message; // empty: the window was made
    CUnicodeString pageFile;
    CRecordingRaiser reader;
};

void Launch(const CGoldenCase& c, CLaunch& launch)
{
    CSettings settings;
    launch.message = TObj::FailureText([&] {
        settings.Load(EnvironmentOf(c), launch.reader);
        CAutoRunWindow window;
        window.Create();
        window.DestroyWindow();
    });
    launch.pageFile = settings.PageFilePath();
}

std::string Shown(const CPageFinding& finding) { return finding.Format(CUnicodeString()).ToUtf8(); }

// What the two disagree on, or empty.
std::string Disagreement(const CGoldenCase& c)
{
    CLaunch launch;
    Launch(c, launch);
    std::ostringstream out;
    // A command line that the launcher refuses before it reads the disc is no page rule.
    if (!c.Option("args").empty() && launch.pageFile.IsEmpty())
        return out.str();
    const CUnicodeString root = c.folder + u"Autorun.inf";
    const CUnicodeString file = launch.pageFile.IsEmpty() ? root : launch.pageFile;
    std::vector<CPageFinding> stops;
    for (const CPageFinding& finding : CDiscChecker(EnvironmentOf(c)).Run())
        if (finding.StopsTheLauncher() && finding.file.EqualsNoCase(file))
            stops.push_back(finding);
    if (launch.message.IsEmpty()) {
        for (const CPageFinding& finding : stops)
            out << "the launcher starts, but the check says: " << Shown(finding) << "\n";
        return out.str();
    }
    bool found = false;
    for (const CPageFinding& finding : stops)
        found = found || (finding.stopMessage == launch.message &&
                          (!launch.reader.stopped ||
                           (finding.line == launch.reader.first.line && finding.key == launch.reader.first.key)));
    if (!found) {
        out << "the launcher stops with \"" << launch.message.ToUtf8() << "\"";
        if (launch.reader.stopped)
            out << " at " << Shown(launch.reader.first);
        out << ", but the check " << (stops.empty() ? "does not say so" : "says:") << "\n";
        for (const CPageFinding& finding : stops)
            out << "  " << Shown(finding) << " (stops with \"" << finding.stopMessage.ToUtf8() << "\")\n";
    }
    return out.str();
}

void ExpectAgreement(const std::vector<CGoldenCase>& cases, std::size_t atLeast)
{
    ASSERT_GE(cases.size(), atLeast) << "the discs were not written";
    ControlClasses::Register();
    CRecordingHandler recorder;
    wchar_t current[MAX_PATH] = {0};
    GetCurrentDirectoryW(MAX_PATH, current);
    int disagreements = 0;
    for (const CGoldenCase& c : cases) {
        // Response files are found from the current folder, the disc's when it is started.
        SetCurrentDirectoryW(c.folder.W());
        const std::string problem = Disagreement(c);
        if (!problem.empty() && ++disagreements <= 20)
            ADD_FAILURE() << c.name << ": " << problem;
    }
    SetCurrentDirectoryW(current);
    EXPECT_EQ(0, disagreements) << "of " << cases.size() << " discs";
}

} // namespace

TEST(ReaderAndCheck, AgreeOnTheGoldenAndHostileDiscs)
{
    std::vector<CGoldenCase> cases = ReadCases(SourcePath("tests/data/discs/"), false);
    for (const CGoldenCase& c : ReadCases(TObj::GetProgramFolder() + u"hostile-discs\\", true))
        cases.push_back(c);
    ExpectAgreement(cases, 100);
}

TEST(ReaderAndCheck, AgreeOnAThousandGeneratedDiscs)
{
    ExpectAgreement(ReadCases(TObj::GetProgramFolder() + u"generated-discs\\", true), 1000);
}
