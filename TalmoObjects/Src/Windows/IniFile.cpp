#include "IniFile.h"

#include "Errors.h"
#include "FileException.h"
#include "FileSystem.h"
#include "ProgramPaths.h"
#include "ReportPlaces.h"
#include "TextFile.h"

#include <memory>
#include <utility>

namespace TObj {

CIniFile::CIniFile(const CUnicodeString& path, CIniData::FMalformedLine onMalformedLine)
    : m_onMalformedLine(std::move(onMalformedLine))
{
    if (path.IsEmpty()) {
        GenerateInternalError(kAssertion, Places::kIniFileWithoutPath);
        return;
    }
    const EPathKind kind = PathKindOf(path);
    m_path =
        NormalizePath(kind == kPathAbsolute || kind == kPathNetwork ? path : CombinePath(GetProgramFolder(), path));
}

const CIniData& CIniFile::Data()
{
    if (m_loaded)
        return m_data;
    m_loaded = true;
    m_data.Clear();
    if (!FileExists(m_path))
        return m_data;
    CUnicodeString text;
    try {
        CTextFile file;
        file.OpenForReading(m_path);
        text = file.Text();
    } catch (CFileException* failure) {
        // A file that vanished after the existence test reads as missing; any other
        // failure to read it is reported.
        std::unique_ptr<CFileException> owned(failure);
        if (failure->Cause() != CFileException::kFileNotFound && failure->Cause() != CFileException::kBadPath)
            throw owned.release();
        return m_data;
    }
    m_data.Parse(text, m_path, m_onMalformedLine);
    return m_data;
}

bool CIniFile::HasSection(const CUnicodeString& section) { return Data().HasSection(section); }

bool CIniFile::HasKey(const CUnicodeString& section, const CUnicodeString& key) { return Data().HasKey(section, key); }

CUnicodeString CIniFile::GetValue(const CUnicodeString& section, const CUnicodeString& key,
                                  const CUnicodeString& fallback)
{
    return Data().GetValue(section, key, fallback);
}

bool CIniFile::HasKey(const CUnicodeString& section, const WChar* key, int keyLength)
{
    return Data().HasKey(section, key, keyLength);
}

bool CIniFile::TryGetValue(const CUnicodeString& section, const WChar* key, int keyLength, CUnicodeString& value)
{
    return Data().TryGetValue(section, key, keyLength, value);
}

int CIniFile::LineOf(const CUnicodeString& section, const CUnicodeString& key) { return Data().LineOf(section, key); }

std::vector<CUnicodeString> CIniFile::SectionNames() { return Data().SectionNames(); }

std::vector<CUnicodeString> CIniFile::KeyNames(const CUnicodeString& section) { return Data().KeyNames(section); }

} // namespace TObj
