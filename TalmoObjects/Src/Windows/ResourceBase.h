// ResourceBase.h
// Holds the resource base of the foundation library (Windows): the modules that carry
// message texts (the program itself, registered directly, and resource DLLs of interface
// languages found beside it by file-name prefix), the interface language, and the message
// listings written at shutdown. The program's own table is exported by name for tools
// outside the program: GetResourceID, NumberOfMessages, GetMessageName,
// GetMessageSystemVersion and the data word __TalmoObjUsed.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

#include <vector>

extern "C" {
__declspec(dllexport) unsigned GetResourceID(const wchar_t* name);
__declspec(dllexport) int NumberOfMessages();
__declspec(dllexport) const wchar_t* GetMessageName(int index);
__declspec(dllexport) int GetMessageSystemVersion();
__declspec(dllexport) extern int __TalmoObjUsed;
}

namespace TObj {

// Registers a module directly; a module registered again moves to the end (searched first).
void RegisterResourceModule(HMODULE module);
// Resource DLLs named prefix + language code + ".dll" in `folder`.
void RegisterResourceModuleDescription(const CUnicodeString& folder, const CUnicodeString& prefix);

// Scans the descriptions, chooses the default language and makes it current. Once.
void InitializeResourceBase();
// Releases the language collections and unloads the resource DLLs.
void DeinitializeResourceBase();
bool IsResourceBaseInitialized();

// Languages for which every description has a DLL, in code order.
std::vector<int> AvailableLanguages();
int GetDefaultLanguage();
int GetInterfaceLanguage();
// An unsupported code is reported once and the current language stays; with none current,
// the default applies. Changing languages loads the new modules before releasing the old.
void SetInterfaceLanguage(int code);
// Which languages count as installed on this system; none given: the system's own answer.
void SetLanguageSupportForTesting(bool (*isSupported)(int code));
// The calling thread's override of the interface language; -1 clears it.
void SetThreadLanguage(int code);
// The language's own name from its resource DLLs ("CURRENT_LANGUAGE_NAME"), or empty.
CUnicodeString GetLanguageDisplayName(int code);

// The message listings. False when the file cannot be written; never throws.
bool WriteAllMessagesListing(const CUnicodeString& path);
bool WriteUndefinedMessagesListing(const CUnicodeString& path);
CUnicodeString AllMessagesListingPath();
CUnicodeString UndefinedMessagesListingPath();

} // namespace TObj
