// PageRules.h
// Holds the background rules of windows and commands and the user messages they raise:
// a window has a picture or a size-and-colour pair; a command has pictures or colours.
// A rule that is broken yields the message name and its parameters.
#pragma once

#include "PageTypes.h"
#include "UnicodeString.h"

namespace PageRules {

struct CPageProblem {
    const char* messageName = nullptr; // null: no problem
    TObj::CUnicodeString param0;
    TObj::CUnicodeString param1;

    explicit operator bool() const { return messageName != nullptr; }
};

// "Command3_"
TObj::CUnicodeString CommandKeyPrefix(int number);
// "Main:Command3_", how messages name a command
TObj::CUnicodeString CommandPlace(const TObj::CUnicodeString& window, int number);

// `picturePath` is the resolved path of `Background` (empty when absent or empty);
// `pictureExists` is consulted only when there is a picture.
CPageProblem CheckWindowBackground(const TObj::CUnicodeString& window, const TObj::CUnicodeString& picturePath,
                                   const CPageSize& size, std::uint32_t color, bool pictureExists);

CPageProblem CheckCommandBackground(const TObj::CUnicodeString& window, int number, bool hasPictures, bool hasColors);

// Whether the launcher opens an action as a web address: only "http://" and "https://",
// in lower case; anything else is a path on the disc.
bool IsWebAddress(const TObj::CUnicodeString& action);

// Whether a command's TextOrientation centres its text: "center" in any case is the one
// orientation there is.
bool IsCentred(const TObj::CUnicodeString& orientation);

CPageProblem MissingCommandPicture(const TObj::CUnicodeString& window, int number,
                                   const TObj::CUnicodeString& picturePath);

} // namespace PageRules
