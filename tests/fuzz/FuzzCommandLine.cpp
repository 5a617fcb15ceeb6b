// Fuzzes the command line: splitting, response files read in place (the input also holds
// the files, which may name each other and themselves) and the sorting into options.
#include "CommandLine.h"
#include "Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

using TObj::CCommandLine;
using TObj::CUnicodeString;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The input is "line\0file a\0file b\0...": response file names are "a", "b", ...
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::map<std::string, std::string> files;
    std::size_t start = input.find('\0');
    const std::string line = input.substr(0, start);
    char name = 'a';
    while (start != std::string::npos && start < input.size()) {
        const std::size_t end = input.find('\0', start + 1);
        files[std::string(1, name++)] =
            input.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
        start = end;
    }
    int reads = 0;
    const std::vector<CUnicodeString> arguments = CCommandLine::ExpandResponseFiles(
        CCommandLine::Split(TObj::DecodeUtf8(line.data(), line.size())), [](const CUnicodeString& n) { return n; },
        [&files, &reads](const CUnicodeString& n) {
            ++reads;
            const auto found = files.find(n.ToUtf8());
            return found == files.end() ? CUnicodeString()
                                        : TObj::DecodeUtf8(found->second.data(), found->second.size());
        });
    // However the files name each other, reading stays bounded.
    if (reads > 256)
        std::abort();
    const CCommandLine parsed(arguments);
    if (parsed.Options().size() + parsed.Positional().size() != arguments.size())
        std::abort();
    for (const CCommandLine::COption& option : parsed.Options())
        if (parsed.Option(option.name) == nullptr)
            std::abort();
    return 0;
}
