// Fuzzes the message formatter and the string operations beneath it. The first byte picks
// how many parameters there are; the rest is the template, as UTF-8.
#include "MessageFormat.h"
#include "Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using TObj::CUnicodeString;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int count = data[0] % 12;
    const CUnicodeString templateText = TObj::DecodeUtf8(reinterpret_cast<const char*>(data + 1), size - 1);

    // Empty parameters: placeholders only ever disappear, so the text cannot grow.
    CUnicodeString emptyParams[12];
    if (TObj::FillPlaceholders(templateText, emptyParams, count).Length() > templateText.Length())
        std::abort();

    // Parameters that look like placeholders are copied, never expanded again.
    CUnicodeString params[12];
    for (int i = 0; i < count; ++i)
        params[i] = CUnicodeString(u"%0");
    const CUnicodeString filled = TObj::FillPlaceholders(templateText, params, count);
    const std::vector<int> missing = TObj::PlaceholdersWithoutParameter(templateText, count);
    for (int number : missing)
        if (number < count)
            std::abort();
    (void)TObj::PlaceholderCheckWarning(templateText, count);

    // The parsers must agree with the printers on whatever they accept.
    std::int32_t integer;
    if (templateText.ToInt(integer)) {
        std::int32_t back;
        if (!CUnicodeString::FromInt(integer).ToInt(back) || back != integer)
            std::abort();
    }
    double decimal;
    if (templateText.ToDouble(decimal)) {
        double back;
        if (!CUnicodeString::FromDouble(decimal).ToDouble(back) || back != decimal)
            std::abort();
    }
    std::uint32_t hex;
    bool flag;
    (void)templateText.ToHex(hex);
    (void)templateText.ToBool(flag);

    // Editing operations with positions taken from the input stay inside the text.
    CUnicodeString edited = filled;
    edited.Replace(count - 3, count, templateText);
    edited.Delete(count * 7 - 20, count);
    edited.ReplaceAll(CUnicodeString(u"%"), edited.Left(count));
    edited.Trim();
    const CUnicodeString needle = templateText.Mid(count, 2);
    const int at = edited.Find(needle);
    if (at >= 0 && edited.Mid(at, needle.Length()) != needle)
        std::abort();
    (void)edited.ToUtf8();
    return 0;
}
