// PictureEncoder.h
// Holds ZYR::CPictureEncoder: pixels written as a PNG file with the Windows Imaging
// Component, which the picture decoder reads them with.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

namespace ZYR {

class CPictureEncoder {
public:
    // Rows of 24-bit BGR pixels, the top row first, `stride` bytes apart. A failure throws
    // the component's error (a Win32 code where it gave one).
    static void WritePng(const TObj::CUnicodeString& path, const unsigned char* rows, UINT width, UINT height,
                         UINT stride);
};

} // namespace ZYR
