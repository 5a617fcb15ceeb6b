// Fuzzes the INI reader from raw file bytes: mark detection, decoding, line splitting and
// the line rules. Any outcome but a clean parse or ERR_BAD_INI_FILE is a finding.
#include "Errors.h"
#include "IniData.h"
#include "TextDecoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

using TObj::CUnicodeString;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::size_t mark = 0;
    const int codePage = TObj::DetectEncoding(data, size, TObj::kCodePageUtf8, mark);
    CUnicodeString text;
    TObj::DecodeText(data + mark, size - mark, codePage, text);
    TObj::CIniData ini;
    try {
        ini.Parse(text, CUnicodeString(u"fuzz.ini"));
    } catch (TObj::CException* failure) {
        const std::unique_ptr<TObj::CException> owned(failure);
        if (dynamic_cast<TObj::CCheckException*>(failure) == nullptr)
            std::abort();
        if (!ini.SectionNames().empty()) // a failed parse leaves nothing half read
            std::abort();
        return 0;
    }
    // Everything listed can be found again, by any spelling of its case, and a key is
    // listed once however often the file repeats it.
    for (const CUnicodeString& section : ini.SectionNames()) {
        if (!ini.HasSection(section))
            std::abort();
        std::set<std::u16string> seen;
        for (const CUnicodeString& key : ini.KeyNames(section)) {
            CUnicodeString upper = key;
            for (int i = 0; i < upper.Length(); ++i)
                if (upper[i] >= u'a' && upper[i] <= u'z')
                    upper.SetAt(i, static_cast<char16_t>(upper[i] - 32));
            if (!ini.HasKey(section, upper) || ini.LineOf(section, key) <= 0)
                std::abort();
            if (!seen.insert(std::u16string(upper.Ptr(), static_cast<std::size_t>(upper.Length()))).second)
                std::abort();
        }
    }
    return 0;
}
