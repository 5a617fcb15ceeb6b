// CommandPicture.h
// Holds CCommandPicture, one picture file of the pages' commands, shared by every command
// and state that names it: decoded once, when first asked for, so that a hover or click
// picture costs nothing at start.
#pragma once

#include "Bitmap.h"
#include "UnicodeString.h"
#include "ZyrFailure.h"

#include <memory>

class CCommandPicture {
public:
    // `place` names the failure of the decode.
    CCommandPicture(const TObj::CUnicodeString& path, const ZYR::CFailurePlace& place);

    const TObj::CUnicodeString& Path() const noexcept { return m_path; }
    bool IsDecoded() const noexcept { return m_decoded != nullptr; }
    // The decoded picture; the first call decodes the file. A file that cannot be decoded
    // raises its failure on that call only, and is null from then on.
    std::shared_ptr<const ZYR::CBitmap> Decoded() const;

private:
    TObj::CUnicodeString m_path;
    ZYR::CFailurePlace m_place;
    // Decoded on demand by a const reader: the pages are read-only once read.
    mutable std::shared_ptr<const ZYR::CBitmap> m_decoded;
    mutable bool m_failed = false;
};
