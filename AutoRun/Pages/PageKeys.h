// PageKeys.h
// Holds the keys a page description knows, for the author's check:
//  - the keys of "Common", of a window section and of a command, each with its value type;
//  - the split of a command key such as "Command12_Text" into its number and key;
//  - the nearest known key to a misspelt one;
//  - whether a value parses as its type, and the type's name for messages.
#pragma once

#include "UnicodeString.h"

namespace PageKeys {

enum class EValueType { Text, TextWithBreaks, Path, Integer, Colour, Boolean, Decimal, Rectangle, Size, FontSize };

struct CKeyInfo {
    const char16_t* name;
    EValueType type;
};

// Looked up without regard to case; null when the key is unknown.
const CKeyInfo* FindWindowKey(const TObj::CUnicodeString& name);
const CKeyInfo* FindCommandKey(const TObj::CUnicodeString& nameAfterPrefix);
// `inRootFile`: "Dir" and "DefaultIniFile" are known there only.
const CKeyInfo* FindCommonKey(const TObj::CUnicodeString& name, bool inRootFile);

// "Command12_Text" -> 12 and "Text". False for anything that is not "Command", a positive
// decimal number without leading zero, "_" and a rest.
bool SplitCommandKey(const TObj::CUnicodeString& key, int& number, TObj::CUnicodeString& rest);

// The known key of a window section nearest to `key` in edits (case ignored), with a
// command key's own prefix kept; empty when nothing is close enough to be a likely typo.
TObj::CUnicodeString NearestWindowKey(const TObj::CUnicodeString& key);

// Whether `text` parses as `type`; text and paths always do.
bool Parses(EValueType type, const TObj::CUnicodeString& text, int dpiY);
const char* TypeName(EValueType type);

} // namespace PageKeys
