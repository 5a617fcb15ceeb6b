// A resource DLL of one interface language, as the library finds them beside a program.
#include <cwchar>

namespace {
struct CEntry {
    unsigned id;
    const wchar_t* name;
};
// Sorted by name, like every message table.
// TEST_EMPTY_IN_DLL has no string: an empty one, which resource compilers leave out.
const CEntry kTable[] = {{4096, L"CURRENT_LANGUAGE_NAME"},
                         {4210, L"MSG_MESSAGEBOX_OK"},
                         {5001, L"TEST_EMPTY_IN_DLL"},
                         {5000, L"TEST_ONLY_IN_DLL"}};
} // namespace

extern "C" {
__declspec(dllexport) unsigned GetResourceID(const wchar_t* name)
{
    for (const CEntry& entry : kTable)
        if (std::wcscmp(entry.name, name) == 0)
            return entry.id;
    return 0;
}
__declspec(dllexport) int NumberOfMessages() { return 4; }
__declspec(dllexport) const wchar_t* GetMessageName(int index) { return kTable[index].name; }
}
