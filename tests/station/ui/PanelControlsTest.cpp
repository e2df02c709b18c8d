// The colour edit, the path picker through the framework's dialog seams, and the panels' key
// tables.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "framework/WindowSeams.h"
#include "station/ui/liveview/ColorEdit.h"
#include "station/ui/liveview/DlgMatrixPanel.h"
#include "station/ui/liveview/DlgPtzPanel.h"
#include "station/ui/mainwindow/PathPicker.h"
#include "station/ui/liveview/PtzCodes.h"
#include "station/ui/liveview/SkinButton.h"
#include "station/ui/liveview/StateButton.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(ColorEdit, AClickScrollsOnlyTextsOfMoreThanSixLines)
{
    struct Case {
        int lines, first, scrollUp;
        int step, scrollUpAfter;
    } cases[] = {
        {6, 0, 0, 0, 0},                     // six lines never scroll
        {6, 3, 1, 0, 1},   {10, 0, 0, 1, 0}, // down while more than six lines are left below
        {10, 4, 0, -1, 1},                   // near the end: up, and from now on upwards
        {10, 3, 1, -1, 1},                   // going up while not at the top
        {10, 0, 1, 1, 0},                    // at the top: down again
    };
    for (const Case& c : cases) {
        int scrollUp = c.scrollUp;
        EXPECT_EQ(c.step, CColorEdit::ClickScrollStep(c.lines, c.first, scrollUp)) << c.lines << "/" << c.first;
        EXPECT_EQ(c.scrollUpAfter, scrollUp) << c.lines << "/" << c.first;
    }
}

TEST(ColorEdit, NumbersReadLikeAtoiAndNonNumbersReadZero)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, 0, 0, 200, 60, nullptr, nullptr));
    CColorEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 100, 20), &host, 1079));
    struct Case {
        const char* text;
        int maxChars, number;
    } cases[] = {{"", 0, 0}, {"abc", 0, 0}, {"12x", 0, 12}, {"300", 3, 300}, {"1200", 3, 120}, {"-1", 3, -1}};
    for (const Case& c : cases) {
        edit.SetWindowText(c.text);
        EXPECT_EQ(c.number, edit.GetNumber(c.maxChars)) << c.text;
    }
    edit.SetBkColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), edit.GetBkColor());
    EXPECT_EQ(RGB(0, 0, 0), edit.GetTextColor()) << "the text colour stays";
    host.DestroyWindow();
}

// What the file and folder seams were asked, and how they answer.
OPENFILENAMEA g_askedFile;
BOOL g_askedOpen = FALSE;
std::string g_initialFolder;
const char* g_answer = nullptr; // null = Cancel

BOOL AnswerFile(BOOL open, OPENFILENAMEA* ofn)
{
    g_askedOpen = open;
    g_askedFile = *ofn;
    if (g_answer == nullptr)
        return FALSE;
    lstrcpynA(ofn->lpstrFile, g_answer, (int)ofn->nMaxFile);
    return TRUE;
}

BOOL AnswerFolder(const BROWSEINFOA*, LPCSTR initialFolder, LPSTR path)
{
    g_initialFolder = initialFolder != nullptr ? initialFolder : "";
    if (g_answer == nullptr)
        return FALSE;
    lstrcpynA(path, g_answer, MAX_PATH);
    return TRUE;
}

class PathPickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_answer = nullptr;
        Seams::ReplaceFileDialog(AnswerFile);
        Seams::ReplaceFolderDialog(AnswerFolder);
    }
    void TearDown() override
    {
        Seams::ReplaceFileDialog(nullptr);
        Seams::ReplaceFolderDialog(nullptr);
    }
};

TEST_F(PathPickerTest, ChoosesAFileOrKeepsThePresetOnCancel)
{
    CPathPicker picker(1, ".wav", "alarm.wav", 6150, "wav Files(*.wav)", nullptr);
    EXPECT_EQ(2, picker.ChooseFile());
    EXPECT_EQ(std::string("alarm.wav"), std::string(picker.GetFilePath()));
    EXPECT_TRUE(g_askedOpen);
    EXPECT_EQ(sizeof(OPENFILENAMEA), (size_t)g_askedFile.lStructSize);
    EXPECT_EQ((DWORD)(6150 | OFN_EXPLORER), g_askedFile.Flags);
    EXPECT_EQ(260u, (unsigned)g_askedFile.nMaxFile);
    EXPECT_EQ(std::string(".wav"), std::string(g_askedFile.lpstrDefExt));

    g_answer = "C:\\sounds\\bell.wav";
    CPathPicker save(0, nullptr, nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(1, save.ChooseFile());
    EXPECT_FALSE(g_askedOpen) << "the save dialog";
    EXPECT_EQ(std::string(g_answer), std::string(save.GetFilePath()));
}

TEST_F(PathPickerTest, ALongInitialFileIsCutOnACharacterBoundary)
{
    const std::string wide = "\xC4\xE3"; // one double-byte character of code page 936
    struct Case {
        size_t singles;
        size_t kept;
    } cases[] = {
        {257, 259}, // 257 + 2 bytes fill the 259 the buffer holds
        {258, 258}, // the character would need byte 260: it is left out whole
        {300, 259},
    };
    for (const Case& c : cases) {
        std::string name = std::string(c.singles, 'a') + wide;
        CPathPicker picker(1, nullptr, name.c_str(), 0, nullptr, nullptr);
        EXPECT_EQ(c.kept, strlen(picker.m_filePath)) << c.singles;
        EXPECT_EQ(name.substr(0, c.kept), std::string(picker.m_filePath)) << c.singles;
    }
}

TEST_F(PathPickerTest, BrowsesForAFolderFromTheInitialFolder)
{
    CPathPicker picker;
    EXPECT_EQ(2, picker.BrowseFolder("导出", "c:\\", 9, nullptr, nullptr));
    EXPECT_EQ("c:\\", g_initialFolder);
    EXPECT_EQ(std::string(), std::string(picker.GetFolderPath()));
    g_answer = "C:\\backup";
    EXPECT_EQ(1, picker.BrowseFolder("导出", "c:\\", 9, nullptr, "C:\\"));
    EXPECT_EQ(std::string("C:\\backup"), std::string(picker.GetFolderPath()));
}

// A small 24-bit picture file.
void WriteBmp(const std::string& path, int w, int h)
{
    int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + stride * h, 0x80);
    auto put32 = [&](int at, int v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = (unsigned char)(v >> (8 * i));
    };
    std::fill(file.begin(), file.begin() + 54, 0);
    file[0] = 'B', file[1] = 'M';
    put32(2, (int)file.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    file[26] = 1, file[28] = 24;
    std::ofstream(path, std::ios::binary).write((const char*)file.data(), (std::streamsize)file.size());
}

class PictureChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"n.bmp", "p.bmp", "h.bmp", "d.bmp"})
            WriteBmp(dir_.File(name), 8, 6);
        ASSERT_TRUE(host_.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, 0, 0, 100, 60, nullptr, nullptr));
    }
    void TearDown() override { host_.DestroyWindow(); }
    // The file of a picture slot when the case has it ("nphd" letters), else null.
    std::string Path(const char* has, char slot)
    {
        return strchr(has, slot) ? dir_.File(std::string(1, slot) + ".bmp") : "";
    }
    static const char* OrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }
    TempDir dir_;
    CWnd host_;
};

TEST_F(PictureChoice, SkinButtonPaintsByStateFirstMatchWins)
{
    enum { none, normal, pressed, hover, disabled };
    struct Case {
        const char* pictures;
        bool hovering, down, checked, enabled;
        int chosen;
    } cases[] = {
        {"n", false, true, false, true, normal}, // no pressed picture: the look stays while pressed
        {"np", false, true, false, true, pressed},    {"nph", true, false, false, true, hover},
        {"nh", true, false, true, true, hover},       // checked without a pressed picture
        {"nph", true, false, true, true, pressed},    // checked wins over hovering
        {"nphd", true, false, true, false, disabled}, // but disabled wins over checked
        {"nph", false, false, true, false, normal},   // disabled without its picture
        {"", false, false, false, true, none},
    };
    for (const Case& c : cases) {
        CSkinButton button;
        ASSERT_EQ(1, button.Create(418, &host_, nullptr));
        if (c.pictures[0] != '\0') {
            std::string n = Path(c.pictures, 'n'), p = Path(c.pictures, 'p'), h = Path(c.pictures, 'h'),
                        d = Path(c.pictures, 'd');
            ASSERT_EQ(1, button.LoadBitmaps(OrNull(n), OrNull(p), OrNull(h), OrNull(d), 0, 0)) << c.pictures;
            EXPECT_EQ(8, button.GetWidth());
        }
        if (c.hovering)
            button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        if (c.down)
            button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        button.SetChecked(c.checked);
        button.EnableWindow(c.enabled);
        EXPECT_EQ(c.chosen, button.ChosenPicture()) << c.pictures << " hover " << c.hovering << " down " << c.down
                                                    << " checked " << c.checked << " enabled " << c.enabled;
        ReleaseCapture();
    }
}

TEST_F(PictureChoice, StateButtonShowsItsStateAboveHovering)
{
    enum { none, normal, on, hover, disabled };
    struct Case {
        const char* pictures;
        int state;
        bool hovering, enabled;
        int chosen;
    } cases[] = {
        {"np", 0, false, true, normal},  {"np", 1, false, true, on},
        {"nph", 1, true, true, on}, // on ignores hovering
        {"nph", 0, true, true, hover},   {"nphd", 0, false, false, disabled},
        {"np", 0, false, false, normal}, // disabled without its picture
    };
    for (const Case& c : cases) {
        CStateButton button;
        ASSERT_EQ(1, button.Create(437, &host_, nullptr));
        std::string n = Path(c.pictures, 'n'), p = Path(c.pictures, 'p'), h = Path(c.pictures, 'h'),
                    d = Path(c.pictures, 'd');
        ASSERT_EQ(1, button.LoadBitmaps(OrNull(n), OrNull(p), OrNull(h), OrNull(d), 0, 0));
        button.SetState(c.state);
        if (c.hovering)
            button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        button.EnableWindow(c.enabled);
        EXPECT_EQ(c.chosen, button.ChosenPicture()) << c.pictures << " state " << c.state;
        ReleaseCapture();
    }
}

TEST(PanelKeys, PtzKeysStartTheirCodesAndZoomIsTheOtherWayRound)
{
    const int codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 8};
    for (UINT id = ptzKeyLeft; id <= ptzKeyZoomSub; ++id) {
        EXPECT_EQ(codes[id - ptzKeyLeft], PtzKeyStartCode(id)) << id;
        EXPECT_EQ(codes[id - ptzKeyLeft] + 14, PtzStopCode(PtzKeyStartCode(id))) << id;
    }
    EXPECT_EQ(-1, PtzKeyStartCode(ptzKeyCall));
    EXPECT_EQ(-1, PtzKeyStartCode(ptzKeyRelayFirst));
}

TEST(PanelKeys, MatrixKeysAreTheFortySixOfTheKeypad)
{
    struct Expect {
        UINT id;
        const char* key;
        const char* picture;
        int code;
    } expected[] = {
        {455, "mtx_num0", "mtxnum0", -1},
        {464, "mtx_num9", "mtxnum9", -1},
        {465, "mtx_prev", "mtxprev", -1},
        {468, "mtx_enter", "mtxenter", 35},
        {469, "mtx_run", "mtxrun", 37},
        {470, "mtx_group", "mtxgroup", 38},
        {471, "mtx_hold", "mtxhold", 42},
        {472, "mtx_salvo", "mtxsalvo", 39},
        {473, "mtx_backward", "mtxbackward", 41},
        {474, "mtx_forward", "mtxforward", 40},
        {475, "mtx_armon", "mtxalarmon", 45},
        {476, "mtx_armoff", "mtxalarmoff", 46},
        {477, "mtx_swon", "mtxswon", 43},
        {478, "mtx_swoff", "mtxswoff", 44},
        {479, "mtx_time", "mtxtime", 47},
        {480, "mtxmenu0", "mtxmenu0", 50},
        {489, "mtxmenu9", "mtxmenu9", 50},
        {490, "mtxmenuon", "mtxmenuon", 59},
        {491, "mtxmenuoff", "mtxmenuoff", 60},
        {492, "mtxmenuup", "mtxmenuup", 51},
        {497, "mtxmenudownpage", "mtxmenudownpage", 56},
        {499, "mtxmenurightpage", "mtxmenurightpage", 58},
        {500, "mtxmenu", "mtxmenu", 49},
    };
    for (const Expect& e : expected) {
        int index = MatrixKeyIndex(e.id);
        ASSERT_GE(index, 0) << e.id;
        EXPECT_EQ(std::string(e.key), MatrixKey(index).key) << e.id;
        EXPECT_EQ(std::string(e.picture), MatrixKey(index).picture) << e.id;
        EXPECT_EQ(e.code, MatrixKey(index).code) << e.id;
    }
    std::set<UINT> ids;
    for (int i = 0; i < MATRIX_KEY_COUNT; ++i)
        ids.insert(MatrixKey(i).id);
    EXPECT_EQ((size_t)MATRIX_KEY_COUNT, ids.size());
    EXPECT_EQ(455u, *ids.begin());
    EXPECT_EQ(500u, *ids.rbegin());
    EXPECT_EQ(-1, MatrixKeyIndex(454));
}

} // namespace
