#include "CommandLine.h"

#include "CharClass.h"

#include <algorithm>

namespace TObj {

namespace {

constexpr int kMaxResponseDepth = 16;
// Files that name each other many times would multiply without end; past this many reads
// further response files are skipped.
constexpr int kMaxResponseReads = 256;

void Expand(const std::vector<CUnicodeString>& arguments, const CCommandLine::FResolve& resolve,
            const CCommandLine::FRead& read, std::vector<CUnicodeString>& reading, int& reads,
            std::vector<CUnicodeString>& out)
{
    for (const CUnicodeString& argument : arguments) {
        if (argument.Length() < 2 || argument[0] != u'@') {
            out.push_back(argument);
        } else if (argument[1] == u'@') {
            out.push_back(argument.Mid(1));
        } else {
            const CUnicodeString key = resolve(argument.Mid(1));
            const bool repeated = std::find(reading.begin(), reading.end(), key) != reading.end();
            if (repeated || reading.size() >= static_cast<std::size_t>(kMaxResponseDepth) || reads >= kMaxResponseReads)
                continue;
            ++reads;
            reading.push_back(key);
            Expand(CCommandLine::Split(read(key)), resolve, read, reading, reads, out);
            reading.pop_back();
        }
    }
}

} // namespace

std::vector<CUnicodeString> CCommandLine::Split(const CUnicodeString& text)
{
    std::vector<CUnicodeString> arguments;
    CUnicodeString current;
    bool inArgument = false;
    bool quoted = false;
    for (int i = 0; i < text.Length(); ++i) {
        const WChar ch = text[i];
        if (ch == u'"') {
            if (quoted && text[i + 1] == u'"') {
                current += u'"';
                ++i;
            } else {
                quoted = !quoted;
            }
            inArgument = true;
        } else if (!quoted && IsWhiteSpace(ch)) {
            if (inArgument)
                arguments.push_back(current);
            current.Empty();
            inArgument = false;
        } else {
            current += ch;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}

std::vector<CUnicodeString> CCommandLine::ExpandResponseFiles(const std::vector<CUnicodeString>& arguments,
                                                              const FResolve& resolve, const FRead& read)
{
    std::vector<CUnicodeString> out;
    std::vector<CUnicodeString> reading;
    int reads = 0;
    Expand(arguments, resolve, read, reading, reads, out);
    return out;
}

CCommandLine::CCommandLine(const std::vector<CUnicodeString>& arguments)
{
    for (const CUnicodeString& argument : arguments) {
        if (argument.StartsWith(CUnicodeString(u"--"))) {
            const int equals = argument.Find(u'=');
            m_options.push_back(equals < 0 ? COption{argument.Mid(2), {}}
                                           : COption{argument.Mid(2, equals - 2), argument.Mid(equals + 1)});
        } else if (argument.Length() >= 2 && (argument[0] == u'-' || argument[0] == u'/')) {
            const int colon = argument.Find(u':');
            m_options.push_back(colon < 0 ? COption{argument.Mid(1), {}}
                                          : COption{argument.Mid(1, colon - 1), argument.Mid(colon + 1)});
        } else {
            m_positional.push_back(argument);
        }
    }
}

const CUnicodeString* CCommandLine::Option(const CUnicodeString& name) const
{
    for (auto it = m_options.rbegin(); it != m_options.rend(); ++it)
        if (it->name.EqualsNoCase(name))
            return &it->value;
    return nullptr;
}

} // namespace TObj
