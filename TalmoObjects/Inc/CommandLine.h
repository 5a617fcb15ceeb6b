// CommandLine.h
// Holds CCommandLine: a command line split into arguments (white space separates; double
// quotes group, two of them inside quotes stand for one), response files ("@name") read in
// place, and the arguments sorted into options ("-name:value", "/name:value",
// "--name=value") and positional arguments.
#pragma once

#include "UnicodeString.h"

#include <functional>
#include <vector>

namespace TObj {

class CCommandLine {
public:
    struct COption {
        CUnicodeString name;
        CUnicodeString value;
    };

    // Turns a response file's name into the key that identifies it (a full path).
    using FResolve = std::function<CUnicodeString(const CUnicodeString& name)>;
    // Reads a response file's text; failures are the reader's exceptions.
    using FRead = std::function<CUnicodeString(const CUnicodeString& resolvedName)>;

    static std::vector<CUnicodeString> Split(const CUnicodeString& text);
    // "@name" (two characters or more) is replaced by the file's arguments, read the same
    // way; "@@x" stands for "@x"; "@" alone stays. A file that is already being read,
    // directly or through others, is skipped, so no response file can recurse; and at most
    // 256 files are read in all, however they name each other.
    static std::vector<CUnicodeString> ExpandResponseFiles(const std::vector<CUnicodeString>& arguments,
                                                           const FResolve& resolve, const FRead& read);

    // Sorts arguments into options and positional ones.
    explicit CCommandLine(const std::vector<CUnicodeString>& arguments);

    // The value of the last option of that name (compared without regard to case), or null.
    const CUnicodeString* Option(const CUnicodeString& name) const;
    const std::vector<COption>& Options() const noexcept { return m_options; }
    const std::vector<CUnicodeString>& Positional() const noexcept { return m_positional; }

private:
    std::vector<COption> m_options;
    std::vector<CUnicodeString> m_positional;
};

} // namespace TObj
