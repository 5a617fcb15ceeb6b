// The message listings written at shutdown when the debug flags ask for them: every used
// and defined message, or the used ones that no module defines.
#include "ResourceBase.h"

#include "Message.h"
#include "PathRules.h"
#include "ProgramPaths.h"
#include "SystemHandles.h"

#include <set>

namespace TObj {

std::vector<CUnicodeString> DefinedMessageNames(); // resourceinfo.cpp

namespace {

CUnicodeString ModuleFileOf(const void* address)
{
    MEMORY_BASIC_INFORMATION info{};
    wchar_t path[MAX_PATH] = {0};
    if (VirtualQuery(address, &info, sizeof info) == 0 ||
        GetModuleFileNameW(static_cast<HMODULE>(info.AllocationBase), path, MAX_PATH) == 0)
        return CUnicodeString();
    return CUnicodeString(path);
}

bool WriteUtf16File(const CUnicodeString& path, const CUnicodeString& text)
{
    const CFileHandle file(
        CreateFileW(path.W(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsEmpty())
        return false;
    const unsigned char mark[2] = {0xFF, 0xFE};
    DWORD written = 0;
    return WriteFile(file.Get(), mark, 2, &written, nullptr) &&
           WriteFile(file.Get(), text.Ptr(), static_cast<DWORD>(text.Length() * sizeof(WChar)), &written, nullptr);
}

} // namespace

CUnicodeString AllMessagesListingPath()
{
    return ChangeExtension(GetProgramPath(), CUnicodeString()) + u" all messages.txt";
}
CUnicodeString UndefinedMessagesListingPath() { return ChangeExtension(GetProgramPath(), CUnicodeString(u".txt")); }

bool WriteAllMessagesListing(const CUnicodeString& path)
{
    try {
        CUnicodeString text(u"Name\tModule\tDefined\tUsed\r\n");
        std::set<CUnicodeString> used;
        for (const CMessage* message = CMessage::FirstUsed(); message != nullptr; message = message->NextUsed()) {
            used.insert(CUnicodeString(message->Name()));
            text += CUnicodeString::Format(u"%s\t%s\t%s\t%s\r\n", message->Name(), ModuleFileOf(message).Ptr(),
                                           IsMessageDefined(*message) ? u"true" : u"false", u"true");
        }
        for (const CUnicodeString& name : DefinedMessageNames())
            if (used.find(name) == used.end())
                text += CUnicodeString::Format(u"%s\t\t%s\t%s\r\n", name.Ptr(), u"true", u"false");
        return WriteUtf16File(path, text);
    } catch (...) {
        return false;
    }
}

bool WriteUndefinedMessagesListing(const CUnicodeString& path)
{
    try {
        CUnicodeString text;
        std::set<CUnicodeString> used;
        for (const CMessage* message = CMessage::FirstUsed(); message != nullptr; message = message->NextUsed()) {
            used.insert(CUnicodeString(message->Name()));
            if (!IsMessageDefined(*message))
                text += CUnicodeString(message->Name()) + u"\r\n";
        }
        CUnicodeString unused;
        for (const CUnicodeString& name : DefinedMessageNames())
            if (used.find(name) == used.end())
                unused += name + u"\r\n";
        if (!unused.IsEmpty())
            text += u"********** Unused messages ********\r\n" + unused;
        return WriteUtf16File(path, text);
    } catch (...) {
        return false;
    }
}

} // namespace TObj
