// PageRenderer.h
// Holds CPageRenderer, which writes what the main window shows as picture files (bitmaps or
// PNG): every page of the loaded settings as it first appears, and with each command
// hovered, pressed and focused, each captured from the window's own drawing (not the
// screen, which may be covered). Files are named "<page>.bmp", "<page>_Command<N>_hover.bmp",
// "<page>_Command<N>_pressed.bmp" and "<page>_Command<N>_focus.bmp" (or ".png"), with
// characters that a file name cannot hold replaced by "_", and written in that order.
#pragma once

#include "Bitmap.h"
#include "LauncherOptions.h"
#include "UnicodeString.h"

#include <windows.h>

#include <vector>

class CAutoRunWindow;
class CSettings;

class CPageRenderer {
public:
    using EFormat = CLauncherOptions::EPictureFormat;

    CPageRenderer(CAutoRunWindow& window, const TObj::CUnicodeString& folder, EFormat format = EFormat::Bitmap)
        : m_window(window), m_folder(folder), m_format(format)
    {}

    // The files written, in order.
    std::vector<TObj::CUnicodeString> RenderAll(const CSettings& settings);

    // The window's client area with its child controls, drawn into a 24-bit picture.
    static void Capture(HWND window, ZYR::CBitmap& picture);
    static void WriteBitmapFile(const TObj::CUnicodeString& path, const ZYR::CBitmap& picture);
    static void WritePngFile(const TObj::CUnicodeString& path, const ZYR::CBitmap& picture);
    static TObj::CUnicodeString FileNameFor(const TObj::CUnicodeString& page, const TObj::CUnicodeString& suffix,
                                            EFormat format = EFormat::Bitmap);

private:
    TObj::CUnicodeString save(const TObj::CUnicodeString& page, const TObj::CUnicodeString& suffix);

    CAutoRunWindow& m_window;
    TObj::CUnicodeString m_folder;
    EFormat m_format;
};
