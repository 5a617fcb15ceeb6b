// TempFolder.h
// Holds CTempFolder, a fresh folder under the system's temporary folder for one test,
// removed with its files at the end, and helpers that write files into it.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

#include <string>

class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    // Full path of a file in the folder, with a trailing backslash for the folder itself.
    TObj::CUnicodeString Path(const char* name = "") const;
    TObj::CUnicodeString Write(const char* name, const std::string& bytes) const;

private:
    TObj::CUnicodeString m_folder;
};
