// TempFolder.h
// Holds CTempFolder, a fresh folder under the system's temporary folder for one test,
// removed with everything in it at the end, which writes files (and their sub-folders)
// into itself; and ReadBytes, a whole file's bytes.
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
    // Writes the file, making the folders of a name such as "Pages\\Images\\a.bmp".
    TObj::CUnicodeString Write(const char* name, const std::string& bytes) const;

private:
    TObj::CUnicodeString m_folder;
};

// The file's bytes; empty when it cannot be read.
std::string ReadBytes(const TObj::CUnicodeString& path);
