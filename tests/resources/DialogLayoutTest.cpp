// Every dialog template of Warden, Clipview and their English resource libraries, created with its
// controls from the programs' own resources and measured as the platform lays it out: each control
// lies inside its dialog's client area, is at least as tall as its text, a check box or radio button
// is wide enough for its box and first character, and no two visible controls of one dialog overlap
// unless one is a group box that holds the other. A resource line that puts a style where a position
// belongs fails here, naming the dialog and the control.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "framework/ControlPlaceholder.h"
#include "tests/support/TestSupport.h"

namespace {

enum Check { checkInside, checkSize, checkTextHeight, checkBoxWidth, checkOverlap };

const char* const kCheckNames[] = {"inside the client area", "positive size", "as tall as its text",
                                   "wide enough for its box and first character", "overlap"};

// Layouts that look wrong to the measures above and are meant. A null module stands for the program
// and its language library alike (they share the identifiers); control 0 for every control of the
// dialog.
struct LayoutException {
    const char* module;
    int dialog;
    int control;
    Check check;
    const char* reason;
};

const LayoutException kExceptions[] = {
    {nullptr, 102, 0, checkOverlap,
     "the main window's controls all start at 0,0: the layout file places them when the station starts"},
    {nullptr, 102, 1152, checkSize,
     "the main window's ActiveX placeholder is hidden and sized from the layout file at start"},
    {"Warden.exe", 212, 0, checkOverlap,
     "the map's pop-up video lays out its PTZ strip below the picture by its size; all start at 0,0"},
    {"Warden.exe", 131, 0, checkTextHeight,
     "a preview pane's status icons are skin pictures 7 units square; they never show text"},
};

bool Excepted(const std::string& module, int dialog, int control, Check check)
{
    for (const LayoutException& e : kExceptions) {
        bool inModule = e.module == nullptr || module == e.module;
        if (inModule && e.dialog == dialog && (e.control == 0 || e.control == control) && e.check == check)
            return true;
    }
    return false;
}

// Resource texts come in code page 936; the test's messages are read in UTF-8.
std::string Utf8(const std::string& text)
{
    int wide = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring w(wide, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &w[0], wide);
    int narrow = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(narrow, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &out[0], narrow, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::string Text(HWND hWnd)
{
    char text[512] = "";
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

std::string ClassOf(HWND hWnd)
{
    char name[128] = "";
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

struct Control {
    HWND hWnd;
    int id;
    RECT rect; // in the dialog's client coordinates
    bool visible;
    std::string className;
    std::string text;
    LONG style;
};

std::string Describe(const Control& c)
{
    std::ostringstream out;
    out << "control " << c.id << " (" << c.className << " \"" << Utf8(c.text) << "\" at " << c.rect.left << ","
        << c.rect.top << " size " << c.rect.right - c.rect.left << "x" << c.rect.bottom - c.rect.top << ")";
    return out.str();
}

bool IsClass(const Control& c, const char* name)
{
    return lstrcmpiA(c.className.c_str(), name) == 0;
}

LONG ButtonKind(const Control& c)
{
    return IsClass(c, "Button") ? (c.style & BS_TYPEMASK) : -1;
}

bool IsGroupBox(const Control& c)
{
    return ButtonKind(c) == BS_GROUPBOX;
}

bool IsBoxButton(const Control& c)
{
    LONG kind = ButtonKind(c);
    bool box = kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_3STATE ||
               kind == BS_AUTO3STATE || kind == BS_AUTORADIOBUTTON;
    return box && !(c.style & BS_PUSHLIKE);
}

// Lines and frames drawn by a static control carry no text.
bool IsStaticFigure(const Control& c)
{
    if (!IsClass(c, "Static"))
        return false;
    LONG kind = c.style & SS_TYPEMASK;
    return kind == SS_ETCHEDHORZ || kind == SS_ETCHEDVERT || kind == SS_ETCHEDFRAME || kind == SS_BLACKRECT ||
           kind == SS_GRAYRECT || kind == SS_WHITERECT || kind == SS_BLACKFRAME || kind == SS_GRAYFRAME ||
           kind == SS_WHITEFRAME || kind == SS_ICON || kind == SS_BITMAP;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The first character of a text, a double-byte one of code page 936 included.
std::string FirstCharacter(const std::string& text)
{
    if (text.empty())
        return "";
    size_t length = IsDBCSLeadByte(static_cast<BYTE>(text[0])) && text.size() > 1 ? 2 : 1;
    // A mnemonic's ampersand is not drawn.
    if (text[0] == '&' && text.size() > 1)
        return FirstCharacter(text.substr(1));
    return text.substr(0, length);
}

struct FontMeasure {
    int textHeight;
    int firstCharWidth;
};

FontMeasure Measure(const Control& c)
{
    HDC dc = GetDC(c.hWnd);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(c.hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    FontMeasure m = {metrics.tmHeight, 0};
    std::string first = FirstCharacter(c.text);
    SIZE size = {};
    if (!first.empty() && GetTextExtentPoint32A(dc, first.c_str(), static_cast<int>(first.size()), &size))
        m.firstCharWidth = size.cx;
    if (old != nullptr)
        SelectObject(dc, old);
    ReleaseDC(c.hWnd, dc);
    return m;
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// A dialog template's resource, loaded from one of the program files.
struct DialogResource {
    int id;
    std::vector<DWORD> bytes; // DWORD-aligned copy
};

BOOL CALLBACK CollectDialog(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param)
{
    auto* dialogs = reinterpret_cast<std::vector<DialogResource>*>(param);
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    DialogResource dialog;
    dialog.id = IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<UINT_PTR>(name)) : -1;
    if (data != nullptr && size != 0) {
        dialog.bytes.resize((size + 3) / 4);
        std::memcpy(dialog.bytes.data(), data, size);
    }
    dialogs->push_back(dialog);
    return TRUE;
}

// Takes WS_VISIBLE off the template's own style: the dialogs are measured, not shown.
void HideTemplate(std::vector<DWORD>& bytes)
{
    auto* words = reinterpret_cast<WORD*>(bytes.data());
    bool extended = words[0] == 1 && words[1] == 0xFFFF;
    DWORD* style = extended ? &bytes[3] : &bytes[0];
    *style &= ~WS_VISIBLE;
}

class LayoutChecker {
public:
    LayoutChecker(std::string module, int dialogId, HWND dialog)
        : module_(std::move(module)), dialogId_(dialogId), dialog_(dialog)
    {
    }

    void Run()
    {
        GetClientRect(dialog_, &client_);
        for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            controls_.push_back(Read(child));
        for (const Control& c : controls_)
            CheckOne(c);
        for (size_t i = 0; i < controls_.size(); ++i) {
            for (size_t j = i + 1; j < controls_.size(); ++j)
                CheckPair(controls_[i], controls_[j]);
        }
    }

private:
    Control Read(HWND child)
    {
        Control c;
        c.hWnd = child;
        c.id = GetDlgCtrlID(child);
        GetWindowRect(child, &c.rect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&c.rect), 2);
        c.style = GetWindowLongA(child, GWL_STYLE);
        c.visible = (c.style & WS_VISIBLE) != 0;
        c.className = ClassOf(child);
        c.text = Text(child);
        return c;
    }

    void Fail(const Control& c, Check check, const std::string& detail)
    {
        if (Excepted(module_, dialogId_, c.id, check))
            return;
        ADD_FAILURE() << module_ << " dialog " << dialogId_ << " \"" << Utf8(Text(dialog_)) << "\": " << Describe(c)
                      << " is not " << kCheckNames[check] << detail;
    }

    void CheckOne(const Control& c)
    {
        int width = c.rect.right - c.rect.left;
        int height = c.rect.bottom - c.rect.top;
        if (width <= 0 || height <= 0) {
            Fail(c, checkSize, "");
            return;
        }
        if (!Contains(client_, c.rect)) {
            std::ostringstream detail;
            detail << " (client area " << client_.right << "x" << client_.bottom << ")";
            Fail(c, checkInside, detail.str());
        }
        if (IsStaticFigure(c))
            return;
        FontMeasure m = Measure(c);
        if (height < m.textHeight) {
            std::ostringstream detail;
            detail << " (text height " << m.textHeight << ")";
            Fail(c, checkTextHeight, detail.str());
        }
        if (IsBoxButton(c)) {
            int needed = GetSystemMetrics(SM_CXMENUCHECK) + m.firstCharWidth;
            if (width < needed) {
                std::ostringstream detail;
                detail << " (needs " << needed << ")";
                Fail(c, checkBoxWidth, detail.str());
            }
        }
    }

    void CheckPair(const Control& a, const Control& b)
    {
        if (!a.visible || !b.visible)
            return;
        RECT common;
        if (!IntersectRect(&common, &a.rect, &b.rect))
            return;
        if ((IsGroupBox(a) && Contains(a.rect, b.rect)) || (IsGroupBox(b) && Contains(b.rect, a.rect)))
            return;
        if (Excepted(module_, dialogId_, a.id, checkOverlap) || Excepted(module_, dialogId_, b.id, checkOverlap))
            return;
        ADD_FAILURE() << module_ << " dialog " << dialogId_ << " \"" << Utf8(Text(dialog_)) << "\": " << Describe(a)
                      << " overlaps " << Describe(b);
    }

    std::string module_;
    int dialogId_;
    HWND dialog_;
    RECT client_ = {};
    std::vector<Control> controls_;
};

struct ProgramFile {
    const char* label; // as the exceptions name it
    const char* path;  // from the test program's folder
    bool ownsDialogs;  // a language library may leave every dialog to its program
};

void PrintTo(const ProgramFile& file, std::ostream* out)
{
    *out << file.label;
}

const ProgramFile kFiles[] = {
    {"Warden.exe", "Warden.exe", true},
    {"Clipview.exe", "Clipview.exe", true},
    {"en_resource.dll", "..\\lang\\en_resource.dll", true},
    {"ClipviewEn.dll", "..\\lang\\ClipviewEn.dll", false},
};

class DialogLayout : public ::testing::TestWithParam<ProgramFile> {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                              ICC_INTERNET_CLASSES | ICC_LINK_CLASS};
        InitCommonControlsEx(&controls);
    }
};

TEST_P(DialogLayout, EveryControlOfEveryDialogIsLaidOut)
{
    const ProgramFile& file = GetParam();
    HMODULE module = LoadLibraryExA(ProgramPath(file.path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module) << file.path;
    std::vector<DialogResource> dialogs;
    EnumResourceNamesA(module, RT_DIALOG, CollectDialog, reinterpret_cast<LONG_PTR>(&dialogs));
    if (file.ownsDialogs)
        EXPECT_FALSE(dialogs.empty()) << file.label << " holds no dialog";

    // Pages are child dialogs: they need a parent, which no one sees.
    HWND host = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 1024, 768, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, host);
    for (DialogResource& dialog : dialogs) {
        ASSERT_FALSE(dialog.bytes.empty()) << file.label << " dialog " << dialog.id << " cannot be read";
        HideTemplate(dialog.bytes);
        auto* layout = reinterpret_cast<LPCDLGTEMPLATEA>(dialog.bytes.data());
        AfxRegisterTemplatePlaceholders(layout, static_cast<DWORD>(dialog.bytes.size() * 4));
        HWND window = CreateDialogIndirectParamA(module, layout, host, InertDialogProc, 0);
        if (window == nullptr) {
            ADD_FAILURE() << file.label << " dialog " << dialog.id << " cannot be created (error " << GetLastError()
                          << ")";
            continue;
        }
        LayoutChecker(file.label, dialog.id, window).Run();
        DestroyWindow(window);
    }
    DestroyWindow(host);
    FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(ProgramsAndLanguageLibraries, DialogLayout, ::testing::ValuesIn(kFiles),
                         [](const ::testing::TestParamInfo<ProgramFile>& info) {
                             std::string name = info.param.label;
                             for (char& ch : name) {
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             }
                             return name;
                         });

// The measures themselves: a template with the talk page's old fault (styles read as the position)
// and a group box holding its radio buttons, the one overlap that is allowed.
TEST(DialogLayoutCheck, AStyleReadAsAPositionIsFound)
{
    // Built as the resource compiler builds it: a plain template, its items DWORD-aligned.
    struct Item {
        DWORD style;
        short x, y, cx, cy;
        WORD id;
        WORD buttonClass[2];
        const wchar_t* title;
    };
    const Item items[] = {
        {WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 6, 6, 200, 96, 10, {0xFFFF, 0x0080}, L"Output"},
        // The faulty line: x = WS_GROUP | WS_TABSTOP (cut to 16 bits: 0), then y, then the width 20 and
        // the height 80 that were x and y.
        {WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 14, 20, 80, 11, {0xFFFF, 0x0080}, L"Output 1"},
        {WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 14, 36, 80, 10, 12, {0xFFFF, 0x0080}, L"Output 2"},
        // Too narrow for its box and a letter.
        {WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 100, 52, 8, 10, 13, {0xFFFF, 0x0080}, L"Output 3"},
    };
    std::vector<WORD> words;
    auto push32 = [&](DWORD v) {
        words.push_back(LOWORD(v));
        words.push_back(HIWORD(v));
    };
    auto align = [&] {
        if (words.size() % 2)
            words.push_back(0);
    };
    push32(WS_POPUP | DS_SETFONT);
    push32(0);
    words.push_back(static_cast<WORD>(sizeof items / sizeof items[0]));
    for (short v : {0, 0, 220, 110})
        words.push_back(static_cast<WORD>(v));
    words.insert(words.end(), {0, 0, 0}); // no menu, default class, no title
    words.push_back(9);
    for (const wchar_t* p = L"Tahoma"; *p; ++p)
        words.push_back(*p);
    words.push_back(0);
    for (const Item& item : items) {
        align();
        push32(item.style);
        push32(0);
        for (short v : {item.x, item.y, item.cx, item.cy})
            words.push_back(static_cast<WORD>(v));
        words.push_back(item.id);
        words.insert(words.end(), {item.buttonClass[0], item.buttonClass[1]});
        for (const wchar_t* p = item.title; *p; ++p)
            words.push_back(*p);
        words.push_back(0);
        words.push_back(0); // no creation data
    }
    align();
    std::vector<DWORD> bytes((words.size() + 1) / 2);
    std::memcpy(bytes.data(), words.data(), words.size() * sizeof(WORD));
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                             nullptr, InertDialogProc, 0);
    ASSERT_NE(nullptr, dialog);
    ::testing::TestPartResultArray failures;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        LayoutChecker("sample", 1, dialog).Run();
    }
    DestroyWindow(dialog);
    std::string all;
    for (int i = 0; i < failures.size(); ++i)
        all += std::string(failures.GetTestPartResult(i).message()) + "\n";
    auto count = [&](const std::string& part) {
        size_t n = 0;
        for (size_t at = all.find(part); at != std::string::npos; at = all.find(part, at + 1))
            ++n;
        return n;
    };
    EXPECT_NE(0u, count("control 11 (Button \"Output 1\" at 0,")) << all;
    EXPECT_EQ(1u, count("overlaps control 12")) << "the group box holds the next row: only the tall button\n" << all;
    EXPECT_EQ(0u, count("overlaps control 13")) << all;
    EXPECT_EQ(1u, count("control 13 (Button \"Output 3\"")) << all;
    EXPECT_EQ(1u, count("wide enough for its box")) << all;
}

} // namespace
