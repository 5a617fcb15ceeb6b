#include "PageRenderer.h"

#include "AutoRunWindow.h"
#include "CommandControl.h"
#include "DC.h"
#include "File.h"
#include "FileSystem.h"
#include "GdiGlobals.h"
#include "LastErrorException.h"
#include "PathRules.h"
#include "PictureEncoder.h"
#include "Settings.h"

#include <algorithm>
#include <vector>

using TObj::CUnicodeString;

namespace {

// The picture's pixels as 24-bit rows, the top row first, each padded to 4 bytes.
std::vector<unsigned char> TopDownRows(const ZYR::CBitmap& picture, int& width, int& height, int& rowBytes)
{
    DIBSECTION section{};
    if (GetObjectW(picture.Get(), sizeof section, &section) != sizeof section || section.dsBm.bmBits == nullptr)
        TObj::ThrowLastErrorException(GetLastError());
    width = section.dsBm.bmWidth;
    height = std::abs(section.dsBm.bmHeight);
    rowBytes = (width * 3 + 3) & ~3;
    std::vector<unsigned char> rows(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height));
    // The section is 32-bit top-down when its height is negative, bottom-up otherwise.
    const auto* bits = static_cast<const unsigned char*>(section.dsBm.bmBits);
    const bool topDown = section.dsBmih.biHeight < 0;
    for (int y = 0; y < height; ++y) {
        const int sourceRow = topDown ? y : height - 1 - y;
        const unsigned char* source = bits + static_cast<std::size_t>(sourceRow) * section.dsBm.bmWidthBytes;
        unsigned char* row = rows.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(rowBytes);
        for (int x = 0; x < width; ++x)
            for (int channel = 0; channel < 3; ++channel)
                row[x * 3 + channel] = source[x * 4 + channel];
    }
    return rows;
}

} // namespace

std::vector<CUnicodeString> CPageRenderer::RenderAll(const CSettings& settings)
{
    TObj::MakeFolders(m_folder);
    std::vector<CUnicodeString> written;
    for (int index = 0; index < settings.WindowCount(); ++index) {
        const CWindowSettings& page = *settings.Window(index);
        if (m_window.CurrentPage() != &page)
            m_window.GoToPage(page.name);
        // The page as it is untouched, wherever the pointer rests on the screen.
        for (int c = 0; c < m_window.CommandControlCount(); ++c)
            if (m_window.CommandControlAt(c)->IsHovered())
                m_window.CommandControlAt(c)->SendMessage(WM_MOUSELEAVE, 0, 0);
        written.push_back(save(page.name, CUnicodeString()));
        for (int c = 0; c < m_window.CommandControlCount(); ++c) {
            CCommandControl& control = *m_window.CommandControlAt(c);
            const CUnicodeString command = CUnicodeString::Format(u"_Command%d", control.Settings().number);
            // The control's own handlers make the state, so the comment follows as it would.
            // The pointer rests on the top left pixel, which even a command of one pixel has.
            control.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
            written.push_back(save(page.name, command + u"_hover"));
            // Pressed, then let go without a release over it, so its action does not run.
            control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
            written.push_back(save(page.name, command + u"_pressed"));
            ReleaseCapture();
            control.SendMessage(WM_MOUSELEAVE, 0, 0);
            control.SetFocus();
            written.push_back(save(page.name, command + u"_focus"));
            m_window.SetFocus();
        }
    }
    return written;
}

CUnicodeString CPageRenderer::save(const CUnicodeString& page, const CUnicodeString& suffix)
{
    ZYR::CBitmap picture;
    Capture(m_window.Handle(), picture);
    const CUnicodeString path = TObj::JoinPath(m_folder, FileNameFor(page, suffix, m_format));
    if (m_format == EFormat::Png)
        WritePngFile(path, picture);
    else
        WriteBitmapFile(path, picture);
    return path;
}

CUnicodeString CPageRenderer::FileNameFor(const CUnicodeString& page, const CUnicodeString& suffix, EFormat format)
{
    CUnicodeString name = page + suffix;
    for (int i = 0; i < name.Length(); ++i) {
        const TObj::WChar c = name[i];
        if (c < 32 || CUnicodeString(u"\\/:*?\"<>|").Find(c) >= 0)
            name.SetAt(i, u'_');
    }
    return name + (format == EFormat::Png ? u".png" : u".bmp");
}

void CPageRenderer::Capture(HWND window, ZYR::CBitmap& picture)
{
    RECT client{};
    GetClientRect(window, &client);
    const int width = std::max<LONG>(client.right, 1), height = std::max<LONG>(client.bottom, 1);
    picture.CreateDIBSection(width, height);
    const ZYR::CWindowDC screen(nullptr);
    ZYR::CMemoryDC canvas(screen.Get());
    ZYR::CSelectObjectGuard select(canvas.Get(), picture.Handle());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Get()), PRF_CLIENT);
    // Children over the page, as the screen has them; in a right-to-left window they are
    // mirrored as they are there.
    ZYR::PrintChildren(window, canvas.Get(), ZYR::ChildrenBottomUp(window));
    GdiFlush();
}

void CPageRenderer::WriteBitmapFile(const CUnicodeString& path, const ZYR::CBitmap& picture)
{
    int width = 0, height = 0, rowBytes = 0;
    const std::vector<unsigned char> rows = TopDownRows(picture, width, height, rowBytes);
    const DWORD pixelBytes = static_cast<DWORD>(rows.size());
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + pixelBytes;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height; // bottom-up, as every reader expects
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = pixelBytes;
    std::vector<char> bytes(reinterpret_cast<const char*>(&file), reinterpret_cast<const char*>(&file) + sizeof file);
    bytes.insert(bytes.end(), reinterpret_cast<const char*>(&info), reinterpret_cast<const char*>(&info) + sizeof info);
    for (int y = height - 1; y >= 0; --y) {
        const auto* row = rows.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(rowBytes);
        bytes.insert(bytes.end(), row, row + rowBytes);
    }
    TObj::CFile out;
    out.Open(path, TObj::CFile::kCreateForWriting);
    out.Write(bytes.data(), static_cast<int>(bytes.size()));
}

void CPageRenderer::WritePngFile(const CUnicodeString& path, const ZYR::CBitmap& picture)
{
    int width = 0, height = 0, rowBytes = 0;
    const std::vector<unsigned char> rows = TopDownRows(picture, width, height, rowBytes);
    ZYR::CPictureEncoder::WritePng(path, rows.data(), static_cast<UINT>(width), static_cast<UINT>(height),
                                   static_cast<UINT>(rowBytes));
}
