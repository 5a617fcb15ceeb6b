// TestText.h
// Holds helpers shared by the tests: UTF-8 literals as CUnicodeString, printing of
// strings in gtest messages, the path of a file of the source tree, and ReadTable, the
// rows of a tab-separated table of cases under tests/data.
#pragma once

#include "UnicodeString.h"

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

inline TObj::CUnicodeString U(const char* utf8) { return TObj::CUnicodeString(utf8); }

// "tests/data/x" of the source tree; under Wine through its drive for the host's root.
inline std::string SourceFile(const char* relative)
{
#ifdef _WIN32
    return std::string("Z:" AUTORUN_SOURCE_DIR "/") + relative;
#else
    return std::string(AUTORUN_SOURCE_DIR "/") + relative;
#endif
}

namespace TObj {
inline void PrintTo(const CUnicodeString& text, std::ostream* os) { *os << '"' << text.ToUtf8() << '"'; }
} // namespace TObj

// The rows of a table of cases: one row per line, fields separated by tabs, "\t" in a field
// standing for a tab; empty lines and lines starting with "#" are not rows.
inline std::vector<std::vector<std::string>> ReadTable(const char* relative)
{
    std::vector<std::vector<std::string>> rows;
    std::ifstream table(SourceFile(relative));
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields(1);
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\t')
                fields.emplace_back();
            else if (line.compare(i, 2, "\\t") == 0)
                fields.back() += '\t', ++i;
            else
                fields.back() += line[i];
        }
        rows.push_back(fields);
    }
    return rows;
}
