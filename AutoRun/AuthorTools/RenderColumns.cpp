#include "RenderColumns.h"

#include "FileSystem.h"
#include "Languages.h"
#include "PageFiles.h"
#include "PageValues.h"
#include "PathRules.h"

#include <windows.h>

#include <algorithm>
#include <utility>

using TObj::CUnicodeString;

namespace RenderColumns {

namespace {

CUnicodeString NameOf(int code)
{
    const TObj::WChar* locale = TObj::LanguageEntry(code).locale;
    if (TObj::IsLanguageCodeUsed(code) && locale != nullptr && *locale != 0)
        return CUnicodeString(locale);
    return CUnicodeString::Format(u"language-%d", code);
}

// The pictures of one folder, in the order they were written: a render writes each file
// once, one after the other.
std::vector<CUnicodeString> PicturesIn(const CUnicodeString& folder)
{
    std::vector<std::pair<ULONGLONG, CUnicodeString>> found;
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileW(TObj::JoinPath(folder, CUnicodeString(u"*.*")).W(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    do {
        const CUnicodeString name(reinterpret_cast<const TObj::WChar*>(data.cFileName));
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            (name.EndsWith(CUnicodeString(u".png")) || name.EndsWith(CUnicodeString(u".bmp"))))
            found.emplace_back(
                ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32 | data.ftLastWriteTime.dwLowDateTime, name);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    // A file system that keeps coarse times gives ties, which the names order.
    std::sort(found.begin(), found.end());
    std::vector<CUnicodeString> names;
    for (auto& picture : found)
        names.push_back(std::move(picture.second));
    return names;
}

// The page is made by appending, since each text it joins would otherwise be a copy.
void AppendEscaped(CUnicodeString& out, const CUnicodeString& text)
{
    for (int i = 0; i < text.Length(); ++i) {
        switch (text[i]) {
        case u'&': out += u"&amp;"; break;
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        case u'"': out += u"&quot;"; break;
        default: out += text[i];
        }
    }
}

// A relative address: every byte of the UTF-8 text but letters, digits and "-._~"
// percent-encoded.
void AppendAddress(CUnicodeString& out, const CUnicodeString& folder, const CUnicodeString& file)
{
    static const char16_t kHex[] = u"0123456789ABCDEF";
    for (const CUnicodeString* part : {&folder, &file}) {
        for (const char c : part->ToUtf8Bytes()) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                byte == '-' || byte == '.' || byte == '_' || byte == '~') {
                out += static_cast<TObj::WChar>(byte);
            } else {
                out += u'%';
                out += kHex[byte >> 4];
                out += kHex[byte & 15];
            }
        }
        if (part == &folder)
            out += u'/';
    }
}

} // namespace

std::vector<CColumn> LanguageColumnsOf(const CUnicodeString& launcherFolder)
{
    const PageFiles::CDiscLayout disc = PageFiles::DiscLayoutOf(launcherFolder);
    if (disc.pageFolder.IsEmpty())
        return {{CUnicodeString(u"-l:0"), CUnicodeString(u"default")}};
    std::vector<CColumn> columns;
    std::vector<CUnicodeString> read;
    for (int code = 0; code < TObj::kLanguageCount; ++code) {
        const CUnicodeString own = PageFiles::LanguagePageFile(disc.pageFolder, code);
        if (!TObj::IsLanguageCodeUsed(code) && !PageFiles::IsExistingFile(own))
            continue;
        std::vector<CUnicodeString> missing;
        const CUnicodeString file =
            PageFiles::PageFileFor(disc.rootPath, disc.pageFolder, disc.defaultName, code, missing);
        if (std::find(read.begin(), read.end(), file) != read.end())
            continue;
        read.push_back(file);
        columns.push_back(
            {CUnicodeString::Format(u"-l:%d", code), file == own ? NameOf(code) : CUnicodeString(u"default")});
    }
    return columns;
}

std::vector<CColumn> DpiColumns()
{
    std::vector<CColumn> columns;
    for (const int dpi : PageValues::kCheckedDpis)
        columns.push_back({CUnicodeString::Format(u"--dpi=%d", dpi), CUnicodeString::Format(u"%ddpi", dpi)});
    return columns;
}

CUnicodeString IndexPage(const CUnicodeString& folder, const std::vector<CColumn>& columns, const CUnicodeString& title)
{
    std::vector<std::vector<CUnicodeString>> pictures;
    std::vector<CUnicodeString> rows;
    for (const CColumn& column : columns) {
        pictures.push_back(PicturesIn(TObj::JoinPath(folder, column.name)));
        for (const CUnicodeString& name : pictures.back())
            if (std::find(rows.begin(), rows.end(), name) == rows.end())
                rows.push_back(name);
    }
    CUnicodeString page(u"<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>");
    AppendEscaped(page, title);
    page += u"</title>\n<style>\nbody { font-family: sans-serif; }\ntable { border-collapse: collapse; }\n"
            u"th, td { border: 1px solid #ccc; padding: 4px; text-align: left; vertical-align: top; }\n"
            u"</style>\n</head>\n<body>\n<h1>";
    AppendEscaped(page, title);
    page += u"</h1>\n<table>\n<tr><th>Page and state</th>";
    for (const CColumn& column : columns) {
        page += u"<th>";
        AppendEscaped(page, column.name);
        page += u"</th>";
    }
    page += u"</tr>\n";
    for (const CUnicodeString& row : rows) {
        page += u"<tr><th>";
        AppendEscaped(page, row.Left(row.ReverseFind(u'.')));
        page += u"</th>";
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (std::find(pictures[c].begin(), pictures[c].end(), row) == pictures[c].end()) {
                page += u"<td>(none)</td>";
                continue;
            }
            page += u"<td><img src=\"";
            AppendAddress(page, columns[c].name, row);
            page += u"\" alt=\"";
            AppendEscaped(page, columns[c].name);
            page += u' ';
            AppendEscaped(page, row);
            page += u"\"></td>";
        }
        page += u"</tr>\n";
    }
    page += u"</table>\n</body>\n</html>\n";
    return page;
}

} // namespace RenderColumns
