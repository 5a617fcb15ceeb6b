#include "Bitmap.h"
#include "Brush.h"
#include "Cursor.h"
#include "DC.h"
#include "Errors.h"
#include "ExpectThrows.h"
#include "Font.h"
#include "GdiGlobals.h"
#include "PictureDecoder.h"
#include "RecordingHandler.h"
#include "StretchedPictures.h"
#include "TempFolder.h"
#include "TestText.h"
#include "ThrowForbidden.h"
#include "ZyrFailure.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

using TObj::CUnicodeString;

namespace {

// A bottom-up 24-bit bitmap file; `pixel(x, y, color)` gives 0x00RRGGBB.
std::string MakeBitmapFile(int width, int height, std::uint32_t (*pixel)(int x, int y, std::uint32_t color),
                           std::uint32_t color)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + stride * height), 0, 0, 54};
    BITMAPINFOHEADER info{40, width, height, 1, 24, BI_RGB, static_cast<DWORD>(stride * height), 2835, 2835, 0, 0};
    std::string out(reinterpret_cast<const char*>(&file), sizeof file);
    out.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = pixel(x, y, color);
            row += {static_cast<char>(rgb & 0xFF), static_cast<char>((rgb >> 8) & 0xFF), static_cast<char>(rgb >> 16)};
        }
        row.resize(static_cast<std::size_t>(stride), '\0');
        out += row;
    }
    return out;
}

std::string SolidBitmapFile(int width, int height, std::uint32_t rgb)
{
    const auto solid = [](int, int, std::uint32_t color) { return color; };
    return MakeBitmapFile(width, height, solid, rgb);
}

const ZYR::CFailurePlace kPlace{u"CSettings::CReader::readCommandBackgroundImage", u"bitmap != 0", u"Settings", 400};

// A memory context with a screen-compatible bitmap, for drawing and reading pixels back.
struct CCanvas {
    CCanvas(int width, int height) : dc(nullptr)
    {
        const ZYR::CWindowDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(screen.Get(), width, height);
        select = std::make_unique<ZYR::CSelectObjectGuard>(dc.Get(), bitmap.Handle());
    }
    COLORREF At(int x, int y) const { return GetPixel(dc.Get(), x, y); }

    ZYR::CMemoryDC dc;
    ZYR::CBitmap bitmap;
    std::unique_ptr<ZYR::CSelectObjectGuard> select;
};

std::unique_ptr<TObj::CInternalError> LoadFailure(const CUnicodeString& path)
{
    try {
        ZYR::CBitmap bitmap;
        bitmap.LoadFromFile(path, kPlace);
    } catch (TObj::CInternalError* e) {
        return std::unique_ptr<TObj::CInternalError>(e);
    }
    return nullptr;
}

} // namespace

// A 2 x 2 picture stretched over 8 x 8 pixels keeps its quarters, and nothing outside the
// target changes; nor when a part of it is drawn at its own size.
TEST(Gdi, AStretchedPictureLandsOnTheRightPixels)
{
    const long before = ZYR::CGdiObject::LiveHandlesForTesting();
    {
        CCanvas canvas(16, 16);
        PatBlt(canvas.dc.Get(), 0, 0, 16, 16, BLACKNESS);
        CTempFolder folder;
        const auto quarters = [](int x, int y, std::uint32_t) {
            return static_cast<std::uint32_t>(x == 0 ? (y == 0 ? 0xFF0000 : 0x00FF00) : (y == 0 ? 0x0000FF : 0xFFFFFF));
        };
        const CUnicodeString path = folder.Write("quarters.bmp", MakeBitmapFile(2, 2, quarters, 0));
        ZYR::CBitmap picture;
        picture.LoadFromFile(path, kPlace);
        EXPECT_EQ(2, picture.Size().cx);
        ZYR::StretchBitmap(picture.Get(), canvas.dc.Get(), RECT{8, 8, 16, 16}, COLORONCOLOR);
        ZYR::StretchBitmap(picture.Get(), canvas.dc.Get(), RECT{0, 8, 2, 9}, RECT{0, 0, 2, 1}, COLORONCOLOR);
        const struct {
            int x, y;
            COLORREF colour;
        } points[] = {{9, 9, RGB(255, 0, 0)},  {14, 9, RGB(0, 0, 255)},
                      {9, 14, RGB(0, 255, 0)}, {15, 15, RGB(255, 255, 255)},
                      {7, 7, RGB(0, 0, 0)},    {1, 8, RGB(0, 0, 255)}, // its top row copied at its own size
                      {0, 9, RGB(0, 0, 0)}};
        for (const auto& point : points)
            EXPECT_EQ(point.colour, canvas.At(point.x, point.y)) << point.x << ", " << point.y;
        EXPECT_EQ(before + 2, ZYR::CGdiObject::LiveHandlesForTesting());
    }
    EXPECT_EQ(before, ZYR::CGdiObject::LiveHandlesForTesting());
}

// A picture kept stretched draws, on first use and from the copy, the pixels a stretch drawn
// directly would, also where the context shows only part of the stretch (Wine samples a
// stretch that is cut short at other points); and the pixels kept stay within the bound.
TEST(Gdi, AKeptStretchDrawsWhatAStretchDrawnDirectlyWould)
{
    CTempFolder folder;
    const auto checks = [](int x, int y, std::uint32_t) {
        return static_cast<std::uint32_t>((x / 2 + y / 2) % 2 == 0 ? 0xF0F0F0 : 0x3060A0);
    };
    const CUnicodeString path = folder.Write("checks.bmp", MakeBitmapFile(16, 8, checks, 0));
    auto picture = std::make_shared<ZYR::CBitmap>();
    picture->LoadFromFile(path, kPlace);
    const struct {
        RECT target, clip;
    } cases[] = {
        {{-1, -1, 41, 21}, {0, 0, 40, 20}}, // one pixel beyond each edge, as a command without border
        {{0, 0, 40, 20}, {0, 0, 48, 24}},   // all of it shown
        {{5, 3, 45, 23}, {10, 0, 30, 24}},  // a strip of it
        {{0, 0, 16, 8}, {0, 0, 48, 24}},    // its own size: copied
        {{4, 2, 44, 21}, {0, 0, 48, 24}},   // two more, and the first one kept goes
        {{2, 0, 41, 20}, {0, 0, 48, 24}},
        {{0, 0, 40, 21}, {0, 0, 48, 24}}, // more than a quarter of the bound: drawn, not kept
    };
    ZYR::CStretchedPictures kept(40 * 20 * 4);
    for (const auto& c : cases) {
        CCanvas direct(48, 24), drawn(48, 24);
        for (const CCanvas* canvas : {&direct, &drawn}) {
            PatBlt(canvas->dc.Get(), 0, 0, 48, 24, BLACKNESS);
            IntersectClipRect(canvas->dc.Get(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
        }
        ZYR::DrawPicture(*picture, direct.dc.Get(), c.target, HALFTONE);
        for (int time = 0; time < 2; ++time) {
            const long made = ZYR::CGdiObject::ObjectsMadeForTesting();
            kept.Draw(picture, drawn.dc.Get(), c.target, HALFTONE);
            if (time == 1) {
                EXPECT_EQ(made, ZYR::CGdiObject::ObjectsMadeForTesting()) << c.target.left; // drawn from the copy
            }
            int differing = 0;
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 48; ++x)
                    differing += direct.At(x, y) != drawn.At(x, y);
            EXPECT_EQ(0, differing) << c.target.left << ", " << c.target.top << " time " << time;
        }
        EXPECT_LE(kept.PixelsKept(), std::size_t{40 * 20 * 4});
    }
    EXPECT_EQ(std::size_t{40 * 20 + 20 * 20 + 40 * 19 + 39 * 20}, kept.PixelsKept());
}

// A system cursor is the system's own shared one, at the first load and every later one,
// each id its own.
TEST(Gdi, SystemCursorsAreTheSharedOnesOfTheirIds)
{
    const wchar_t* ids[] = {IDC_HAND, IDC_ARROW, IDC_IBEAM, IDC_WAIT, IDC_HAND, IDC_ARROW};
    for (const wchar_t* id : ids) {
        ZYR::CCursor cursor;
        cursor.LoadSystemCursor(id);
        EXPECT_EQ(LoadCursorW(nullptr, id), cursor.Get()) << reinterpret_cast<std::uintptr_t>(id);
    }
}

TEST(Gdi, FontsAndTextExtent)
{
    CCanvas canvas(8, 8);
    ZYR::CFont font;
    font.CreateFontW(-16, true, U("Tahoma"));
    EXPECT_EQ(-16, font.GetLogFont().lfHeight);
    EXPECT_TRUE(font.GetLogFont().lfUnderline);
    const ZYR::CSelectObjectGuard select(canvas.dc.Get(), font.Handle());
    EXPECT_EQ(2 * ZYR::GetTextExtent(canvas.dc.Get(), U("W")).cx, ZYR::GetTextExtent(canvas.dc.Get(), U("WW")).cx);
    struct Case {
        int angle, ascent, internalLeading, overhang, expected;
    } cases[] = {{0, 20, 4, 0, 0}, {0, 20, 4, 3, 3}, {-120, 20, 4, 0, 3}, {120, 20, 4, 0, -3}, {-450, 14, 4, 1, 11}};
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ZYR::SlantCorrection(c.angle, c.ascent, c.internalLeading, c.overhang)) << c.angle;
}

TEST(Gdi, SystemColourBrushesAreNeverDeleted)
{
    const long before = ZYR::CGdiObject::LiveHandlesForTesting();
    {
        ZYR::CBrush window;
        window.SetSystemColor(COLOR_WINDOW);
        EXPECT_EQ(reinterpret_cast<HBRUSH>(6), window.Get());
        EXPECT_EQ(before, ZYR::CGdiObject::LiveHandlesForTesting());
    }
    EXPECT_EQ(before, ZYR::CGdiObject::LiveHandlesForTesting());
}

TEST(Gdi, CreatingIntoAFullWrapperIsRefusedBeforeAnythingIsMade)
{
    ZYR::CFont font;
    font.CreateFontW(12, false, U("Tahoma"));
    const HGDIOBJ first = font.Handle();
    const long before = ZYR::CGdiObject::LiveHandlesForTesting();
    const long made = ZYR::CGdiObject::ObjectsMadeForTesting();
    ExpectThrows<TObj::CInternalError>([&] { font.CreateFontW(20, false, U("Tahoma")); },
                                       [](const TObj::CInternalError& e) {
                                           EXPECT_EQ(U("Internal program error:\ngdiobjectzyr, 28."),
                                                     e.GetMessageText());
                                       });
    EXPECT_EQ(first, font.Handle());
    EXPECT_EQ(before, ZYR::CGdiObject::LiveHandlesForTesting());
    EXPECT_EQ(made, ZYR::CGdiObject::ObjectsMadeForTesting()); // no object was made only to be orphaned
    // Where failures are shown rather than thrown, the program goes on and the wrapper keeps
    // its object too.
    CRecordingHandler recorder;
    {
        const CThrowForbidden forbidden;
        font.CreateFontW(20, false, U("Tahoma"));
    }
    EXPECT_EQ(1u, recorder.messages.size());
    EXPECT_EQ(first, font.Handle());
    EXPECT_EQ(made, ZYR::CGdiObject::ObjectsMadeForTesting());
}

TEST(Gdi, PictureFilesThatCannotBeLoadedNameThePlaceAndLeakNothing)
{
    CTempFolder folder;
    const long before = ZYR::CGdiObject::LiveHandlesForTesting();
    struct Case {
        const char* name;
        std::string bytes;
        std::uint32_t code;
    } cases[] = {
        {"text.bmp", "this is not a bitmap", 0},
        {"empty.bmp", "", 1006},
        {"huge.bmp", SolidBitmapFile(1, 1, 0).replace(18, 8, std::string("\x60\xEA\0\0\x60\xEA\0\0", 8)), 87},
    };
    for (const Case& c : cases) {
        const auto failure = LoadFailure(folder.Write(c.name, c.bytes));
        ASSERT_TRUE(failure) << c.name;
        EXPECT_EQ(TObj::kAssertionWithCode, failure->Kind());
        EXPECT_EQ(400, failure->Line());
        EXPECT_EQ(c.code, failure->Code()) << c.name;
    }
    const auto missing = LoadFailure(folder.Path("missing.bmp"));
    ASSERT_TRUE(missing);
    EXPECT_EQ(U("Internal program error:\nSettings, 400.\nError code: 0x2"), missing->GetMessageText());

    // A file cut short may load or fail, depending on the system; it leaks nothing either way.
    LoadFailure(folder.Write("short.bmp", SolidBitmapFile(100, 100, 0x123456).substr(0, 300)));
    EXPECT_EQ(before, ZYR::CGdiObject::LiveHandlesForTesting());
}

namespace {
void PrintShown(const CUnicodeString& text) { std::fprintf(stderr, "shown: %s\n", text.ToUtf8().c_str()); }
} // namespace

TEST(GdiDeathTest, ResourceExhaustionShowsOneMessageAndEndsWithItsCode)
{
    const char* shown =
        "shown: Not enough resources to run the application.\nPlease close some applications and try again.";
    struct Case {
        std::uint32_t code;
        int exitCode;
    } cases[] = {{ERROR_NOT_ENOUGH_MEMORY, 8}, {ERROR_OUTOFMEMORY, 14}};
    for (const Case& c : cases) {
        EXPECT_EXIT(
            {
                CRecordingHandler recorder;
                recorder.onShow = &PrintShown;
                ZYR::ReportFailedCall(u"ZYR::CFont::CreateFontW", u"font != 0", u"gdiobjectzyr", 209, c.code);
            },
            ::testing::ExitedWithCode(c.exitCode), shown);
    }
    // A stop without an error code still ends with a failure code, never with 0.
    EXPECT_EXIT(
        {
            CRecordingHandler recorder;
            ZYR::CSilentFailureScope silent;
            ZYR::ReportFailedCall(u"f", u"e", u"x", 1, 0);
        },
        ::testing::ExitedWithCode(14), "");
    // A second stop while the first one's message shows ends at once, without a second message.
    EXPECT_EXIT(
        {
            CRecordingHandler recorder;
            recorder.onShow = [](const CUnicodeString&) {
                static int shownBefore = 0;
                if (shownBefore++ > 0)
                    std::_Exit(99); // a second message
                ZYR::ResourceExhaustionStop(8);
            };
            ZYR::ResourceExhaustionStop(0);
        },
        ::testing::ExitedWithCode(8), "");
}

TEST(Gdi, QueriesOnAnEmptyOrDeadHandleNameTheWrapper)
{
    const ZYR::CFont empty;
    ExpectThrows<TObj::CInternalError>([&] { empty.GetLogFont(); },
                                       [](const TObj::CInternalError& e) {
                                           EXPECT_EQ(189, e.Line());
                                           EXPECT_EQ(TObj::kAssertionWithCode, e.Kind());
                                       });
    ExpectThrows<TObj::CInternalError>(
        [] {
            ZYR::StretchBitmap(reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x7777)), nullptr, RECT{0, 0, 1, 1},
                               HALFTONE);
        },
        [](const TObj::CInternalError& e) { EXPECT_EQ(233, e.Line()); });
    // So does a bitmap wider than the system makes any.
    ExpectThrows<TObj::CInternalError>([] { ZYR::CBitmap().CreateCompatibleBitmap(nullptr, 0x8000000, 1); },
                                       [](const TObj::CInternalError& e) { EXPECT_EQ(270, e.Line()); });
}

// The size a picture's header claims is read before the imaging component sees the file:
// under 32 bits, a PNG claiming 100,000 pixels a side made it ask for the whole picture's
// memory and fail as if the machine had run out.
TEST(Gdi, APicturesClaimedSizeIsReadFromItsHeader)
{
    const std::string png =
        std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + std::string("\0\x01\x86\xA0\0\0\x02\x01", 8);
    const std::string app0 = std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11) + std::string(9, '\0');
    const std::string frame = std::string("\xFF\xC0\0\x11\x08\x01\x2C\xFF\xFE", 9);
    const struct {
        const char* what;
        std::string bytes;
        bool told;
        unsigned width, height;
    } cases[] = {
        {"PNG", png, true, 100000, 513},
        {"PNG cut before its height", png.substr(0, 23), false, 0, 0},
        {"PNG without IHDR first", png.substr(0, 12) + "IDAT" + png.substr(16), false, 0, 0},
        {"JPEG, frame after APP0", app0 + frame, true, 65534, 300},
        {"JPEG, fill bytes before the frame", std::string("\xFF\xD8\xFF\xFF", 4) + frame.substr(1), true, 65534, 300},
        {"progressive JPEG", app0 + "\xFF\xC2" + frame.substr(2), true, 65534, 300},
        {"JPEG, a Huffman table is no frame", app0 + std::string("\xFF\xC4\0\x02", 4) + frame, true, 65534, 300},
        {"JPEG, frame cut short", app0 + frame.substr(0, 8), false, 0, 0},
        {"JPEG, no marker where one must be", app0 + "x" + frame, false, 0, 0},
        {"top-down bitmap",
         std::string("BM", 2) + std::string(12, '\0') + std::string("\x28\0\0\0\x2C\x01\0\0\xFF\xFD\xFF\xFF", 12), true,
         300, 513},
        {"bitmap of the oldest header",
         std::string("BM", 2) + std::string(12, '\0') + std::string("\x0C\0\0\0\x2C\x01\x01\x02\0\0\0\0", 12), true,
         300, 513},
        {"bitmap cut short", std::string("BM", 2) + std::string(20, '\0'), false, 0, 0},
        {"no picture", std::string(40, '\x7F'), false, 0, 0},
    };
    for (const auto& c : cases) {
        unsigned width = 0, height = 0;
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
        EXPECT_EQ(c.told, ZYR::CPictureDecoder::DeclaredSize(bytes, c.bytes.size(), width, height)) << c.what;
        if (c.told) {
            EXPECT_EQ(c.width * 100000ull + c.height, width * 100000ull + height) << c.what;
        }
    }
    EXPECT_TRUE(ZYR::CPictureDecoder::IsWithinLimits(32768, 2048));
    EXPECT_FALSE(ZYR::CPictureDecoder::IsWithinLimits(32768, 2049));
    EXPECT_FALSE(ZYR::CPictureDecoder::IsWithinLimits(32769, 1));
    EXPECT_FALSE(ZYR::CPictureDecoder::IsWithinLimits(0, 1));
}

// 32-bit pixels are premultiplied only when their alpha varies: all 255 is opaque, all 0 a
// bitmap that never meant alpha, and either is drawn as it is.
TEST(Gdi, OnlyPixelsWhoseAlphaVariesArePremultiplied)
{
    struct {
        std::vector<std::uint32_t> pixels, after;
        bool alpha;
    } pixels[] = {{{0xFF102030, 0xFF405060}, {0xFF102030, 0xFF405060}, false},
                  {{0x00102030, 0x00405060}, {0x00102030, 0x00405060}, false},
                  {{0x80FF0000, 0xFF405060}, {0x80800000, 0xFF405060}, true}};
    for (auto& c : pixels) {
        EXPECT_EQ(c.alpha, ZYR::CPictureDecoder::PremultiplyIfTransparent(c.pixels.data(), c.pixels.size()));
        EXPECT_EQ(c.after, c.pixels);
    }
}
