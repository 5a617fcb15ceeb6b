// TestText.h
// Holds helpers shared by the tests: UTF-8 literals as CUnicodeString, Replaced, printing of
// strings in gtest messages, the path and the bytes of a file of the source tree, ReadTable,
// the rows of a tab-separated table of cases under tests/data, and Unescaped and Numbers,
// what a field holds as bytes or as whole numbers.
#pragma once

#include "UnicodeString.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

inline TObj::CUnicodeString U(const char* utf8) { return TObj::CUnicodeString(utf8); }

// The text with every `from` replaced by `to` (such as a disc folder by "<disc>", or back).
inline std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

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

// The whole numbers of a field, separated by blanks.
inline std::vector<std::int32_t> Numbers(const std::string& field)
{
    std::vector<std::int32_t> numbers;
    std::istringstream in(field);
    for (std::int64_t n = 0; in >> n;)
        numbers.push_back(static_cast<std::int32_t>(n));
    return numbers;
}

// The bytes of a file of the source tree; a missing file throws, as a missing table does.
inline std::string SourceText(const char* relative)
{
    std::ifstream file(SourceFile(relative), std::ios::binary);
    if (!file)
        throw std::runtime_error(std::string("no file ") + relative);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The rows of a table of cases: one row per line, fields separated by tabs, "\t" in a field
// standing for a tab, a row short of `columns` fields filled with empty ones; empty lines
// and lines starting with "#" are not rows. A table of no more than `moreThan` rows throws.
inline std::vector<std::vector<std::string>> ReadTable(const char* relative, std::size_t columns = 0,
                                                       std::size_t moreThan = 0)
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
        fields.resize(std::max(columns, fields.size()));
        rows.push_back(fields);
    }
    // A table that is missing or cut short must not pass for one with fewer cases.
    if (rows.size() <= moreThan)
        throw std::runtime_error(std::to_string(rows.size()) + " cases in " + relative);
    return rows;
}

// A field with C escapes (\n, \r, \0, \\, \xHH) made into the bytes it stands for.
inline std::string Unescaped(const std::string& field)
{
    std::string bytes;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        if (field[i] != '\\' || std::string("nr0\\x").find(next) == std::string::npos)
            bytes += field[i];
        else if (next == 'x')
            bytes += static_cast<char>(std::stoi(field.substr(i + 2, 2), nullptr, 16)), i += 3;
        else
            bytes += next == 'n' ? '\n' : next == 'r' ? '\r' : next == '0' ? '\0' : '\\', ++i;
    }
    return bytes;
}
