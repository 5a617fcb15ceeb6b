// Fuzzes the command conditions: any text either parses into a condition that can be
// decided, on a machine whose answers follow the text asked about, or is malformed with a
// column inside the text (or just past its end) and a problem to show.
#include "PageCondition.h"
#include "Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using TObj::CUnicodeString;

namespace {

class CHashedMachine : public CMachineFacts {
public:
    bool Exists(const CUnicodeString& path) override { return Odd(path); }
    bool HasRegistryEntry(ERegistryRoot, const CUnicodeString& key, const CUnicodeString* value, bool) override
    {
        return Odd(key) != (value != nullptr && Odd(*value));
    }
    bool IsInstalled(const CUnicodeString& product) override { return !Odd(product); }
    CWindowsVersion WindowsVersion() override { return {10, 0, 19045}; }
    bool Is64BitWindows() override { return true; }

private:
    static bool Odd(const CUnicodeString& text) { return text.Length() % 2 == 1; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CUnicodeString text = TObj::DecodeUtf8(reinterpret_cast<const char*>(data), size);
    CPageCondition condition;
    CPageCondition::CProblem problem;
    CHashedMachine machine;
    if (CPageCondition::Parse(text, condition, problem)) {
        if (!problem.text.IsEmpty() || condition.IsEmpty())
            std::abort();
        condition.Evaluate(machine);
    } else if (problem.text.IsEmpty() || problem.column < 1 || problem.column > text.Length() + 1 ||
               !condition.IsEmpty()) {
        std::abort();
    }
    return 0;
}
