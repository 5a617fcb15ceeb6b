// MachineFacts.h
// Holds CMachineFacts, what a command's condition may ask of the machine it runs on: whether
// a file or folder exists, a registry key or value exists (in the 64-bit view or the 32-bit
// one), a product is installed, which Windows runs and whether it is 64-bit. Every question
// only reads; the launcher asks Windows, the tests a table.
#pragma once

#include "UnicodeString.h"

enum class ERegistryRoot { LocalMachine, CurrentUser, ClassesRoot };

// The real version, not what a compatibility shim reports.
struct CWindowsVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
};

class CMachineFacts {
public:
    // `path` as written, environment names ("%ProgramFiles%") not yet expanded.
    virtual bool Exists(const TObj::CUnicodeString& path) = 0;
    // The key, or with `valueName` the value of that name in it. `view32`: the registry as a
    // 32-bit program sees it on 64-bit Windows; otherwise the 64-bit view there.
    virtual bool HasRegistryEntry(ERegistryRoot root, const TObj::CUnicodeString& key,
                                  const TObj::CUnicodeString* valueName, bool view32) = 0;
    // An uninstall entry of either view, or the user's, with that key name or DisplayName.
    virtual bool IsInstalled(const TObj::CUnicodeString& product) = 0;
    virtual CWindowsVersion WindowsVersion() = 0;
    virtual bool Is64BitWindows() = 0;

protected:
    ~CMachineFacts() = default;
};
