// Parses generated page files with 10, 1,000 and 10,000 commands and reads every command
// key the settings reader asks for, with variables and value syntaxes; prints the median
// time per command of each size and its ratio to the 1,000 case, measured in one run.
#include "BenchPages.h"
#include "IniData.h"
#include "PageLayout.h"
#include "PageValues.h"
#include "PageVariables.h"
#include "TextDecoding.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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
    const char16_t* keys[] = {u"Text", u"Rect", u"Hint", u"HintMargin", u"Comment", u"Action64", u"Action",
                              u"ActionParameters", u"LeftMargin", u"TopMargin", u"RightMargin", u"BottomMargin",
                              u"FontName", u"FontSize", u"HintFontSize", u"FontUnderlined", u"FontSelectedColor",
                              u"FontNotSelectedColor", u"BackgroundImage", u"BackgroundColor", u"BackgroundHoverColor",
                              u"BackgroundClickColor", u"BorderWidth", u"BorderColor", u"BorderHoverColor",
                              u"BorderClickColor", u"TextOrientation", u"Tooltip"};
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
    const int rounds = 9;
    std::vector<double> perCommand[3];
    int sink = 0;
    for (int round = 0; round < rounds; ++round)
        for (int i = 0; i < 3; ++i) {
            const auto start = std::chrono::steady_clock::now();
            sink += ReadAll(pages[static_cast<std::size_t>(i)], sizes[i]);
            perCommand[i].push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                                    sizes[i]);
        }
    std::printf("%-10s %-18s %s\n", "commands", "us per command", "ratio to 1,000");
    double medians[3];
    for (int i = 0; i < 3; ++i) {
        std::sort(perCommand[i].begin(), perCommand[i].end());
        medians[i] = perCommand[i][rounds / 2];
    }
    for (int i = 0; i < 3; ++i)
        std::printf("%-10d %-18.2f %.2f\n", sizes[i], medians[i] * 1e6, medians[i] / medians[1]);
    return sink == 0 ? 1 : 0;
}
