// BenchPages.h
// Holds the page file the benchmarks load: one page with `commands` commands of seven keys
// each, with variables, colours, borders and line breaks.
#pragma once

#include <string>

inline std::string BenchPageText(int commands)
{
    std::string text = "[Variables]\nProduct=Orvex Suite\n[Main]\nBackgroundSize=[640, 480]\nBackgroundColor=FFFFFF\n"
                       "FontSize=12\nCommandsRect=[20, 20, 400, 0]\n";
    for (int n = 1; n <= commands; ++n) {
        const std::string prefix = "Command" + std::to_string(n) + "_";
        text += prefix + "Text=Install $(Product) part " + std::to_string(n) + "\n";
        text += prefix + "Action=setup" + std::to_string(n) + ".exe\n";
        text += prefix + "Comment=Installs part " + std::to_string(n) + "\\nof the suite\n";
        text += prefix + "BackgroundColor=F0F0F0\n" + prefix + "BackgroundHoverColor=E0E0FF\n";
        text += prefix + "BorderWidth=1\n" + prefix + "BorderColor=808080\n";
    }
    return text;
}
