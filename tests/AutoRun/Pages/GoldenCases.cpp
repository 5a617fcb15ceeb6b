#include "GoldenCases.h"

#include <windows.h>

#include <fstream>
#include <set>
#include <sstream>

using TObj::CUnicodeString;

void PrintTo(const CGoldenCase& c, std::ostream* out)
{
    *out << (c.generated ? "hostile disc " : "golden disc ") << c.name;
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    const std::size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

CLoadEnvironment EnvironmentOf(const CGoldenCase& c)
{
    CLoadEnvironment environment;
    environment.commandLine = CUnicodeString(("Autorun.exe " + c.Option("args")).c_str());
    environment.launcherFolder = c.folder;
    environment.dpiY = std::stoi(c.Option("dpi", "96"));
    environment.is64BitWindows = c.Option("system") == "64-bit";
    std::istringstream version(c.Option("windows", "10.0.19045"));
    char dot = 0;
    version >> environment.windowsVersion.major >> dot >> environment.windowsVersion.minor >> dot >>
        environment.windowsVersion.build;
    environment.userLanguageId = static_cast<std::uint16_t>(std::stoi(c.Option("user language", "1033")));
    if (c.options.count("installed languages") == 0) {
        environment.isLanguageInstalled = [](int) { return true; };
    } else {
        std::set<int> installed;
        std::istringstream codes(c.Option("installed languages"));
        for (int code; codes >> code;)
            installed.insert(code);
        environment.isLanguageInstalled = [installed](int code) { return installed.count(code) != 0; };
    }
    return environment;
}

std::vector<CGoldenCase> ReadCases(const CUnicodeString& corpus, bool generated)
{
    std::vector<CGoldenCase> cases;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((corpus + u"*").W(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return cases;
    do {
        const CUnicodeString name(found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || name.StartsWith(CUnicodeString(u".")))
            continue;
        CGoldenCase c;
        c.name = name.ToUtf8();
        c.folder = corpus + name + u"\\";
        c.generated = generated;
        std::ifstream file((c.folder + u"case.txt").ToUtf8());
        for (std::string line; std::getline(file, line);) {
            const std::size_t colon = line.find(':');
            if (!line.empty() && line[0] != '#' && colon != std::string::npos)
                c.options[Trimmed(line.substr(0, colon))] = Trimmed(line.substr(colon + 1));
        }
        cases.push_back(c);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return cases;
}
