// MessageFormat.h
// Holds the message formatter: "%" followed by decimal digits is replaced by the parameter
// of that index; and its optional debug check, which reports placeholders that have no
// parameter through a reporter the library installs.
#pragma once

#include "UnicodeString.h"

#include <vector>

namespace TObj {

CUnicodeString FillPlaceholders(const CUnicodeString& templateText, const CUnicodeString* params, int count);
CUnicodeString FillPlaceholders(const CUnicodeString& templateText);
CUnicodeString FillPlaceholders(const CUnicodeString& templateText, const CUnicodeString& p0);
CUnicodeString FillPlaceholders(const CUnicodeString& templateText, const CUnicodeString& p0, const CUnicodeString& p1);
CUnicodeString FillPlaceholders(const CUnicodeString& templateText, const CUnicodeString& p0, const CUnicodeString& p1,
                                const CUnicodeString& p2);
CUnicodeString FillPlaceholders(const CUnicodeString& templateText, const std::vector<CUnicodeString>& params);

// Distinct placeholder numbers of the template that have no parameter, ascending.
std::vector<int> PlaceholdersWithoutParameter(const CUnicodeString& templateText, int count);

// The warning for the template, or an empty text when every placeholder has a parameter.
CUnicodeString PlaceholderCheckWarning(const CUnicodeString& templateText, int count);

// While a reporter is set, every formatting whose template has a placeholder without
// parameter calls it with the warning before formatting goes on.
using FPlaceholderCheckReport = void (*)(const CUnicodeString& warning);
void SetPlaceholderCheckReport(FPlaceholderCheckReport report);

} // namespace TObj
