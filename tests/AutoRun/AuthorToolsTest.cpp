// The author's options of the real launcher: the check's report and exit code, the dry
// run's description instead of a started program, and rendered pages against the window.
#include "LauncherRun.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::string ReadBytes(const TObj::CUnicodeString& path)
{
    std::ifstream file(path.ToUtf8(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// 0x00RRGGBB per pixel, rows from the top.
struct CPixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
};

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
    if (info.biBitCount != 24 || info.biHeight <= 0)
        return pixels;
    pixels.width = info.biWidth;
    pixels.height = info.biHeight;
    const std::size_t row = (static_cast<std::size_t>(pixels.width) * 3 + 3) & ~std::size_t{3};
    if (bytes.size() < file.bfOffBits + row * pixels.height)
        return CPixels{};
    for (int y = 0; y < pixels.height; ++y) {
        const auto* line = reinterpret_cast<const unsigned char*>(bytes.data()) + file.bfOffBits + row * (pixels.height - 1 - y);
        for (int x = 0; x < pixels.width; ++x)
            pixels.rgb.push_back(line[x * 3] | line[x * 3 + 1] << 8 | line[x * 3 + 2] << 16);
    }
    return pixels;
}

CPixels CaptureClient(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    CPixels pixels;
    pixels.width = client.right;
    pixels.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* values = static_cast<const std::uint32_t*>(bits);
    pixels.rgb.assign(values, values + pixels.width * pixels.height);
    for (std::uint32_t& value : pixels.rgb)
        value &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
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

const char* kPageWithProblems =
    "[Main]\nBackgroundSize=[320, 200]\nBackgroundColor=00FF00\nTitle=Checked\nFontSize=12\n"
    "Command1_Text=Go\nCommand1_Rect=[10, 10, 200, 40]\nCommand1_Action=$Nowhere\n"
    "Command2_Txt=Typo\n";

} // namespace

TEST(AuthorTools, CheckReportsEachProblemAndEndsWithOne)
{
    CLauncherRun run;
    run.File("Autorun.inf", kPageWithProblems);
    ASSERT_TRUE(run.Start("--check"));
    EXPECT_EQ(1u, run.WaitForExit());
    EXPECT_EQ("Autorun.inf:8: [Main] Command1_Action: switches to the page \"Nowhere\", which this file does not have\r\n"
              "Autorun.inf:9: [Main] Command2_Txt: is not a known key; it is ignored (did you mean \"Command2_Text\"?)\r\n",
              run.Output());
}

TEST(AuthorTools, TheDemoDiscChecksCleanAndSilent)
{
    CLauncherRun run;
    run.DemoDisc();
    ASSERT_TRUE(run.Start("-check"));
    EXPECT_EQ(0u, run.WaitForExit());
    EXPECT_EQ("", run.Output());
}

TEST(AuthorTools, DryRunShowsTheRequestAndStartsNothing)
{
    CLauncherRun run;
    run.File("Autorun.inf", "[Main]\nBackgroundSize=[320, 200]\nBackgroundColor=0\nTitle=Dry\nFontSize=12\n"
                            "Command1_Text=Record\nCommand1_Rect=[10, 10, 200, 40]\n"
                            "Command1_Action=tools\\Record Args.exe\nCommand1_ActionParameters=\"a b\" & c\\\n")
        .Program("RecordArgs.exe", "tools\\Record Args.exe");
    ASSERT_TRUE(run.Start("--dry-run"));
    const HWND window = run.WaitForWindow(L"Dry");
    ASSERT_NE(nullptr, window) << run.Output();
    run.Press(L"Record");
    // The description is written when the click is handled; a recorder started by it would
    // have written its record by the time the window closes.
    TestSupport::WaitUntil([&run] { return run.Output().find("  folder: ") != std::string::npos; },
                           "the dry run's description");
    Sleep(500);
    EXPECT_EQ("", ReadBytes(run.Path("tools\\record.txt"))); // the recorder never ran
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run.WaitForExit());
    std::string folder = run.Path().ToUtf8();
    folder.pop_back();
    EXPECT_EQ("Dry run: the launcher would ask the shell to\r\n  verb: open\r\n  file: " +
                  run.Path("tools\\Record Args.exe").ToUtf8() + "\r\n  parameters: \"a b\" & c\\\r\n  folder: " + folder +
                  "\r\n",
              run.Output());
}

TEST(AuthorTools, RenderedPagesMatchTheLiveWindowOfTheDemo)
{
    SetCursorPos(0, 0); // a pointer over a command would show its hover state
    CLauncherRun run;
    run.DemoDisc();
    ASSERT_TRUE(run.Start("--render:rendered"));
    ASSERT_EQ(0u, run.WaitForExit()) << run.Output();
    for (const char* name : {"Main.bmp", "Main_Command2_hover.bmp", "Main_Command2_focus.bmp", "Main_Command6_focus.bmp",
                             "Docs.bmp"})
        EXPECT_GT(ReadBitmapFile(run.Path("rendered\\") + U(name)).width, 0) << name;
    EXPECT_NE(ReadBitmapFile(run.Path("rendered\\Main.bmp")).rgb,
              ReadBitmapFile(run.Path("rendered\\Main_Command2_hover.bmp")).rgb);

    CLauncherRun live;
    live.DemoDisc();
    ASSERT_TRUE(live.Start());
    const HWND window = live.WaitForWindow(L"Orvex Studio 2.1 Setup");
    ASSERT_NE(nullptr, window) << live.Output();
    // The window may still be painting: its pixels are compared until they agree or the
    // deadline passes.
    const auto expectSame = [window](const CPixels& rendered, const char* page) {
        int differing = -1;
        TestSupport::WaitUntil([&] { return (differing = DifferingPixels(rendered, CaptureClient(window))) == 0; },
                               std::string("the live ") + page + " page equal to its render");
        EXPECT_EQ(0, differing) << page;
    };
    expectSame(ReadBitmapFile(run.Path("rendered\\Main.bmp")), "Main");
    live.Press(L"Documentation");
    ASSERT_NE(nullptr, live.WaitForWindow(L"Orvex Studio 2.1 Documentation"));
    expectSame(ReadBitmapFile(run.Path("rendered\\Docs.bmp")), "Docs");
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, live.WaitForExit());
}
