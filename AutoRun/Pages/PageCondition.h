// PageCondition.h
// Holds CPageCondition, a command's condition: its small language parsed once into a tree
// of tests joined by "not", "and", "or" and parentheses; the problem, with its column, of a
// text that does not parse; and its value, asked of a CMachineFacts. The tests:
//   exists(<path>)                          a file or folder
//   registry(<root>\<key>[, <value name>])  a key or value, in the 64-bit view on 64-bit
//   registry32(...)                         Windows; registry32 in the 32-bit one
//   installed(<product code or name>)       an uninstall entry
//   windows <op> <major>.<minor>[.<build>]  op one of < <= > >= = == !=
//   64bit                                   64-bit Windows
// Words are matched without regard to case. An argument is a quoted text ("" stands for a
// quote) or the text up to the "," or ")" that ends it, where parentheses pair up, as in
// %ProgramFiles(x86)%. Roots are HKLM, HKCU and HKCR (or their HKEY_ names). A condition
// is bounded in length, tests and nesting, so deciding one stays quick.
#pragma once

#include "MachineFacts.h"
#include "UnicodeString.h"

#include <cstdint>
#include <vector>

class CPageCondition {
public:
    struct CProblem {
        int column = 0; // 1 for the first character
        TObj::CUnicodeString text;
    };

    // False, with the problem, for a text that is not a condition; `out` is then empty.
    static bool Parse(const TObj::CUnicodeString& text, CPageCondition& out, CProblem& problem);

    bool IsEmpty() const noexcept { return m_nodes.empty(); }
    // An empty condition holds.
    bool Evaluate(CMachineFacts& machine) const;

    static constexpr int kMaxLength = 1024;
    static constexpr int kMaxTests = 32;
    static constexpr int kMaxDepth = 16;

private:
    enum class EKind : std::uint8_t { Not, And, Or, Exists, Registry, Installed, Windows, Is64Bit };
    enum class EOp : std::uint8_t { Less, LessOrEqual, Greater, GreaterOrEqual, Equal, NotEqual };
    struct CNode {
        EKind kind = EKind::Is64Bit;
        int left = -1; // the operand of Not; the operands of And and Or
        int right = -1;
        TObj::CUnicodeString argument; // the path, key below the root, or product
        TObj::CUnicodeString valueName;
        bool hasValueName = false;
        ERegistryRoot root = ERegistryRoot::LocalMachine;
        bool view32 = false;
        EOp op = EOp::Equal;
        CWindowsVersion version;
        bool hasBuild = false;
    };
    class CParser;

    bool evaluate(int node, CMachineFacts& machine) const;

    std::vector<CNode> m_nodes;
    int m_root = -1;
};
