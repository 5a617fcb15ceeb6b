// GoldenCases.h
// Holds CGoldenCase, one disc folder of the tests with the options of its "case.txt" (how
// the launcher is started: arguments, DPI, Windows and its version, user and installed
// languages, installed products, and the seconds its window may take to show); the
// load environment a case stands for; and the reading of a folder of cases.
#pragma once

#include "Settings.h"
#include "UnicodeString.h"

#include <map>
#include <ostream>
#include <string>
#include <vector>

struct CGoldenCase {
    std::string name;
    TObj::CUnicodeString folder; // with its trailing backslash
    bool generated = false;
    std::map<std::string, std::string> options;

    std::string Option(const char* key, const char* fallback = "") const
    {
        const auto found = options.find(key);
        return found != options.end() ? found->second : fallback;
    }
};

// gtest names a failing case by this.
void PrintTo(const CGoldenCase& c, std::ostream* out);

CLoadEnvironment EnvironmentOf(const CGoldenCase& c);
// Every case folder below `corpus` (with its trailing backslash), by name.
std::vector<CGoldenCase> ReadCases(const TObj::CUnicodeString& corpus, bool generated);
// Without blanks, tabs and carriage returns at either end.
std::string Trimmed(const std::string& text);
