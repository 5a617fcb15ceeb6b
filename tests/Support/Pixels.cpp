#include "Pixels.h"

#include "TempFolder.h"

#include <cstring>

CPixels ReadBitmapFile(const TObj::CUnicodeString& path)
{
    const std::string bytes = ReadBytes(path);
    CPixels pixels;
    if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return pixels;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    std::memcpy(&file, bytes.data(), sizeof file);
    std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
    if (info.biBitCount != 24 || info.biHeight <= 0 || info.biWidth <= 0)
        return pixels;
    const std::size_t row = (static_cast<std::size_t>(info.biWidth) * 3 + 3) & ~std::size_t{3};
    if (bytes.size() < file.bfOffBits + row * static_cast<std::size_t>(info.biHeight))
        return pixels;
    pixels.width = info.biWidth;
    pixels.height = info.biHeight;
    for (int y = 0; y < pixels.height; ++y) {
        const auto* line = reinterpret_cast<const unsigned char*>(bytes.data()) + file.bfOffBits +
                           row * static_cast<std::size_t>(pixels.height - 1 - y);
        for (int x = 0; x < pixels.width; ++x)
            pixels.rgb.push_back(line[x * 3] | line[x * 3 + 1] << 8 | line[x * 3 + 2] << 16);
    }
    return pixels;
}

CPixels CaptureClient(HWND window, bool asDrawn)
{
    RECT client{};
    GetClientRect(window, &client);
    // The client area's left edge on the screen, also for a mirrored window (whose client
    // (0, 0) lies at the right).
    WINDOWINFO placed{};
    placed.cbSize = sizeof placed;
    GetWindowInfo(window, &placed);
    // The window's own context starts at its client area; the screen's where that lies.
    const HWND sourceWindow = asDrawn ? window : nullptr;
    const POINT origin = asDrawn ? POINT{0, 0} : POINT{placed.rcClient.left, placed.rcClient.top};
    CPixels pixels;
    pixels.width = client.right;
    pixels.height = client.bottom;
    if (pixels.width <= 0 || pixels.height <= 0)
        return CPixels{};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC source = GetDC(sourceWindow);
    const HDC memory = CreateCompatibleDC(source);
    const HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    // A mirrored window's context copies its pixels as they lie with its layout off.
    if (asDrawn)
        SetLayout(source, 0);
    BitBlt(memory, 0, 0, pixels.width, pixels.height, source, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* values = static_cast<const std::uint32_t*>(bits);
    pixels.rgb.assign(values, values + static_cast<std::size_t>(pixels.width) * pixels.height);
    for (std::uint32_t& value : pixels.rgb)
        value &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(sourceWindow, source);
    return pixels;
}

COLORREF ScreenPixel(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    const HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return color;
}

int DifferingPixels(const CPixels& a, const CPixels& b)
{
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size())
        return -1;
    int count = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i)
        count += a.rgb[i] != b.rgb[i] ? 1 : 0;
    return count;
}

std::string RectText(const RECT& rect)
{
    return std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " + std::to_string(rect.right) + ", " +
           std::to_string(rect.bottom);
}
