// The date-time picker and month calendar skinners on real controls: the calendar's title buttons while
// pressed and released, the skin's colours handed to the calendar, the picker's border and drop button
// drawn from the skin (or natively without pictures), the ways its popup closes, and a screenshot.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinnerServices.h"
#include "skin/skinners/controls/DateTimeSkinner.h"
#include "skin/skinners/controls/MonthCalSkinner.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "tests/skin/window/ControlTestWindows.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

std::vector<UINT> g_pickerNotes; // DTN_ codes the test parent heard

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
        if (code == DTN_DROPDOWN || code == DTN_CLOSEUP || code == DTN_DATETIMECHANGE)
            g_pickerNotes.push_back(code);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeParent(const char* title, int width, int height)
{
    return MakeTestParent("CalendarTestParent", ParentProc, title, width, height);
}

// The test pictures: block i of CALTEST.BMP is one colour of its own, so a pixel names the picture drawn.
COLORREF BlockColor(int i)
{
    return RGB(30 + i * 15, 210 - i * 13, (40 + i * 71) % 256);
}

enum Block {
    PrevNormal,
    PrevPressed,
    NextNormal,
    NextPressed,
    PrevDisabled,
    NextDisabled,
    CalendarBack,
    DropNormal,
    DropPressed,
    DropDisabled,
    Field,
    DisabledField,
    PickerBorder,
    BlockCount
};

SlicedImage Sliced(int block)
{
    SlicedImage s = {};
    std::strcpy(s.image, "CALTEST.BMP");
    SetRect(&s.source, block * 8, 0, block * 8 + 8, 8);
    SetRect(&s.margins, 2, 2, 2, 2);
    s.mode = 1;
    return s;
}

ImagePart Part(int block)
{
    ImagePart p = {};
    std::strcpy(p.image, "CALTEST.BMP");
    SetRect(&p.source, block * 8, 0, block * 8 + 8, 8);
    p.mode = 2;
    return p;
}

// The colours the test calendar object hands over: object colour, text colour, then its four.
const COLORREF kCalendarColors[6] = {RGB(250, 250, 240), RGB(10, 20, 30),    RGB(240, 248, 255),
                                     RGB(20, 40, 90),    RGB(255, 255, 250), RGB(128, 128, 100)};

// The default skin with its MonthCalendar and DateTime objects replaced by ones drawn from CALTEST.BMP.
void UseTestObjects()
{
    SkinStore* skin = SkinEngine::Instance().GetCurrentSkin();
    skin->AddImage(MakeImage("CALTEST.BMP", 8 * BlockCount, 8, [](int x, int) { return BlockColor(x / 8); }));
    MonthCalendarSkinObject* calendar = new MonthCalendarSkinObject;
    calendar->SetName("MonthCalendar");
    for (int i = 0; i < 6; ++i)
        calendar->images[i] = Sliced(PrevNormal + i);
    calendar->controlFrame = Sliced(CalendarBack);
    calendar->color = kCalendarColors[0];
    calendar->textColor = kCalendarColors[1];
    for (int i = 0; i < 4; ++i)
        calendar->colors[i] = kCalendarColors[2 + i];
    skin->AddObject(calendar);
    DateTimeSkinObject* picker = new DateTimeSkinObject;
    picker->SetName("DateTime");
    for (int i = 0; i < 3; ++i)
        picker->images[i] = Sliced(DropNormal + i);
    picker->part1 = Part(Field);
    picker->part2 = Part(DisabledField);
    picker->controlFrame = Sliced(PickerBorder);
    skin->AddObject(picker);
}

COLORREF ShownPixel(HWND hwnd, POINT at)
{
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, at.x, at.y);
    ReleaseDC(hwnd, dc);
    return c;
}

POINT Centre(const RECT& r)
{
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return p;
}

LPARAM At(POINT p)
{
    return MAKELPARAM(p.x, p.y);
}

// The first month the calendar shows whole.
int ShownMonth(HWND calendar)
{
    SYSTEMTIME range[2] = {};
    SendMessageA(calendar, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(range));
    return range[0].wYear * 12 + range[0].wMonth;
}

class CalendarSkinnerTest : public ControlTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run_.started);
        SetSkinnerServices(NULL);
        ASSERT_TRUE(LoadDefaultSkin());
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_DATE_CLASSES};
        InitCommonControlsEx(&icc);
        g_pickerNotes.clear();
    }
    // A month calendar of the size it asks for.
    HWND MakeCalendar(HWND parent, int id, int x, int y)
    {
        HWND calendar = MakeTestControl(MONTHCAL_CLASSA, parent, 0, id, "", x, y, 10, 10);
        RECT need = {};
        SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
        SetWindowPos(calendar, NULL, 0, 0, need.right - need.left, need.bottom - need.top, SWP_NOMOVE | SWP_NOZORDER);
        return calendar;
    }
};

} // namespace

TEST_F(CalendarSkinnerTest, NextMonthButtonShowsPressedUntilReleaseThenTheNextMonth)
{
    UseTestObjects();
    HWND dialog = Track(MakeParent("Calendar", 420, 320));
    HWND calendar = MakeCalendar(dialog, 40, 10, 10);
    SYSTEMTIME day = {2024, 3, 0, 15, 0, 0, 0, 0};
    SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    Skin(dialog);
    MonthCalSkinner* skinner = dynamic_cast<MonthCalSkinner*>(FindSkinnedWindow(calendar));
    ASSERT_NE(nullptr, skinner);
    const RECT previous = skinner->PreviousButton(), next = skinner->NextButton();
    ASSERT_FALSE(IsRectEmpty(&next));
    ASSERT_FALSE(IsRectEmpty(&previous));
    EXPECT_LT(previous.right, next.left);
    RedrawWindow(calendar, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(BlockColor(NextNormal), ShownPixel(calendar, Centre(next)));
    EXPECT_EQ(BlockColor(PrevNormal), ShownPixel(calendar, Centre(previous)));
    const int month = ShownMonth(calendar);

    // Shown at once: the calendar handled the press unseen, so the skinner repaints it itself.
    SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(next)));
    EXPECT_EQ(MonthCalSkinner::ButtonNext, skinner->ButtonState());
    EXPECT_EQ(BlockColor(NextPressed), ShownPixel(calendar, Centre(next)));
    SendMessageA(calendar, WM_MOUSEMOVE, MK_LBUTTON, At(Centre(next)));
    EXPECT_EQ(BlockColor(NextPressed), ShownPixel(calendar, Centre(next))) << "still down";
    SendMessageA(calendar, WM_LBUTTONUP, 0, At(Centre(next)));
    EXPECT_EQ(MonthCalSkinner::ButtonNone, skinner->ButtonState());
    EXPECT_EQ(BlockColor(NextNormal), ShownPixel(calendar, Centre(next)));
    EXPECT_EQ(month + 1, ShownMonth(calendar)) << "the next month shows";

    // Pressed, then released away from it: not left drawn pressed.
    SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(previous)));
    EXPECT_EQ(BlockColor(PrevPressed), ShownPixel(calendar, Centre(previous)));
    RECT client;
    GetClientRect(calendar, &client);
    const POINT away = {client.right / 2, client.bottom - 4};
    SendMessageA(calendar, WM_LBUTTONUP, 0, At(away));
    UpdateWindow(calendar);
    EXPECT_EQ(MonthCalSkinner::ButtonNone, skinner->ButtonState());
    EXPECT_EQ(BlockColor(PrevNormal), ShownPixel(calendar, Centre(previous)));

    EnableWindow(calendar, FALSE);
    RedrawWindow(calendar, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(BlockColor(PrevDisabled), ShownPixel(calendar, Centre(previous)));
    EXPECT_EQ(BlockColor(NextDisabled), ShownPixel(calendar, Centre(next)));
}

TEST_F(CalendarSkinnerTest, SkinColoursAreHandedToTheCalendar)
{
    UseTestObjects();
    HWND dialog = Track(MakeParent("Colours", 420, 320));
    HWND calendar = MakeCalendar(dialog, 41, 10, 10);
    Skin(dialog);
    MonthCalSkinner* skinner = dynamic_cast<MonthCalSkinner*>(FindSkinnedWindow(calendar));
    ASSERT_NE(nullptr, skinner);
    const int parts[6] = {MCSC_BACKGROUND, MCSC_TEXT, MCSC_MONTHBK, MCSC_TITLEBK, MCSC_TITLETEXT, MCSC_TRAILINGTEXT};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(kCalendarColors[i], static_cast<COLORREF>(SendMessageA(calendar, MCM_GETCOLOR, parts[i], 0)))
            << "part " << parts[i];

    // A new object (here the same one changed) hands its colours over again.
    MonthCalendarSkinObject* object = dynamic_cast<MonthCalendarSkinObject*>(skinner->GetSkinObject());
    ASSERT_NE(nullptr, object);
    object->colors[1] = RGB(90, 10, 10);
    skinner->SetSkinObject(object);
    PumpMessages();
    EXPECT_EQ(RGB(90, 10, 10), static_cast<COLORREF>(SendMessageA(calendar, MCM_GETCOLOR, MCSC_TITLEBK, 0)));
}

TEST_F(CalendarSkinnerTest, PickerBorderAndDropButtonFromTheSkinOrNative)
{
    UseTestObjects();
    HWND dialog = Track(MakeParent("Pickers", 420, 320));
    HWND picker = MakeTestControl(DATETIMEPICK_CLASSA, dialog, DTS_SHORTDATEFORMAT, 30, "", 10, 10, 160, 24);
    HWND disabled =
        MakeTestControl(DATETIMEPICK_CLASSA, dialog, DTS_SHORTDATEFORMAT | WS_DISABLED, 31, "", 10, 50, 160, 24);
    Skin(dialog);
    DateTimeSkinner* skinner = dynamic_cast<DateTimeSkinner*>(FindSkinnedWindow(picker));
    DateTimeSkinner* disabledSkinner = dynamic_cast<DateTimeSkinner*>(FindSkinnedWindow(disabled));
    ASSERT_NE(nullptr, skinner);
    ASSERT_NE(nullptr, disabledSkinner);

    for (HWND hwnd : {picker, disabled}) {
        ASSERT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << "the picker keeps an edge to draw";
        RedrawWindow(hwnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        RECT window;
        GetWindowRect(hwnd, &window);
        const int width = window.right - window.left, height = window.bottom - window.top;
        HDC dc = GetWindowDC(hwnd);
        EXPECT_EQ(BlockColor(PickerBorder), GetPixel(dc, 0, height / 2));
        EXPECT_EQ(BlockColor(PickerBorder), GetPixel(dc, width / 2, 1));
        EXPECT_EQ(BlockColor(PickerBorder), GetPixel(dc, width - 1, height - 1));
        ReleaseDC(hwnd, dc);
    }

    // The drop button in each state, with and without pictures; without any, the native combo arrow.
    DateTimeSkinObject* object = dynamic_cast<DateTimeSkinObject*>(skinner->GetSkinObject());
    ASSERT_NE(nullptr, object);
    ASSERT_EQ(object, disabledSkinner->GetSkinObject());
    RECT client;
    GetClientRect(picker, &client);
    const RECT button = {client.right - kDateTimeButtonWidth, 0, client.right, client.bottom};
    HDC screen = GetDC(NULL);
    MemoryDC drawn(screen, client.right, client.bottom);
    MemoryDC native(screen, client.right, client.bottom);
    ReleaseDC(NULL, screen);
    enum { Native = -1 };
    struct Case {
        bool normal, pressed, disabledImage; // which pictures the skin has
        bool enabled;
        int expected; // a block, or Native
        const char* what;
    } const cases[] = {
        {true, true, true, true, DropNormal, "normal"},
        {true, true, true, false, DropDisabled, "disabled"},
        {true, false, false, false, DropNormal, "disabled falls back to the enabled choice"},
        {false, true, false, true, DropPressed, "normal falls back to pressed"},
        {false, false, false, true, Native, "no pictures: native"},
        {false, false, false, false, Native, "no pictures, disabled: native"},
    };
    for (const Case& c : cases) {
        object->images[0] = c.normal ? Sliced(DropNormal) : SlicedImage{};
        object->images[1] = c.pressed ? Sliced(DropPressed) : SlicedImage{};
        object->images[2] = c.disabledImage ? Sliced(DropDisabled) : SlicedImage{};
        (c.enabled ? skinner : disabledSkinner)->Paint(drawn);
        EXPECT_EQ(BlockColor(c.enabled ? Field : DisabledField), GetPixel(drawn, 1, 1)) << c.what;
        if (c.expected != Native) {
            EXPECT_EQ(BlockColor(c.expected), GetPixel(drawn, button.left + 8, client.bottom / 2)) << c.what;
            continue;
        }
        RECT r = button;
        DrawFrameControl(native, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (c.enabled ? 0 : DFCS_INACTIVE));
        int differ = 0;
        for (int y = button.top; y < button.bottom; ++y)
            for (int x = button.left; x < button.right; ++x)
                differ += GetPixel(drawn, x, y) != GetPixel(native, x, y);
        EXPECT_EQ(0, differ) << c.what;
    }
}

namespace {

// What the timer inside the picker's popup loop does on its first tick.
enum class PopupAction { Escape, ChooseDay, DestroyDialog, ClickOutside, CancelMode, Deactivate };
struct PopupScript {
    HWND picker = NULL;
    HWND dialog = NULL;
    HWND other = NULL; // the window Deactivate activates
    PopupAction action = PopupAction::Escape;
    HWND calendarSeen = NULL;
    int ticks = 0;
    bool safetyNet = false; // the loop had to be ended by Escape
};
PopupScript g_script;

void CALLBACK PopupTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND calendar = reinterpret_cast<HWND>(SendMessageA(g_script.picker, DTM_GETMONTHCAL, 0, 0));
    if (!calendar) {
        KillTimer(NULL, id);
        return;
    }
    if (++g_script.ticks > 20) {
        // Whatever happened, the loop must end.
        KillTimer(NULL, id);
        g_script.safetyNet = true;
        PostMessageA(calendar, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    if (g_script.ticks > 1)
        return;
    g_script.calendarSeen = calendar;
    switch (g_script.action) {
    case PopupAction::Escape:
        PostQuitMessage(7);
        PostMessageA(calendar, WM_KEYDOWN, VK_ESCAPE, 0);
        break;
    case PopupAction::ClickOutside:
        PostMessageA(g_script.dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
        break;
    case PopupAction::DestroyDialog:
        KillTimer(NULL, id);
        DestroyWindow(g_script.dialog);
        break;
    case PopupAction::CancelMode:
        SendMessageA(g_script.picker, WM_CANCELMODE, 0, 0);
        break;
    case PopupAction::Deactivate:
        SetActiveWindow(g_script.other);
        break;
    case PopupAction::ChooseDay: {
        RECT r;
        GetClientRect(calendar, &r);
        for (int y = r.bottom / 2; y < r.bottom; y += 3)
            for (int x = r.right / 4; x < r.right; x += 3) {
                MCHITTESTINFO hit = {};
                hit.cbSize = sizeof hit;
                hit.pt = {x, y};
                if (SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == MCHT_CALENDARDATE) {
                    PostMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
                    PostMessageA(calendar, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
                    return;
                }
            }
        break;
    }
    }
}

// Presses the picker's drop button with the script's timer running inside the popup's loop.
void PressDropButton(HWND picker, HWND dialog, PopupAction action, HWND other = NULL)
{
    g_script = PopupScript();
    g_script.picker = picker;
    g_script.dialog = dialog;
    g_script.other = other;
    g_script.action = action;
    g_pickerNotes.clear();
    const UINT_PTR timer = SetTimer(NULL, 0, 10, PopupTimer);
    RECT r;
    GetClientRect(picker, &r);
    SendMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 5, r.bottom / 2));
    if (action != PopupAction::DestroyDialog)
        KillTimer(NULL, timer);
}

SYSTEMTIME PickerValue(HWND picker)
{
    SYSTEMTIME value = {};
    SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
    return value;
}

} // namespace

TEST_F(CalendarSkinnerTest, PopupClosesOnCancelModeAndWhenItsDialogLosesActivation)
{
    HWND other = Track(MakeParent("Other", 200, 100));
    HWND dialog = Track(MakeParent("Popup", 420, 320));
    HWND picker = MakeTestControl(DATETIMEPICK_CLASSA, dialog, DTS_SHORTDATEFORMAT, 30, "", 10, 10, 160, 24);
    SYSTEMTIME start = {2024, 3, 5, 15, 10, 20, 30, 0};
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&start));
    Skin(dialog);
    ASSERT_NE(nullptr, dynamic_cast<DateTimeSkinner*>(FindSkinnedWindow(picker)));
    for (PopupAction action : {PopupAction::CancelMode, PopupAction::Deactivate}) {
        const char* what = action == PopupAction::CancelMode ? "WM_CANCELMODE" : "the dialog deactivated";
        SetActiveWindow(dialog);
        PressDropButton(picker, dialog, action, other);
        EXPECT_NE(nullptr, g_script.calendarSeen) << what;
        EXPECT_FALSE(g_script.safetyNet) << what << " closes the popup";
        EXPECT_FALSE(IsWindow(g_script.calendarSeen)) << what;
        EXPECT_EQ(0, SendMessageA(picker, DTM_GETMONTHCAL, 0, 0)) << what;
        EXPECT_EQ((std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP}), g_pickerNotes) << what;
        const SYSTEMTIME now = PickerValue(picker);
        EXPECT_TRUE(now.wDay == 15 && now.wHour == 10) << what << " changes nothing";
    }
}

TEST_F(CalendarSkinnerTest, Screenshot)
{
    HWND dialog = Track(MakeParent("日期与日历", 420, 300));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND calendar = MakeCalendar(dialog, 50, 12, 12);
    HWND picker = MakeTestControl(DATETIMEPICK_CLASSA, dialog, DTS_SHORTDATEFORMAT, 51, "", 250, 12, 140, 24);
    HWND disabled =
        MakeTestControl(DATETIMEPICK_CLASSA, dialog, DTS_SHORTDATEFORMAT | WS_DISABLED, 52, "", 250, 48, 140, 24);
    HWND time = MakeTestControl(DATETIMEPICK_CLASSA, dialog, DTS_TIMEFORMAT, 53, "", 250, 84, 140, 24);
    SYSTEMTIME day = {2024, 3, 5, 15, 10, 20, 30, 0};
    for (HWND hwnd : {picker, disabled, time}) {
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageA(hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&day));
    }
    SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    Skin(dialog);
    for (HWND hwnd : {calendar, picker, disabled, time})
        EXPECT_NE(nullptr, FindSkinnedWindow(hwnd)) << GetDlgCtrlID(hwnd);
    MonthCalSkinner* skinner = dynamic_cast<MonthCalSkinner*>(FindSkinnedWindow(calendar));
    ASSERT_NE(nullptr, skinner);
    // The next-month button held down.
    SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(skinner->NextButton())));
    RedrawWindow(dialog, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    EXPECT_TRUE(SavePng(CaptureWindow(dialog), ScreenshotPath(std::string("calendar-skinners") + RunSuffix())));
    SendMessageA(calendar, WM_LBUTTONUP, 0, At(Centre(skinner->NextButton())));
}

TEST_F(CalendarSkinnerTest, DateTimePopupOpensChoosesAndCloses)
{
    for (LONG style : {DTS_UPDOWN, DTS_TIMEFORMAT})
        EXPECT_FALSE(DateTimeSkinner::HasDropButton(style)) << style;
    EXPECT_TRUE(DateTimeSkinner::HasDropButton(DTS_SHORTDATEFORMAT));
    HWND dialog = Track(MakeParent("Date", 420, 320));
    HWND picker = MakeTestControl(DATETIMEPICK_CLASSA, dialog, DTS_SHORTDATEFORMAT, 30, "", 10, 10, 160, 22);
    HWND timePicker = MakeTestControl(DATETIMEPICK_CLASSA, dialog, DTS_TIMEFORMAT, 31, "", 10, 40, 160, 22);
    SYSTEMTIME start = {2024, 3, 5, 15, 10, 20, 30, 0};
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&start));
    Skin(dialog);
    ASSERT_NE(nullptr, dynamic_cast<DateTimeSkinner*>(FindSkinnedWindow(picker)));
    ASSERT_NE(nullptr, dynamic_cast<DateTimeSkinner*>(FindSkinnedWindow(timePicker)));

    PressDropButton(timePicker, dialog, PopupAction::Escape);
    EXPECT_EQ(nullptr, g_script.calendarSeen) << "a time picker opens no popup";
    EXPECT_TRUE(g_pickerNotes.empty());

    EXPECT_EQ(0, SendMessageA(picker, DTM_GETMONTHCAL, 0, 0));
    PressDropButton(picker, dialog, PopupAction::Escape);
    EXPECT_NE(nullptr, g_script.calendarSeen) << "DTM_GETMONTHCAL answers the open popup";
    EXPECT_EQ(0, SendMessageA(picker, DTM_GETMONTHCAL, 0, 0));
    EXPECT_FALSE(IsWindow(g_script.calendarSeen));
    EXPECT_EQ((std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP}), g_pickerNotes);
    SYSTEMTIME now = PickerValue(picker);
    EXPECT_TRUE(now.wDay == 15 && now.wHour == 10 && now.wSecond == 30) << "Escape changes nothing";
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "a quit posted meanwhile stays queued";
    EXPECT_EQ(7u, quit.wParam);

    PressDropButton(picker, dialog, PopupAction::ClickOutside);
    EXPECT_EQ((std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP}), g_pickerNotes);
    now = PickerValue(picker);
    EXPECT_TRUE(now.wDay == 15 && now.wHour == 10) << "a click outside changes nothing";

    PressDropButton(picker, dialog, PopupAction::ChooseDay);
    EXPECT_EQ((std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP, DTN_DATETIMECHANGE}), g_pickerNotes);
    now = PickerValue(picker);
    EXPECT_TRUE(now.wHour == 0 && now.wMinute == 0 && now.wSecond == 0) << "the chosen day at midnight";
    EXPECT_EQ(2024, now.wYear);

    PressDropButton(picker, dialog, PopupAction::DestroyDialog);
    EXPECT_FALSE(IsWindow(picker)) << "the dialog went away inside the loop, and nothing was touched after";
    PumpMessages();
}
