#include "MessageFormat.h"

#include "CharClass.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace TObj {

namespace {

std::atomic<FPlaceholderCheckReport> g_checkReport{nullptr};

// Calls `visit(n, start, end)` for every placeholder that names a parameter number n,
// and `visit(-1, start, end)` for a "%" run that names none (kept as written).
template <typename Visit>
void ForEachPlaceholder(const CUnicodeString& text, Visit visit)
{
    const int length = text.Length();
    for (int at = text.Find(u'%'); at >= 0 && at + 1 < length; at = text.Find(u'%', at)) {
        int end = at + 1;
        std::int64_t number = 0;
        bool fits = true;
        for (; end < length && IsAsciiDigit(text[end]); ++end) {
            number = fits ? number * 10 + (text[end] - u'0') : number;
            fits = fits && number <= INT32_MAX;
        }
        visit(end > at + 1 && fits ? static_cast<int>(number) : -1, at, end);
        at = end;
    }
}

} // namespace

CUnicodeString FillPlaceholders(const CUnicodeString& templateText, const CUnicodeString* params, int count)
{
    if (params == nullptr)
        count = 0;
    if (FPlaceholderCheckReport report = g_checkReport.load()) {
        const CUnicodeString warning = PlaceholderCheckWarning(templateText, count);
        if (!warning.IsEmpty())
            report(warning);
    }
    CUnicodeString result;
    int copied = 0;
    ForEachPlaceholder(templateText, [&](int number, int start, int end) {
        if (number < 0)
            return; // stays in the text, copied with the next run
        result.Append(templateText.Ptr() + copied, start - copied);
        if (number < count)
            result += params[number];
        copied = end;
    });
    result.Append(templateText.Ptr() + copied, templateText.Length() - copied);
    return result;
}

CUnicodeString FillPlaceholders(const CUnicodeString& templateText)
{
    return FillPlaceholders(templateText, nullptr, 0);
}

CUnicodeString FillPlaceholders(const CUnicodeString& templateText, const CUnicodeString& p0)
{
    return FillPlaceholders(templateText, &p0, 1);
}

CUnicodeString FillPlaceholders(const CUnicodeString& templateText, const CUnicodeString& p0, const CUnicodeString& p1)
{
    const CUnicodeString params[] = {p0, p1};
    return FillPlaceholders(templateText, params, 2);
}

CUnicodeString FillPlaceholders(const CUnicodeString& templateText, const CUnicodeString& p0, const CUnicodeString& p1,
                                const CUnicodeString& p2)
{
    const CUnicodeString params[] = {p0, p1, p2};
    return FillPlaceholders(templateText, params, 3);
}

CUnicodeString FillPlaceholders(const CUnicodeString& templateText, const std::vector<CUnicodeString>& params)
{
    return FillPlaceholders(templateText, params.data(), static_cast<int>(params.size()));
}

std::vector<int> PlaceholdersWithoutParameter(const CUnicodeString& templateText, int count)
{
    std::vector<int> missing;
    ForEachPlaceholder(templateText, [&](int number, int, int) {
        if (number >= count && number >= 0)
            missing.push_back(number);
    });
    std::sort(missing.begin(), missing.end());
    missing.erase(std::unique(missing.begin(), missing.end()), missing.end());
    return missing;
}

CUnicodeString PlaceholderCheckWarning(const CUnicodeString& templateText, int count)
{
    const std::vector<int> missing = PlaceholdersWithoutParameter(templateText, count);
    if (missing.empty())
        return CUnicodeString();
    CUnicodeString list;
    for (std::size_t i = 0; i < missing.size(); ++i) {
        if (i > 0)
            list += u" ,";
        list += CUnicodeString::FromInt(missing[i]);
    }
    return CUnicodeString::Format(u"Some parameters in message \"%s\" are missing: %s.", templateText.Ptr(),
                                  list.Ptr());
}

void SetPlaceholderCheckReport(FPlaceholderCheckReport report) { g_checkReport.store(report); }

} // namespace TObj
