// Time of a page switch with its repaint: GoToPage to a page of 20 picture commands (texts
// of their own, the same places, fonts and pictures as the page before, as the pages of
// one disc mostly have), and the main window and every control painted, measured in the
// launcher's own window under the real message handling. Prints the median and the 90th
// percentile of 200 switches, and the medians of GoToPage alone and of the repaint alone.
#include "AutoRunStrings.h"
#include "AutoRunWindow.h"
#include "Bitmap.h"
#include "ControlClasses.h"
#include "Errors.h"
#include "LibraryStartup.h"
#include "PageRenderer.h"
#include "Quantile.h"
#include "Settings.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A picture of one colour, written as the launcher writes its renders.
void WritePicture(const std::wstring& path, int width, int height, std::uint32_t rgb)
{
    ZYR::CBitmap picture;
    auto* pixels = static_cast<std::uint32_t*>(picture.CreateDIBSection(width, height));
    std::fill(pixels, pixels + static_cast<std::size_t>(width) * height, rgb);
    CPageRenderer::WriteBitmapFile(TObj::CUnicodeString(path.c_str()), picture);
}

void WriteFile(const std::wstring& path, const std::string& bytes)
{
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string PageWithPictureCommands(const char* name, const char* target)
{
    std::string page = std::string("[") + name + "]\nBackground=page.bmp\nTitle=" + name +
                       "\nFontSize=12\nCommentRect=[420, 20, 780, 580]\nCommentDefault=Twenty commands\n";
    for (int n = 1; n <= 20; ++n) {
        const std::string prefix = "Command" + std::to_string(n) + "_";
        const int top = 10 + (n - 1) * 28;
        page += prefix + "Text=" + name + " command " + std::to_string(n) + "\n" + prefix + "Rect=[20, " +
                std::to_string(top) + ", 400, " + std::to_string(top + 24) + "]\n" + prefix + "Action=$" + target +
                "\n" + prefix + "BackgroundImage=button.bmp\n" + prefix + "BackgroundHoverImage=hover.bmp\n" + prefix +
                "Comment=Goes to " + target + "\n";
    }
    return page;
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

int main()
{
    TObj::ThreadErrorState().throwForbidden = false;
    if (!TObj::InitializeTalmoObjects())
        return 1;
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    const std::wstring folder = std::wstring(base) + L"autorun-switch-bench\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteFile(folder + L"Autorun.inf",
              PageWithPictureCommands("Main", "Other") + PageWithPictureCommands("Other", "Main"));

    std::vector<double> milliseconds, building, painting;
    try {
        WritePicture(folder + L"page.bmp", 800, 600, 0x1D4E89);
        WritePicture(folder + L"button.bmp", 380, 24, 0x336699);
        WritePicture(folder + L"hover.bmp", 380, 24, 0x6699CC);
        ControlClasses::Register();
        CSettings settings;
        CLoadEnvironment environment;
        environment.commandLine = TObj::CUnicodeString(u"Autorun.exe");
        environment.launcherFolder = TObj::CUnicodeString(folder.c_str());
        environment.isLanguageInstalled = [](int) { return true; };
        settings.Load(environment);
        CAutoRunWindow window;
        window.Create();
        ShowWindow(window.Handle(), SW_SHOW);
        UpdateWindow(window.Handle());
        Pump();
        const char16_t* pages[2] = {u"Other", u"Main"};
        for (int i = 0; i < 220; ++i) {
            const auto start = std::chrono::steady_clock::now();
            window.GoToPage(TObj::CUnicodeString(pages[i % 2]));
            const auto built = std::chrono::steady_clock::now();
            RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            GdiFlush();
            const auto end = std::chrono::steady_clock::now();
            Pump();
            if (i >= 20) { // the first switches warm the caches
                milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
                building.push_back(std::chrono::duration<double, std::milli>(built - start).count());
                painting.push_back(std::chrono::duration<double, std::milli>(end - built).count());
            }
        }
        window.DestroyWindow();
        Pump();
    } catch (TObj::CException* failure) {
        std::printf("failed: %s\n", failure->GetMessageText().ToUtf8().c_str());
        delete failure;
        return 1;
    }
    std::printf("switch_median_ms=%.2f\nswitch_p90_ms=%.2f\nswitch_build_median_ms=%.2f\nswitch_paint_median_ms=%.2f\n"
                "switch_count=%zu\n",
                Quantile(milliseconds, 0.5), Quantile(milliseconds, 0.9), Quantile(building, 0.5),
                Quantile(painting, 0.5), milliseconds.size());
    TObj::DeinitializeTalmoObjects();
    return 0;
}
