// Parses generated page files with 10, 1,000 and 10,000 commands and reads every command
// key the settings reader asks for, with variables and value syntaxes; prints the time per
// command of each size and its ratio to the 1,000 case, measured in one run.
#include "BenchPages.h"
#include "IniData.h"
#include "PageLayout.h"
#include "PageValues.h"
#include "PageVariables.h"
#include "PerCommandTable.h"
#include "TextDecoding.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using TObj::CUnicodeString;

namespace {

int ReadAll(const std::string& bytes, int commands)
{
    CUnicodeString text;
    TObj::DecodeText(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), TObj::kCodePageUtf8, text);
    TObj::CIniData ini;
    ini.Parse(text, CUnicodeString(u"bench.ini"));
    CPageVariables variables;
    for (const CUnicodeString& name : ini.KeyNames(CUnicodeString(u"Variables")))
        variables.Define(name, ini.GetValue(CUnicodeString(u"Variables"), name, CUnicodeString()));
    const CUnicodeString main(u"Main");
    const char16_t* keys[] = {u"Text",
                              u"Rect",
                              u"Hint",
                              u"HintMargin",
                              u"Comment",
                              u"Action64",
                              u"Action",
                              u"ActionParameters",
                              u"LeftMargin",
                              u"TopMargin",
                              u"RightMargin",
                              u"BottomMargin",
                              u"FontName",
                              u"FontSize",
                              u"HintFontSize",
                              u"FontUnderlined",
                              u"FontSelectedColor",
                              u"FontNotSelectedColor",
                              u"BackgroundImage",
                              u"BackgroundColor",
                              u"BackgroundHoverColor",
                              u"BackgroundClickColor",
                              u"BorderWidth",
                              u"BorderColor",
                              u"BorderHoverColor",
                              u"BorderClickColor",
                              u"TextOrientation",
                              u"Tooltip"};
    int found = 0;
    CPageRect rect{20, 20, 400, 41};
    for (int n = 1; n <= commands; ++n) {
        const CUnicodeString prefix = CUnicodeString::Format(u"Command%d_", n);
        for (const char16_t* key : keys) {
            const CUnicodeString name = prefix + key;
            if (!ini.HasKey(main, name))
                continue;
            const CUnicodeString value = variables.Expand(ini.GetValue(main, name, CUnicodeString()));
            std::uint32_t color = 0;
            std::int32_t number = 0;
            found += PageValues::ParseColor(value, color) + PageValues::ParseInteger(value, 96, number) +
                     PageValues::ParseRect(value, 96, rect) + PageValues::ExpandLineBreaks(value).Length();
        }
        rect = PageLayout::NextDefaultRect(rect, 7, 21);
    }
    return found;
}

// Seconds of one read of `page`. On the host each read runs in a fresh child process, as
// the launcher reads its page once per run: reads repeated in one process let the small
// pages reuse memory the allocator keeps, while a large page's blocks go back to the
// system and return as fresh pages every time. Negative when the read found nothing.
double SecondsToRead(const std::string& page, int commands)
{
    const auto timed = [&] {
        const auto start = std::chrono::steady_clock::now();
        const int found = ReadAll(page, commands);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return found == 0 ? -1.0 : seconds;
    };
#ifdef _WIN32
    return timed();
#else
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        const double seconds = timed();
        const bool written = write(pipeEnds[1], &seconds, sizeof(seconds)) == static_cast<ssize_t>(sizeof(seconds));
        _exit(written ? 0 : 1);
    }
    // Only the child writes: with the parent's end closed, a child that dies early ends
    // the read instead of leaving it waiting.
    close(pipeEnds[1]);
    double seconds = -1;
    if (child < 0 || read(pipeEnds[0], &seconds, sizeof(seconds)) != static_cast<ssize_t>(sizeof(seconds)))
        seconds = -1;
    if (child > 0)
        waitpid(child, nullptr, 0);
    close(pipeEnds[0]);
    return seconds;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    // With a size as argument: read that page once, for instruction counting under callgrind.
    if (argc == 2) {
        const int size = std::atoi(argv[1]);
        return ReadAll(BenchPageText(size), size) == 0 ? 1 : 0;
    }
    const int sizes[] = {10, 1000, 10000};
    std::vector<std::string> pages;
    for (const int size : sizes)
        pages.push_back(BenchPageText(size));
    const int rounds = 21;
    std::vector<double> perCommand[3];
    for (int round = 0; round < rounds; ++round)
        for (int i = 0; i < 3; ++i) {
            const double seconds = SecondsToRead(pages[static_cast<std::size_t>(i)], sizes[i]);
            if (seconds < 0)
                return 1;
            perCommand[i].push_back(seconds / sizes[i]);
        }
    PrintPerCommandTable(sizes, perCommand);
    return 0;
}
