#include "FileException.h"

#include "Errors.h"
#include "ReportPlaces.h"

#include <algorithm>

namespace TObj {

namespace {

TOBJ_MESSAGE(ERR_FILE_GENERIC);
TOBJ_MESSAGE(ERR_FILE_NOT_FOUND);
TOBJ_MESSAGE(ERR_FILE_BAD_PATH);
TOBJ_MESSAGE(ERR_FILE_TOO_MANY_OPEN_FILES);
TOBJ_MESSAGE(ERR_FILE_ACCESS_DENIED);
TOBJ_MESSAGE(ERR_FILE_INVALID_FILE);
TOBJ_MESSAGE(ERR_FILE_REMOVE_CURRENT_DIR);
TOBJ_MESSAGE(ERR_FILE_DIRECTORY_FULL);
TOBJ_MESSAGE(ERR_FILE_BAD_SEEK);
TOBJ_MESSAGE(ERR_FILE_HARD_IO);
TOBJ_MESSAGE(ERR_FILE_SHARING_VIOLATION);
TOBJ_MESSAGE(ERR_FILE_LOCK_VIOLATION);
TOBJ_MESSAGE(ERR_FILE_DISK_FULL);
TOBJ_MESSAGE(ERR_FILE_END_OF_FILE);
TOBJ_MESSAGE(ERR_FILE_ALREADY_EXISTS);
TOBJ_MESSAGE(ERR_DIR_NOT_EMPTY);

const CMessage* const kCauseMessages[] = {
    nullptr,
    &ERR_FILE_GENERIC,
    &ERR_FILE_NOT_FOUND,
    &ERR_FILE_BAD_PATH,
    &ERR_FILE_TOO_MANY_OPEN_FILES,
    &ERR_FILE_ACCESS_DENIED,
    &ERR_FILE_INVALID_FILE,
    &ERR_FILE_REMOVE_CURRENT_DIR,
    &ERR_FILE_DIRECTORY_FULL,
    &ERR_FILE_BAD_SEEK,
    &ERR_FILE_HARD_IO,
    &ERR_FILE_SHARING_VIOLATION,
    &ERR_FILE_LOCK_VIOLATION,
    &ERR_FILE_DISK_FULL,
    &ERR_FILE_END_OF_FILE,
    &ERR_FILE_ALREADY_EXISTS,
    &ERR_DIR_NOT_EMPTY,
};

struct CCauseCodes {
    int cause;
    std::initializer_list<std::uint32_t> codes;
};

const CCauseCodes kCodes[] = {
    {2, {2, 6, 18, 107}},
    {3, {3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267}},
    {4, {4, 36, 68, 113}},
    {5, {5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 999}},
    {6, {11, 26, 60, 66, 114, 182, 191, 193}},
    {7, {16}},
    {8, {62}},
    {9, {24, 25, 27, 30, 131, 132}},
    {10, {20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997}},
    {11, {32}},
    {12, {33, 108, 167}},
    {13, {39, 112}},
    {14, {38}},
    {15, {183}},
    {16, {145}},
};

} // namespace

CFileException::CFileException(std::uint32_t code, int cause, const CUnicodeString& fileName)
    : m_code(code), m_cause(cause), m_fileName(fileName)
{
    TOBJ_ASSERT(cause != 0, Places::kFileExceptionWithoutCause);
}

int CFileException::CauseOfError(std::uint32_t code)
{
    TOBJ_ASSERT(code != 0, Places::kFileExceptionWithoutCode);
    for (const CCauseCodes& row : kCodes)
        if (std::find(row.codes.begin(), row.codes.end(), code) != row.codes.end())
            return row.cause;
    return kGeneric;
}

CUnicodeString CFileException::GetMessageText() const
{
    if (m_cause >= kFileNotFound && m_cause <= kDirectoryNotEmpty)
        return FormatMessageText(*kCauseMessages[m_cause], m_fileName);
    return FormatMessageText(ERR_FILE_GENERIC, m_fileName, SystemErrorText(m_code));
}

void ThrowFileException(std::uint32_t code, const CUnicodeString& fileName)
{
    throw new CFileException(code, CFileException::CauseOfError(code), fileName);
}

} // namespace TObj
