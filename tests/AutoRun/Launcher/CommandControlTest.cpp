// The command control on a page shown in this process, driven by the real pointer and
// keyboard: its states and the comment, clicks, focus, tooltip and accessibility roles,
// and a soak of page switches and hover changes.
#include "Bitmap.h"
#include "Deadline.h"
#include "GdiObject.h"
#include "LauncherRun.h"
#include "PageRenderer.h"
#include "PageWatch.h"
#include "Pixels.h"
#include "RecordingHandler.h"
#include "ShownPage.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using TObj::CUnicodeString;

namespace {

// The page most of these tests show: two commands and a label, and a second page.
const std::string kControlsPage = SourceText("tests/data/controls-page.ini");

// The window's client area as the renders draw it.
CPixels Rendered(HWND window)
{
    ZYR::CBitmap picture;
    CPageRenderer::Capture(window, picture);
    CTempFolder folder;
    const CUnicodeString path = folder.Path("page.bmp");
    CPageRenderer::WriteBitmapFile(path, picture);
    return ReadBitmapFile(path);
}

} // namespace

// The first frame is drawn by the window before its controls have windows: it shows the
// page as it is once they have them, overlapping controls and mirrored pages alike.
TEST(CommandControl, TheFirstFrameIsThePageItsControlsMake)
{
    const std::string page = SourceText("tests/data/first-frame-page.ini");
    const std::string picture = ReadBytes(SourcePath("tests\\data\\discs\\check-clean-disc\\back.bmp"));
    SetCursorPos(0, 0);
    for (const char* arguments : {"-l:0", "-l:61"}) {
        CShownPage shown(page, arguments, {{"b.bmp", picture}}, false);
        const HWND window = shown.window.Handle();
        UpdateWindow(window);
        EXPECT_TRUE(shown.Controls().empty()) << arguments;
        const CPixels first = CaptureClient(window, true);
        TestSupport::PumpMessages();
        EXPECT_EQ(2u, shown.Controls().size()) << arguments;
        EXPECT_EQ(0, DifferingPixels(Rendered(window), first)) << arguments;
        // Shown again, with its label made anew: the window's paint draws the controls, and
        // they do not paint themselves over it once more.
        shown.window.GoToPage(CUnicodeString(u"Main"));
        TestSupport::PumpMessages();
        const CPixels rendered = Rendered(window);
        int differing = -1;
        TestSupport::WaitUntil([&] { return (differing = DifferingPixels(rendered, CaptureClient(window))) == 0; },
                               std::string("the page shown again equal to its render with ") + arguments);
        EXPECT_EQ(0, differing) << arguments;
    }
}

TEST(CommandControl, StatesCommentsAndClicksWithTheRealPointer)
{
    CRecordingHandler recorder;
    CShownPage page(kControlsPage);
    ASSERT_EQ(2u, page.Controls().size());
    page.MoveTo(250, 120); // nowhere
    TestSupport::PumpFor(200);
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
    EXPECT_TRUE(Until([&] { return page.Pixel(140, 45) == red; }, "the normal colour"));
    EXPECT_EQ(U("default comment"), page.window.CommentTextForTesting());

    page.MoveTo(100, 30); // onto the first command: hovered
    EXPECT_TRUE(Until([&] { return page.Pixel(140, 45) == green; }, "the hover colour"));
    EXPECT_EQ(U("first comment"), page.window.CommentTextForTesting());

    MouseButton(MOUSEEVENTF_LEFTDOWN); // pressed
    EXPECT_TRUE(Until([&] { return page.Pixel(140, 45) == blue; }, "the click colour"));
    page.MoveTo(250, 120); // dragged off while held: no longer hovered, still pressed
    EXPECT_TRUE(
        Until([&] { return page.window.CommentTextForTesting() == U("default comment"); }, "the default comment"));
    MouseButton(MOUSEEVENTF_LEFTUP); // released outside: nothing runs
    TestSupport::PumpFor(200);
    EXPECT_EQ(U("Main"), page.window.CurrentPage()->name);
    EXPECT_EQ(nullptr, GetCapture());

    page.MoveTo(130, 45); // away from the last press, or the next one is a double click
    Until([&] { return page.window.CommentTextForTesting() == U("first comment"); }, "the first command's comment");
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP); // a full click runs the action
    EXPECT_TRUE(Until([&] { return page.window.CurrentPage()->name == U("Second"); }, "the page Second"));
    EXPECT_EQ(nullptr, GetCapture());
    // The pointer rests on the new page's command: hovered without a move.
    EXPECT_TRUE(Until([&] { return page.window.CommandControlAt(0)->IsHovered(); }, "the hover after the switch"));
    // Within the switch itself, or its first frame shows the command untouched until the
    // window manager's own move arrives.
    page.window.GoToPage(U("Second"));
    EXPECT_TRUE(page.window.CommandControlAt(0)->IsHovered());
    EXPECT_TRUE(recorder.messages.empty());
}

namespace {

std::vector<std::pair<DWORD, HWND>> g_heard; // the accessibility events of client areas

void CALLBACK HearEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD)
{
    if (object == OBJID_CLIENT)
        g_heard.emplace_back(event, window);
}

bool Heard(DWORD event, HWND window)
{
    return std::find(g_heard.begin(), g_heard.end(), std::make_pair(event, window)) != g_heard.end();
}

} // namespace

// What a screen reader follows and does: the focus, the hover and a new page raise the
// events it listens to, and its default action on a button, BM_CLICK, runs a command as a
// click does; a label is no button.
TEST(CommandControl, ScreenReadersFollowFocusHoverAndPageAndClick)
{
    g_heard.clear();
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, HearEvent,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    CShownPage page(kControlsPage);
    page.MoveTo(250, 120);
    const std::vector<CCommandControl*> controls = page.Controls();
    controls[1]->SetFocus();
    EXPECT_TRUE(Until([&] { return Heard(EVENT_OBJECT_FOCUS, controls[1]->Handle()); }, "the focus event"));
    page.MoveTo(100, 30);
    EXPECT_TRUE(Until([&] { return Heard(EVENT_OBJECT_SELECTION, controls[0]->Handle()); }, "the hover's event"));
    page.MoveTo(250, 120);
    SendMessageW(page.Child(L"Label"), BM_CLICK, 0, 0);
    EXPECT_EQ(U("Main"), page.window.CurrentPage()->name);
    page.window.SetFocus();    // as after a switch by the pointer: the focus stays where it is
    TestSupport::PumpFor(100); // the focus events it raised are heard before the switch
    g_heard.clear();
    SendMessageW(controls[0]->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(U("Second"), page.window.CurrentPage()->name);
    EXPECT_TRUE(Until([&] { return Heard(EVENT_OBJECT_FOCUS, page.window.Handle()); }, "the new page's event"));
    UnhookWinEvent(hook);
}

namespace {

// A screen reader's client: the accessible object of a control's client area, asked in this
// process, as Wine's oleacc hands none across processes.
struct CAccessible {
    explicit CAccessible(HWND control)
    {
        EXPECT_EQ(S_OK, AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&object)));
    }
    ~CAccessible()
    {
        if (object != nullptr)
            object->Release();
    }
    CAccessible(const CAccessible&) = delete;
    CAccessible& operator=(const CAccessible&) = delete;

    static VARIANT Self()
    {
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        return self;
    }
    // The answer of one of the text questions, or "-" for none.
    std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*question)(VARIANT, BSTR*)) const
    {
        BSTR text = nullptr;
        const HRESULT asked = (object->*question)(Self(), &text);
        const std::string said = asked == S_OK && text != nullptr ? CUnicodeString(text).ToUtf8() : "-";
        SysFreeString(text);
        return said;
    }
    // name | role | states | description | default action
    std::string Row() const
    {
        if (object == nullptr)
            return "no object";
        VARIANT role, state;
        VariantInit(&role);
        VariantInit(&state);
        std::string row = Text(&IAccessible::get_accName) + " | ";
        wchar_t text[64] = {0};
        row += object->get_accRole(Self(), &role) == S_OK && GetRoleTextW(static_cast<DWORD>(role.lVal), text, 64) > 0
                   ? CUnicodeString(text).ToUtf8()
                   : "?";
        row += " |";
        if (object->get_accState(Self(), &state) == S_OK)
            for (DWORD bit = 1; bit != 0; bit <<= 1)
                if ((static_cast<DWORD>(state.lVal) & bit) != 0 && GetStateTextW(bit, text, 64) > 0)
                    row += " " + CUnicodeString(text).ToUtf8();
        row += " | " + Text(&IAccessible::get_accDescription);
        return row + " | " + Text(&IAccessible::get_accDefaultAction);
    }

    IAccessible* object = nullptr; // owned: one reference
};

BOOL CALLBACK CollectChild(HWND child, LPARAM children)
{
    reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
    return TRUE;
}

// A row for each control of the page, from the top of the page down.
std::string AccessibleTable(const CShownPage& page)
{
    std::vector<HWND> children;
    EnumChildWindows(page.window.Handle(), CollectChild, reinterpret_cast<LPARAM>(&children));
    std::sort(children.begin(), children.end(), [](HWND a, HWND b) {
        RECT first, second;
        GetWindowRect(a, &first);
        GetWindowRect(b, &second);
        return std::make_pair(first.top, first.left) < std::make_pair(second.top, second.left);
    });
    std::string table;
    for (const HWND child : children)
        table += CAccessible(child).Row() + "\n";
    return table;
}

} // namespace

// What a screen reader hears of the demo's main page and does there: each command's text,
// role, state, comment, action and place on the screen; the focus and the hover in the
// state; the action run as a click; an unusable command heard as such and not run; an
// object that outlives its control.
TEST(CommandControl, AScreenReaderHearsAndPressesTheDemosCommands)
{
    {
        CShownPage demo(SourcePath("demo\\"), "-l:0");
        demo.MoveTo(590, 5);
        TestSupport::PumpFor(100);
        SetFocus(demo.window.Handle());
        EXPECT_EQ(SourceText("tests/data/accessible-demo.txt"), AccessibleTable(demo));

        const std::vector<CCommandControl*> controls = demo.Controls();
        ASSERT_EQ(5u, controls.size());
        CAccessible documentation(controls[1]->Handle());
        controls[1]->SetFocus();
        demo.MoveTo(150, 130); // over Install
        EXPECT_TRUE(Until([&] { return controls[0]->IsHovered(); }, "the hover"));
        EXPECT_EQ("Documentation | push button | focused focusable | Read the release notes and the licence before you "
                  "install. | Press",
                  documentation.Row());
        EXPECT_EQ("Install Orvex Studio | push button | hot tracked focusable | Installs Orvex Studio 2.1 on this "
                  "computer.\nOn 64-bit Windows the 64-bit edition is installed. | Press",
                  CAccessible(controls[0]->Handle()).Row());
        // A magnifier follows the focus to where the command is on the screen.
        RECT shown{};
        GetWindowRect(controls[1]->Handle(), &shown);
        long left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(S_OK, documentation.object->accLocation(&left, &top, &width, &height, CAccessible::Self()));
        EXPECT_EQ((std::vector<long>{shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top}),
                  (std::vector<long>{left, top, width, height}));
        // The action comes after the client's call, as a click.
        EXPECT_EQ(S_OK, documentation.object->accDoDefaultAction(CAccessible::Self()));
        EXPECT_EQ(U("Main"), demo.window.CurrentPage()->name);
        EXPECT_TRUE(Until([&] { return demo.window.CurrentPage()->name == U("Docs"); }, "the Docs page"));
        demo.window.DestroyWindow();
        BSTR name = nullptr;
        EXPECT_EQ(RPC_E_DISCONNECTED, documentation.object->get_accName(CAccessible::Self(), &name));
        EXPECT_EQ(RPC_E_DISCONNECTED, documentation.object->accDoDefaultAction(CAccessible::Self()));
        VARIANT reached;
        EXPECT_EQ(RPC_E_DISCONNECTED, documentation.object->accNavigate(NAVDIR_NEXT, CAccessible::Self(), &reached));
        EXPECT_EQ(RPC_E_DISCONNECTED,
                  documentation.object->accLocation(&left, &top, &width, &height, CAccessible::Self()));
        EXPECT_EQ((std::vector<long>{0, 0, 0, 0}), (std::vector<long>{left, top, width, height}))
            << "a place it could not give";
    }
    CShownPage page(SourceText("tests/data/unusable-command-page.ini"));
    ASSERT_EQ(1u, page.Controls().size());
    CAccessible unusable(page.Controls()[0]->Handle());
    EXPECT_EQ("Not here | push button | unavailable | Needs what is missing. | Press", unusable.Row());
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, unusable.object->accDoDefaultAction(CAccessible::Self()));
    // A client told of no type information asks for none.
    UINT typeInfos = 1;
    EXPECT_EQ(S_OK, unusable.object->GetTypeInfoCount(&typeInfos));
    EXPECT_EQ(0u, typeInfos);
    TestSupport::PumpFor(100);
    EXPECT_NE(nullptr, page.window.Handle()); // not closed
}

namespace {

std::string Answer(HRESULT asked, const std::string& with)
{
    const std::pair<HRESULT, const char*> names[] = {{S_OK, "S_OK"},
                                                     {S_FALSE, "S_FALSE"},
                                                     {E_INVALIDARG, "E_INVALIDARG"},
                                                     {RPC_E_DISCONNECTED, "RPC_E_DISCONNECTED"}};
    std::string name = "other";
    for (const auto& known : names)
        if (known.first == asked)
            name = known.second;
    return name + " " + with + "\n";
}
std::string Of(BSTR text)
{
    const std::string said = text == nullptr ? "none" : CUnicodeString(text).ToUtf8();
    SysFreeString(text);
    return said;
}
std::string Of(const VARIANT& value)
{
    return value.vt == VT_EMPTY ? "empty" : value.vt == VT_I4 ? std::to_string(value.lVal) : "other";
}
std::string Of(IDispatch* object)
{
    if (object == nullptr)
        return "none";
    object->Release();
    return "an object";
}

// The questions of a screen reader the demo's table does not ask, in one order, each with
// what came with its answer, read once the question is answered.
std::string OtherAnswers(IAccessible* command, POINT inside)
{
    const VARIANT self = CAccessible::Self();
    VARIANT child = self, answer = self;
    child.lVal = 1;
    answer.lVal = 99; // what a question that leaves its answer alone shows
    BSTR text = nullptr;
    long number = -1;
    IDispatch* object = nullptr;
    std::string said;
    const auto ask = [&said](const char* question, HRESULT asked, const std::function<std::string()>& with) {
        said += question + (": " + Answer(asked, with()));
    };
    const auto textAnswer = [&text] { return Of(std::exchange(text, nullptr)); };
    const auto variantAnswer = [&answer] { return Of(answer); };
    const auto objectAnswer = [&object] { return Of(std::exchange(object, nullptr)); };
    ask("parent", command->get_accParent(&object), objectAnswer);
    ask("children", command->get_accChildCount(&number), [&number] { return std::to_string(number); });
    ask("child 1", command->get_accChild(child, &object), objectAnswer);
    ask("name of child 1", command->get_accName(child, &text), textAnswer);
    ask("value", command->get_accValue(self, &text), textAnswer);
    ask("help", command->get_accHelp(self, &text), textAnswer);
    ask("help topic", command->get_accHelpTopic(&text, self, &number),
        [&] { return textAnswer() + " " + std::to_string(number); });
    ask("shortcut", command->get_accKeyboardShortcut(self, &text), textAnswer);
    ask("selection", command->get_accSelection(&answer), variantAnswer);
    ask("hit inside", command->accHitTest(inside.x, inside.y, &answer), variantAnswer);
    ask("hit outside", command->accHitTest(inside.x + 1000, inside.y, &answer), variantAnswer);
    ask("focus", command->get_accFocus(&answer), variantAnswer);
    ask("select it", command->accSelect(SELFLAG_TAKESELECTION, self), [] { return std::string(); });
    ask("take the focus", command->accSelect(SELFLAG_TAKEFOCUS, self), [] { return std::string(); });
    ask("focus", command->get_accFocus(&answer), variantAnswer);
    return said;
}

} // namespace

// What a command answers to the rest of IAccessible: nothing to give is S_FALSE with an empty
// answer, a child it does not have is E_INVALIDARG, and a command that has gone is
// RPC_E_DISCONNECTED with every answer empty, so a screen reader never acts on a stale one.
TEST(CommandControl, AScreenReadersOtherQuestionsAreAnsweredAsIAccessibleHasIt)
{
    CShownPage page(kControlsPage);
    const std::vector<CCommandControl*> controls = page.Controls();
    ASSERT_EQ(2u, controls.size());
    controls[1]->SetFocus();
    RECT shown{};
    GetWindowRect(controls[0]->Handle(), &shown);
    const POINT inside{(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2};
    CAccessible first(controls[0]->Handle());
    ASSERT_NE(nullptr, first.object);
    // The answers of the command shown, a blank line, and those of the command gone.
    const std::string answers = SourceText("tests/data/accessible-answers.txt");
    const std::size_t gone = answers.find("\n\n") + 1;
    EXPECT_EQ(answers.substr(0, gone), OtherAnswers(first.object, inside));
    EXPECT_EQ(controls[0]->Handle(), GetFocus());
    page.window.DestroyWindow();
    EXPECT_EQ(answers.substr(gone + 1), OtherAnswers(first.object, inside));
}

TEST(CommandControl, KeyboardFocusTabAndEnter)
{
    CRecordingHandler recorder;
    CShownPage page(kControlsPage);
    page.MoveTo(250, 120); // no command hovered, or focus would not change the comment
    ASSERT_TRUE(
        Until([&] { return page.window.CommentTextForTesting() == U("default comment"); }, "the default comment"));
    const std::vector<CCommandControl*> controls = page.Controls();
    ASSERT_EQ(2u, controls.size());
    // From the window itself, as right after the start, the keys that go back focus the last command.
    const WORD back[][2] = {{VK_LEFT, 0}, {VK_TAB, VK_SHIFT}, {VK_UP, 0}};
    for (const auto& key : back) {
        SetFocus(page.window.Handle());
        PressKey(key[0], key[1]);
        EXPECT_TRUE(Until([&] { return GetFocus() == controls[1]->Handle(); },
                          "the focus on the last command after key " + std::to_string(key[0])));
    }
    EXPECT_EQ(U("other comment"), page.window.CommentTextForTesting());
    PressKey(VK_TAB);
    EXPECT_TRUE(Until([&] { return GetFocus() == controls[0]->Handle(); }, "the focus on the first command"));
    EXPECT_EQ(U("first comment"), page.window.CommentTextForTesting());
    // The arrow keys move among the commands in order, round the end, past the label.
    const struct {
        WORD key;
        int focused;
    } arrows[] = {{VK_DOWN, 1}, {VK_DOWN, 0}, {VK_UP, 1}, {VK_RIGHT, 0}, {VK_LEFT, 1}, {VK_RIGHT, 0}};
    for (const auto& arrow : arrows) {
        PressKey(arrow.key);
        EXPECT_TRUE(Until([&] { return GetFocus() == controls[arrow.focused]->Handle(); },
                          "the focus on command " + std::to_string(arrow.focused + 1) + " after key " +
                              std::to_string(arrow.key)));
    }
    // Only its own controls take the focus, whatever window a message names (a frame's
    // maximize box is the bit a control's tab stop is).
    const HWND foreign = CreateWindowExW(0, L"STATIC", L"Foreign", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                                         nullptr, nullptr);
    ShowWindow(foreign, SW_SHOWNOACTIVATE);
    page.window.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(foreign), TRUE);
    EXPECT_EQ(controls[0]->Handle(), GetFocus());
    DestroyWindow(foreign);
    PressKey(VK_SPACE);
    EXPECT_TRUE(Until([&] { return page.window.CurrentPage()->name == U("Second"); }, "the page Second"));
    EXPECT_TRUE(recorder.messages.empty());
}

// The leave notice of a command comes after the pointer's first move onto the next one,
// and while the button is held it comes too.
TEST(CommandControl, ALateLeaveNoticeTakesNeitherHoverNorPressFromTheCommandsThatHaveThem)
{
    CRecordingHandler recorder;
    CShownPage page(kControlsPage);
    page.MoveTo(250, 120);
    const std::vector<CCommandControl*> controls = page.Controls();
    const HWND first = controls[0]->Handle(), other = controls[1]->Handle();
    SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(other, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); // straight onto the other command
    SendMessageW(first, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(controls[1]->IsHovered());
    EXPECT_EQ(U("other comment"), page.window.CommentTextForTesting());

    SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(first, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(first, WM_MOUSELEAVE, 0, 0); // dragged off while held
    EXPECT_TRUE(controls[0]->IsPressed());
    SendMessageW(first, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6)); // and back
    EXPECT_TRUE(controls[0]->IsPressed() && controls[0]->IsHovered());

    page.MoveTo(80, 80); // the pointer itself onto the other command, where the release finds it
    SendMessageW(other, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(first, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); // released on the other: nothing
    SendMessageW(first, WM_MOUSELEAVE, 0, 0);
    SendMessageW(other, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); // nor does a release no press on it began
    EXPECT_EQ(U("Main"), page.window.CurrentPage()->name);
    SendMessageW(other, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(other, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(Until([&] { return page.window.CurrentPage()->name == U("Second"); }, "the page Second"));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(CommandControl, TooltipAndAccessibilityRoles)
{
    CRecordingHandler recorder;
    CShownPage page(kControlsPage);
    const std::vector<CCommandControl*> controls = page.Controls();
    ASSERT_EQ(2u, controls.size());
    EXPECT_EQ(65538,
              SendMessageW(controls[0]->Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_QUERYCLASSNAMEIDX)));
    const HWND label = page.Child(L"Label");
    ASSERT_NE(nullptr, label);
    EXPECT_EQ(65539, SendMessageW(label, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_QUERYCLASSNAMEIDX)));
    EXPECT_EQ(DLGC_STATIC, SendMessageW(label, WM_GETDLGCODE, 0, 0));

    // Tooltip windows are made on the first hover or focus, and only for a Tooltip text.
    EXPECT_EQ(nullptr, controls[0]->ToolTipForTesting().Handle());
    page.MoveTo(60, 75);
    controls[1]->SetFocus();
    TestSupport::PumpFor(100);
    EXPECT_EQ(nullptr, controls[1]->ToolTipForTesting().Handle()); // no Tooltip: no window
    // Resting on the command brings up its tooltip with its text, the first time too.
    page.MoveTo(60, 25);
    EXPECT_TRUE(Until([&] { return controls[0]->ToolTipForTesting().Handle() != nullptr; }, "the tooltip made"));
    const HWND tooltip = controls[0]->ToolTipForTesting().Handle();
    EXPECT_TRUE(Until([&] { return IsWindowVisible(tooltip) != FALSE; }, "the tooltip on the first hover"));
    wchar_t text[64] = {0};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.hwnd = controls[0]->Handle();
    info.uId = reinterpret_cast<UINT_PTR>(controls[0]->Handle());
    info.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(CUnicodeString(u"Tip text"), CUnicodeString(text));
    // The tooltip keeps its own copy of the text it was given, which its tool points at.
    EXPECT_EQ(1u, controls[0]->ToolTipForTesting().StoredTextCountForTesting());
    page.MoveTo(250, 120);
    EXPECT_TRUE(Until([&] { return IsWindowVisible(tooltip) == FALSE; }, "the tooltip hidden when the pointer left"));
    page.MoveTo(60, 25);
    EXPECT_TRUE(Until([&] { return IsWindowVisible(tooltip) != FALSE; }, "the tooltip on a later hover"));
}

// A page switch keeps command controls and gives them the new page's commands; each is
// then what a fresh control for its command would be.
TEST(CommandControl, AKeptControlIsWhatAFreshOneForItsNewCommandWouldBe)
{
    CRecordingHandler recorder;
    CShownPage page(kControlsPage);
    page.MoveTo(250, 120);
    CCommandControl* first = page.Controls()[0];
    const HWND handle = first->Handle();
    SendMessageW(handle, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));            // hovered, its tooltip made
    SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); // and pressed
    ASSERT_NE(nullptr, first->ToolTipForTesting().Handle());
    page.window.GoToPage(U("Second"));
    ASSERT_EQ(1u, page.Controls().size());
    EXPECT_EQ(handle, page.Controls()[0]->Handle()); // kept
    EXPECT_EQ(U("Back"), first->Settings().text);
    EXPECT_FALSE(first->IsHovered() || first->IsPressed());
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(nullptr, first->ToolTipForTesting().Handle()); // "Back" has no Tooltip
    wchar_t text[16] = {0};
    GetWindowTextW(handle, text, 16);
    EXPECT_EQ(CUnicodeString(u"Back"), CUnicodeString(text));
    RECT placed{};
    GetWindowRect(handle, &placed);
    MapWindowPoints(nullptr, page.window.Handle(), reinterpret_cast<POINT*>(&placed), 2);
    // moved, though only its bottom differs from the first command's
    EXPECT_TRUE(placed.left == 10 && placed.top == 10 && placed.right == 150 && placed.bottom == 60);
    SetCursor(nullptr);
    page.window.GoBack(true); // and back: the second command and the label are made again
    EXPECT_EQ(2u, page.Controls().size());
    EXPECT_NE(nullptr, page.Child(L"Label"));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), GetCursor()); // a label made shows the arrow
    EXPECT_TRUE(recorder.messages.empty());
}

// It draws as a fresh one does: its font, colours and place are those of the new command,
// also when its font differs from the old one's only in its size (the hint's size stays)
// or only in the underline.
TEST(CommandControl, AKeptControlDrawsAsAFreshOneForItsNewCommand)
{
    SetCursorPos(0, 0);
    std::string underlined(kControlsPage);
    underlined.replace(underlined.find("FontSize=16"), 11, "FontSize=12\nFontUnderlined=1");
    for (const std::string& pages : {kControlsPage, underlined}) {
        CPixels switched;
        {
            CShownPage page(pages);
            page.window.GoToPage(U("Second"));
            switched = Rendered(page.window.Handle());
        }
        // The same page, as the start page of a disc of its own.
        CShownPage fresh("[Main]" + pages.substr(pages.find("[Second]") + 8));
        EXPECT_EQ(0, DifferingPixels(Rendered(fresh.window.Handle()), switched)) << pages;
    }
}

// A command drawn again alone, as a hover draws it, shows on the screen what its render
// shows, in a left-to-right and in a right-to-left window.
TEST(CommandControl, AHoveredCommandOnTheScreenIsItsRender)
{
    for (const char* arguments : {"-l:0", "-l:61"}) {
        CShownPage page(kControlsPage, arguments);
        CCommandControl* other = page.Controls()[1];
        page.MoveTo(70, 80); // the real pointer over "Other", mirrored with the window
        ASSERT_TRUE(Until([&] { return other->IsHovered(); }, std::string("the hover with ") + arguments));
        const CPixels rendered = Rendered(page.window.Handle());
        int differing = -1;
        TestSupport::WaitUntil(
            [&] { return (differing = DifferingPixels(rendered, CaptureClient(page.window.Handle()))) == 0; },
            std::string("the screen equal to the render with ") + arguments);
        EXPECT_EQ(0, differing) << arguments;
    }
}

// The pictures kept stretched for the commands stay within the launcher's bound of 2 Mi
// pixels (8 MB): four pages of four commands of 175,000 pixels, each with a picture of its
// own, would keep 2.8 M pixels.
TEST(CommandControl, StretchedPicturesStayWithinTheirBound)
{
    const std::string picture = ReadBytes(SourcePath("tests\\data\\discs\\check-clean-disc\\back.bmp"));
    const char* const names[] = {"Main", "P2", "P3", "P4"};
    std::string text;
    // A picture of its own for every command: the same picture at the same size is kept once.
    std::vector<std::string> pictureNames;
    for (const std::string name : names) {
        text += "[" + name + "]\nBackgroundSize=[1000, 700]\nBackgroundColor=FFFFFF\nTitle=" + name + "\n";
        for (int i = 0; i < 4; ++i) {
            const std::string key = "Command" + std::to_string(i + 1) + "_";
            pictureNames.push_back(name + std::to_string(i) + ".bmp");
            text += key + "Rect=[" + std::to_string(i % 2 * 500) + ", " + std::to_string(i / 2 * 350) + ", " +
                    std::to_string(i % 2 * 500 + 500) + ", " + std::to_string(i / 2 * 350 + 350) + "]\n" + key +
                    "Action=$Exit\n" + key + "BackgroundImage=" + pictureNames.back() + "\n";
        }
    }
    std::vector<std::pair<const char*, std::string>> files;
    for (const std::string& name : pictureNames)
        files.emplace_back(name.c_str(), picture);
    CShownPage page(text, "", files);
    ZYR::CStretchedPictures& kept = page.window.StretchedPictures();
    std::size_t most = 0;
    for (const char* name : names) {
        page.window.GoToPage(U(name));
        TestSupport::PumpMessages();
        for (CCommandControl* command : page.Controls())
            UpdateWindow(command->Handle());
        most = std::max(most, kept.PixelsKept());
    }
    EXPECT_GT(most, std::size_t{1500000});
    EXPECT_LE(most, std::size_t{2} << 20);
}

namespace {

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters);
    // Windows fills PrivateUsage; Wine leaves it 0 but counts the same commit in PagefileUsage.
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

} // namespace

// Runs as its own ctest entry: ten thousand of each take a while.
TEST(Soak, TenThousandPageSwitchesAndHoverChangesKeepHandlesAndMemoryFlat)
{
    CRecordingHandler recorder;
    CShownPage page(kControlsPage);
    const auto roundTrips = [&](int count) {
        for (int i = 0; i < count; ++i) {
            page.window.GoToPage(CUnicodeString(u"Second"));
            page.window.GoBack(true);
            TestSupport::PumpMessages();
        }
    };
    const auto hoverChanges = [&](int count) {
        const HWND first = page.Controls()[0]->Handle();
        for (int i = 0; i < count / 2; ++i) {
            SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
            SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(500, 10));
        }
        TestSupport::PumpMessages();
    };
    // A first round lets the heaps and caches reach their working size.
    roundTrips(250);
    hoverChanges(1000);
    const long handles = ZYR::CGdiObject::LiveHandlesForTesting();
    const std::size_t windows = ZYR::CWindow::BoundWindowCountForTesting();
    const SIZE_T bytes = PrivateBytes();
    roundTrips(5000); // 10,000 switches
    hoverChanges(10000);
    EXPECT_EQ(handles, ZYR::CGdiObject::LiveHandlesForTesting());
    EXPECT_EQ(windows, ZYR::CWindow::BoundWindowCountForTesting());
    const SIZE_T grown = PrivateBytes() > bytes ? PrivateBytes() - bytes : 0;
    std::printf("private bytes: %llu KB at the start, grown by %llu KB\n",
                static_cast<unsigned long long>(bytes / 1024), static_cast<unsigned long long>(grown / 1024));
    EXPECT_LT(grown, 1024u * 1024u);
    EXPECT_TRUE(recorder.messages.empty());
}

// An author saving a page file a thousand times, a good version and a broken one by turns,
// leaves the watching launcher with flat handles, windows and memory, showing the last good
// version.
TEST(Soak, AThousandSavesOfGoodAndBrokenPagesKeepHandlesAndMemoryFlat)
{
    CRecordingHandler recorder;
    CShownPage page(kControlsPage);
    CPageWatch& watch = page.window.Watch(std::make_unique<CPageWatch>(page.window));
    const std::string good =
        std::string(kControlsPage).replace(kControlsPage.find("Title=Controls"), 14, "Title=Saved %d");
    // A hover colour without a colour stops the launcher.
    const std::string broken =
        std::string(good).replace(good.find("Command3_Text"), 0, "Command2_BackgroundHoverColor=00FF00\n");
    const auto saves = [&](int from, int count) {
        for (int i = from; i < from + count; ++i) {
            char text[4096];
            std::snprintf(text, sizeof text, (i % 2 == 0 ? good : broken).c_str(), i);
            page.disc.Write("Autorun.inf", text);
            watch.ReloadFromFiles();
            TestSupport::PumpMessages();
        }
    };
    saves(0, 50);
    const long handles = ZYR::CGdiObject::LiveHandlesForTesting();
    const std::size_t windows = ZYR::CWindow::BoundWindowCountForTesting();
    DWORD kernelHandles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &kernelHandles);
    const SIZE_T bytes = PrivateBytes();
    saves(50, 1000);
    EXPECT_EQ(handles, ZYR::CGdiObject::LiveHandlesForTesting());
    EXPECT_EQ(windows, ZYR::CWindow::BoundWindowCountForTesting());
    DWORD kernelHandlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &kernelHandlesAfter);
    EXPECT_LE(kernelHandlesAfter, kernelHandles + 2);
    const SIZE_T grown = PrivateBytes() > bytes ? PrivateBytes() - bytes : 0;
    std::printf("private bytes grown by %llu KB over 1,000 saves\n", static_cast<unsigned long long>(grown / 1024));
    EXPECT_LT(grown, 2048u * 1024u);
    // The last save (1049) was broken: the page is the good one before it, under the bar.
    EXPECT_EQ(U("Saved 1048"), page.window.CurrentPage()->title);
    EXPECT_FALSE(watch.ProblemBarForTesting().Text().IsEmpty());
    EXPECT_TRUE(recorder.messages.empty());
}
