#include "PageCondition.h"

#include "CharClass.h"

using TObj::CUnicodeString;
using TObj::WChar;

namespace {

bool IsWordCharacter(WChar ch)
{
    return TObj::IsAsciiDigit(ch) || (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || ch == u'_';
}

struct CRootName {
    const char16_t* shortName;
    const char16_t* longName;
    ERegistryRoot root;
};

const CRootName kRoots[] = {
    {u"HKLM", u"HKEY_LOCAL_MACHINE", ERegistryRoot::LocalMachine},
    {u"HKCU", u"HKEY_CURRENT_USER", ERegistryRoot::CurrentUser},
    {u"HKCR", u"HKEY_CLASSES_ROOT", ERegistryRoot::ClassesRoot},
};

} // namespace

class CPageCondition::CParser {
public:
    CParser(const CUnicodeString& text, std::vector<CNode>& nodes) : m_text(text), m_nodes(nodes) {}

    bool Run(int& root, CProblem& problem)
    {
        if (m_text.Length() > kMaxLength)
            fail(kMaxLength, CUnicodeString::Format(u"is longer than %d characters", kMaxLength));
        else if (orExpression(root, 0) && (skipBlanks(), m_at < m_text.Length()))
            fail(m_at, u"\"" + m_text.Mid(m_at, 1) + u"\" follows a complete condition; join tests with and, or");
        problem = m_problem;
        return m_problem.text.IsEmpty();
    }

private:
    bool fail(int at, const CUnicodeString& text)
    {
        if (m_problem.text.IsEmpty()) {
            m_problem.column = at + 1;
            m_problem.text = text;
        }
        return false;
    }

    void skipBlanks()
    {
        while (m_at < m_text.Length() && TObj::IsWhiteSpace(m_text[m_at]))
            ++m_at;
    }

    // The word at the current place, without moving.
    CUnicodeString peekWord()
    {
        skipBlanks();
        int end = m_at;
        while (end < m_text.Length() && IsWordCharacter(m_text[end]))
            ++end;
        return m_text.Mid(m_at, end - m_at);
    }

    bool takeWord(const char16_t* word)
    {
        const CUnicodeString next = peekWord();
        if (!next.EqualsNoCase(CUnicodeString(word)))
            return false;
        m_at += next.Length();
        return true;
    }

    bool take(WChar ch)
    {
        skipBlanks();
        if (m_at >= m_text.Length() || m_text[m_at] != ch)
            return false;
        ++m_at;
        return true;
    }

    int add(const CNode& node)
    {
        m_nodes.push_back(node);
        return static_cast<int>(m_nodes.size()) - 1;
    }

    int join(EKind kind, int left, int right)
    {
        CNode node;
        node.kind = kind;
        node.left = left;
        node.right = right;
        return add(node);
    }

    // Operands joined by `word`, left to right: "or" joins what "and" joined, which binds first.
    bool joined(int& node, int depth, const char16_t* word, EKind kind, bool (CParser::*operand)(int&, int))
    {
        if (!(this->*operand)(node, depth))
            return false;
        for (int right = -1; takeWord(word); node = join(kind, node, right))
            if (!(this->*operand)(right, depth))
                return false;
        return true;
    }

    bool orExpression(int& node, int depth) { return joined(node, depth, u"or", EKind::Or, &CParser::andExpression); }
    bool andExpression(int& node, int depth) { return joined(node, depth, u"and", EKind::And, &CParser::unary); }

    bool unary(int& node, int depth)
    {
        skipBlanks();
        if (depth > kMaxDepth)
            return fail(m_at, CUnicodeString::Format(u"nests deeper than %d", kMaxDepth));
        if (!takeWord(u"not"))
            return test(node, depth);
        int operand = -1;
        if (!unary(operand, depth + 1))
            return false;
        node = join(EKind::Not, operand, -1);
        return true;
    }

    bool test(int& node, int depth)
    {
        const int start = (skipBlanks(), m_at);
        if (take(u'(')) {
            if (!orExpression(node, depth + 1))
                return false;
            return take(u')') ||
                   fail(m_at, u"expected \")\" to close the \"(\" at column " + CUnicodeString::FromInt(start + 1));
        }
        const CUnicodeString name = peekWord();
        if (name.IsEmpty())
            return fail(start, CUnicodeString(u"expected a test, \"not\" or \"(\""));
        if (++m_tests > kMaxTests)
            return fail(start, CUnicodeString::Format(u"has more than %d tests", kMaxTests));
        m_at += name.Length();
        CNode made;
        if (name.EqualsNoCase(CUnicodeString(u"64bit"))) {
            made.kind = EKind::Is64Bit;
        } else if (name.EqualsNoCase(CUnicodeString(u"windows"))) {
            made.kind = EKind::Windows;
            if (!comparison(made) || !version(made))
                return false;
        } else if (name.EqualsNoCase(CUnicodeString(u"exists")) || name.EqualsNoCase(CUnicodeString(u"installed"))) {
            made.kind = name.EqualsNoCase(CUnicodeString(u"exists")) ? EKind::Exists : EKind::Installed;
            std::vector<CUnicodeString> arguments;
            if (!argumentList(name, 1, arguments))
                return false;
            made.argument = arguments[0];
        } else if (name.EqualsNoCase(CUnicodeString(u"registry")) || name.EqualsNoCase(CUnicodeString(u"registry32"))) {
            made.kind = EKind::Registry;
            made.view32 = name.EqualsNoCase(CUnicodeString(u"registry32"));
            std::vector<CUnicodeString> arguments;
            int first = 0;
            if (!argumentList(name, 2, arguments, &first) || !registryKey(first, arguments[0], made))
                return false;
            made.hasValueName = arguments.size() > 1;
            if (made.hasValueName)
                made.valueName = arguments[1];
        } else {
            return fail(start, u"\"" + name +
                                   u"\" is no test; the tests are exists, registry, registry32, installed, windows "
                                   u"and 64bit");
        }
        node = add(made);
        return true;
    }

    bool comparison(CNode& made)
    {
        struct COperator {
            const char16_t* text;
            EOp op;
        };
        // Longer operators first, so that "<=" is not read as "<".
        static const COperator kOperators[] = {
            {u"<=", EOp::LessOrEqual}, {u">=", EOp::GreaterOrEqual}, {u"==", EOp::Equal}, {u"!=", EOp::NotEqual},
            {u"<", EOp::Less},         {u">", EOp::Greater},         {u"=", EOp::Equal}};
        skipBlanks();
        for (const COperator& candidate : kOperators) {
            const CUnicodeString text(candidate.text);
            if (m_text.Mid(m_at, text.Length()) == text) {
                made.op = candidate.op;
                m_at += text.Length();
                return true;
            }
        }
        return fail(m_at, CUnicodeString(u"expected a comparison after windows: <, <=, >, >=, = or !="));
    }

    bool number(int& out)
    {
        const int start = m_at;
        std::int64_t value = 0;
        while (m_at < m_text.Length() && TObj::IsAsciiDigit(m_text[m_at]) && value <= 99999999)
            value = value * 10 + (m_text[m_at++] - u'0');
        out = static_cast<int>(value);
        return m_at > start && (m_at >= m_text.Length() || !TObj::IsAsciiDigit(m_text[m_at]));
    }

    bool version(CNode& made)
    {
        skipBlanks();
        const int start = m_at;
        if (!number(made.version.major) || !take(u'.') || !number(made.version.minor))
            return fail(start, CUnicodeString(u"expected a version such as 10.0 or 10.0.22000"));
        if (m_at < m_text.Length() && m_text[m_at] == u'.') {
            ++m_at;
            made.hasBuild = true;
            if (!number(made.version.build))
                return fail(start, CUnicodeString(u"expected a version such as 10.0 or 10.0.22000"));
        }
        if (m_at < m_text.Length() && IsWordCharacter(m_text[m_at]))
            return fail(start, CUnicodeString(u"expected a version such as 10.0 or 10.0.22000"));
        return true;
    }

    // "(" one argument, or up to `most` separated by ",", then ")"; `firstAt` gets where the
    // first one starts.
    bool argumentList(const CUnicodeString& name, int most, std::vector<CUnicodeString>& arguments,
                      int* firstAt = nullptr)
    {
        skipBlanks();
        const int open = m_at;
        if (!take(u'('))
            return fail(m_at, u"expected \"(\" after " + name);
        for (;;) {
            skipBlanks();
            const int start = m_at;
            if (firstAt != nullptr && arguments.empty())
                *firstAt = start;
            CUnicodeString argument;
            if (!this->argument(open, argument))
                return false;
            if (argument.IsEmpty())
                return fail(start, name + u" needs a text here");
            arguments.push_back(argument);
            if (take(u')'))
                return true;
            if (static_cast<int>(arguments.size()) >= most || !take(u','))
                return fail(m_at, most == 1 ? name + u" takes one text" : name + u" takes a key and a value name");
        }
    }

    bool argument(int open, CUnicodeString& out)
    {
        if (m_at < m_text.Length() && m_text[m_at] == u'"') {
            const int quote = m_at++;
            for (; m_at < m_text.Length(); ++m_at) {
                if (m_text[m_at] != u'"') {
                    out += m_text[m_at];
                } else if (m_at + 1 < m_text.Length() && m_text[m_at + 1] == u'"') {
                    out += u'"';
                    ++m_at;
                } else {
                    ++m_at;
                    return true;
                }
            }
            return fail(quote, CUnicodeString(u"the quote is not closed"));
        }
        const int start = m_at;
        for (int depth = 0; m_at < m_text.Length(); ++m_at) {
            const WChar ch = m_text[m_at];
            if (depth == 0 && (ch == u',' || ch == u')'))
                break;
            depth += ch == u'(' ? 1 : ch == u')' ? -1 : 0;
        }
        if (m_at >= m_text.Length())
            return fail(open, CUnicodeString(u"the \"(\" is not closed"));
        out = m_text.Mid(start, m_at - start).Trimmed();
        return true;
    }

    bool registryKey(int at, const CUnicodeString& path, CNode& made)
    {
        const int slash = path.Find(u'\\');
        const CUnicodeString rootName = slash < 0 ? path : path.Left(slash);
        for (const CRootName& root : kRoots) {
            if (rootName.EqualsNoCase(CUnicodeString(root.shortName)) ||
                rootName.EqualsNoCase(CUnicodeString(root.longName))) {
                made.root = root.root;
                made.argument = slash < 0 ? CUnicodeString() : path.Mid(slash + 1);
                return !made.argument.IsEmpty() ||
                       fail(at, u"\"" + path + u"\" names no key below its root; write " + rootName + u"\\<key>");
            }
        }
        return fail(at, u"\"" + rootName + u"\" is no registry root; write HKLM, HKCU or HKCR");
    }

    const CUnicodeString& m_text;
    std::vector<CNode>& m_nodes;
    int m_at = 0;
    int m_tests = 0;
    CProblem m_problem;
};

bool CPageCondition::Parse(const CUnicodeString& text, CPageCondition& out, CProblem& problem)
{
    out = CPageCondition();
    if (CParser(text, out.m_nodes).Run(out.m_root, problem))
        return true;
    out = CPageCondition();
    return false;
}

bool CPageCondition::Evaluate(CMachineFacts& machine) const { return m_root < 0 || evaluate(m_root, machine); }

bool CPageCondition::evaluate(int index, CMachineFacts& machine) const
{
    const CNode& node = m_nodes[static_cast<std::size_t>(index)];
    switch (node.kind) {
    case EKind::Not: return !evaluate(node.left, machine);
    case EKind::And: return evaluate(node.left, machine) && evaluate(node.right, machine);
    case EKind::Or: return evaluate(node.left, machine) || evaluate(node.right, machine);
    case EKind::Exists: return machine.Exists(node.argument);
    case EKind::Registry:
        return machine.HasRegistryEntry(node.root, node.argument, node.hasValueName ? &node.valueName : nullptr,
                                        node.view32);
    case EKind::Installed: return machine.IsInstalled(node.argument);
    case EKind::Is64Bit: return machine.Is64BitWindows();
    case EKind::Windows: {
        const CWindowsVersion running = machine.WindowsVersion();
        const CWindowsVersion& asked = node.version;
        // Without a build in the condition, every build of that version compares equal.
        const int order = running.major != asked.major                     ? (running.major < asked.major ? -1 : 1)
                          : running.minor != asked.minor                   ? (running.minor < asked.minor ? -1 : 1)
                          : !node.hasBuild || running.build == asked.build ? 0
                          : running.build < asked.build                    ? -1
                                                                           : 1;
        switch (node.op) {
        case EOp::Less: return order < 0;
        case EOp::LessOrEqual: return order <= 0;
        case EOp::Greater: return order > 0;
        case EOp::GreaterOrEqual: return order >= 0;
        case EOp::Equal: return order == 0;
        case EOp::NotEqual: return order != 0;
        }
    }
    }
    return false;
}
