// PageKeys.h
// Holds the one table of the keys a page description knows: for each its name, where it
// stands ([Common], a page, or behind a command's "Command<N>_"), its value type, its
// default and what it means. The settings reader reads every key through it, the author's
// check knows keys by it, and the key lists of docs/page-format.md are compared with it by
// a test. Adding a key is a row here and its reading code. Also:
//  - the split of a command key such as "Command12_Text" into its number and key;
//  - the nearest known key to a misspelt one;
//  - whether a value parses as its type, and the type's name for messages.
#pragma once

#include "UnicodeString.h"

namespace PageKeys {

enum class EScope { Common, Window, Command };

enum class EValueType { Text, TextWithBreaks, Path, Integer, Colour, Boolean, Decimal, Rectangle, Size, FontSize };

// clang-format off
enum class EKey {
    Icon, Dir, DefaultIniFile, CommonScaleWithDpi,
    ScaleWithDpi, Background, BackgroundSize, BackgroundColor, Title, FontName, FontSize, FontUnderlined, FontSelectedColor,
    FontNotSelectedColor, FontUnusableColor, FontCommentName, FontCommentSize, FontCommentColor, CommentRect,
    CommentDefault, CommandsRect, FontRatio, SpaceRatio,
    CommandText, CommandRect, CommandAction, CommandAction64, CommandActionParameters, CommandComment, CommandTooltip,
    CommandHint, CommandHintMargin, CommandHintFontSize, CommandLeftMargin, CommandTopMargin, CommandRightMargin,
    CommandBottomMargin, CommandFontName, CommandFontSize, CommandFontUnderlined, CommandFontSelectedColor,
    CommandFontNotSelectedColor, CommandTextOrientation, CommandBackgroundImage, CommandBackgroundHoverImage,
    CommandBackgroundClickImage, CommandBackgroundColor, CommandBackgroundHoverColor, CommandBackgroundClickColor,
    CommandBorderWidth, CommandBorderColor, CommandBorderHoverColor, CommandBorderClickColor, CommandIf,
    CommandIfFalse,
    Count
};
// clang-format on

struct CPageKey {
    EKey key;
    const char16_t* name; // a command's without its "Command<N>_"
    EScope scope;
    EValueType type;
    // The default of a number, colour or flag when it is a constant; a default that follows
    // other keys is the reader's to give.
    double fallback;
    const char* defaultText; // the default and the meaning as the page format states them
    const char* meaning;
};

const CPageKey& Key(EKey key);
// The whole table, in the order of EKey.
const CPageKey* Table();
constexpr int kKeyCount = static_cast<int>(EKey::Count);

// Looked up without regard to case; null when the key is unknown. "Dir" and
// "DefaultIniFile" are keys of the root file's [Common] only.
const CPageKey* Find(EScope scope, const TObj::CUnicodeString& name, bool inRootFile = false);

// "Command12_Text" -> 12 and "Text". False for anything that is not "Command", a positive
// decimal number without leading zero, "_" and a rest.
bool SplitCommandKey(const TObj::CUnicodeString& key, int& number, TObj::CUnicodeString& rest);

// The known key of a page nearest to `key` in edits (case ignored), with a command key's
// own prefix kept; empty when nothing is close enough to be a likely typo.
TObj::CUnicodeString NearestWindowKey(const TObj::CUnicodeString& key);

// Whether `text` parses as `type`; text and paths always do.
bool Parses(EValueType type, const TObj::CUnicodeString& text, int dpiY);
const char* TypeName(EValueType type);

} // namespace PageKeys
