// The recording drives page through the drive seam: which drives are listed, the reserve rules, the
// last box kept, the folder chooser, and the bytes of "sysrecord.dat"; and the platform's own
// drives under this prefix.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/GridCellEdit.h"
#include "framework/WindowSeams.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/storage/StoragePathFile.h"
#include "tests/station/config/system/SysSettingTestSupport.h"

namespace {

enum { rowC, rowD, rowF };

std::string Row(CGridListCtrl& list, int row)
{
    std::string text = std::to_string(list.GetCheckbox(row, 0));
    for (int column = 0; column < 5; ++column)
        text += "|" + std::string(list.GetItemText(row, column));
    return text;
}

std::string ColumnText(CListCtrl& list, int column)
{
    char text[64] = "";
    LVCOLUMNA format = {};
    format.mask = LVCF_TEXT;
    format.pszText = text;
    format.cchTextMax = sizeof text;
    list.GetColumn(column, &format);
    return text;
}

ModalStep OnDrives(std::function<void(CDlgSysSetting*, CDlgSysRecordDrive*)> action)
{
    return OnTab(tabDrives, [=](CDlgSysSetting* d, CWnd*) { action(d, &d->m_drives); });
}

std::string Records(std::initializer_list<StoragePathEntry> entries)
{
    std::string bytes;
    for (const StoragePathEntry& entry : entries)
        bytes.append(reinterpret_cast<const char*>(&entry), sizeof entry);
    return bytes;
}

void WriteRoots(std::initializer_list<StoragePathEntry> entries)
{
    std::vector<StoragePathEntry> table(entries);
    ASSERT_TRUE(SaveStorageRoots(GetStartDirectory(), table.data(), (int)table.size()));
}

class RecordDriveTest : public SysSettingTest {};

} // namespace

TEST_F(RecordDriveTest, ListsRemovableFixedAndNetworkDrivesWithDCheckedByDefault)
{
    SetFakeDrive('H', {DRIVE_REMOVABLE, 0, 0}); // a card reader without a card
    CDlgSysSetting dialog;
    RunModal(dialog, {OnDrives([](CDlgSysSetting*, CDlgSysRecordDrive* page) {
                          CGridListCtrl& list = page->m_list;
                          ASSERT_EQ(4, list.GetItemCount()) << "no CD, no RAM disk, no Z";
                          EXPECT_EQ("0|C:|100000|40000|500|", Row(list, rowC));
                          EXPECT_EQ("1|D:|200000|150000|500|", Row(list, rowD));
                          EXPECT_EQ("0|F:|50000|1000|500|", Row(list, rowF));
                          EXPECT_EQ("0|H:|0|0|500|", Row(list, 3));
                          EXPECT_EQ("预留空间(M)", ColumnText(list, 3));
                      }),
                      PressCancel()});
}

TEST_F(RecordDriveTest, FileEntriesShowOnTheirDrivesAndAMissingDriveIsDroppedAtSave)
{
    WriteRoots({MakeStorageEntry("F:", 300, "F:\\cams"), MakeStorageEntry("X:", 100, ""),
                MakeStorageEntry("d:", 50, "")}); // roots compare with their case
    CDlgSysSetting dialog;
    INT_PTR result = RunModal(dialog, {OnDrives([](CDlgSysSetting*, CDlgSysRecordDrive* page) {
                                           EXPECT_EQ("0|D:|200000|150000|500|", Row(page->m_list, rowD));
                                           EXPECT_EQ("1|F:|50000|1000|300|F:\\cams", Row(page->m_list, rowF));
                                       }),
                                       PressOk()});
    ASSERT_EQ(IDOK, result);
    EXPECT_EQ(Records({MakeStorageEntry("F:", 300, "F:\\cams")}), FileBytes("sysrecord.dat"));
}

// After an in-place edit the reserve cell shows what will be saved: the typed number when it fits
// the free space, else the free space.
TEST_F(RecordDriveTest, AnEditedReserveIsCorrectedToTheFreeSpace)
{
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"120", "120"},
                 {"007", "7"},
                 {"150000", "150000"},
                 {"150001", "150000"},
                 {"-5", "150000"},
                 {"99999999999", "150000"},
                 {"", "0"}};
    CDlgSysSetting dialog;
    RunModal(dialog, {OnDrives([&](CDlgSysSetting*, CDlgSysRecordDrive* page) {
                          for (const auto& c : cases) {
                              SCOPED_TRACE(c.typed);
                              page->m_list.SetItemText(rowD, 3, c.typed);
                              page->SendMessage(WM_GRIDLIST_EDIT_END, rowD, 3);
                              EXPECT_EQ(c.shown, std::string(page->m_list.GetItemText(rowD, 3)));
                          }
                          page->m_list.SetItemText(rowD, 3, "250");
                          page->SendMessage(WM_GRIDLIST_EDIT_END, rowD, 3);
                      }),
                      PressOk()});
    EXPECT_EQ(Records({MakeStorageEntry("D:", 250, "")}), FileBytes("sysrecord.dat"));
}

// Enter in the cell's editor ends the edit (corrected at once) and neither applies nor closes the
// settings dialog.
TEST_F(RecordDriveTest, EnterInTheReserveCellCommitsWhileTheDialogStaysOpen)
{
    HWND editor = nullptr;
    CDlgSysSetting dialog;
    INT_PTR result = RunModal(dialog, {OnDrives([&](CDlgSysSetting*, CDlgSysRecordDrive* page) {
                                           page->m_list.ShowEditCell(rowF, 3);
                                           ASSERT_NE(nullptr, page->m_list.GetEditBox());
                                           editor = page->m_list.GetEditBox()->m_hWnd;
                                           ::SetWindowTextA(editor, "4000");
                                           ::PostMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
                                       }),
                                       OnDrives([&](CDlgSysSetting* d, CDlgSysRecordDrive* page) {
                                           EXPECT_EQ(nullptr, page->m_list.GetEditBox());
                                           EXPECT_EQ("1000", std::string(page->m_list.GetItemText(rowF, 3)))
                                               << "more than F's free space";
                                           EXPECT_TRUE(d->IsWindowVisible());
                                       }),
                                       PressCancel()});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ("", FileBytes("sysrecord.dat"));
}

TEST_F(RecordDriveTest, TheLastCheckedDriveCannotBeUnchecked)
{
    MessageBoxRecorder boxes;
    CDlgSysSetting dialog;
    RunModal(dialog, {OnDrives([](CDlgSysSetting*, CDlgSysRecordDrive* page) {
                          page->m_list.SetCheckbox(rowC, 0, 1);
                          page->SendMessage(WM_GRIDLIST_CHECKBOX_CLICKED, rowC, 0);
                          page->m_list.SetCheckbox(rowD, 0, 0);
                          page->SendMessage(WM_GRIDLIST_CHECKBOX_CLICKED, rowD, 0);
                          page->m_list.SetCheckbox(rowC, 0, 0);
                          page->SendMessage(WM_GRIDLIST_CHECKBOX_CLICKED, rowC, 0);
                          EXPECT_EQ(1, page->m_list.GetCheckbox(rowC, 0)) << "checked again";
                          EXPECT_EQ(0, page->m_list.GetCheckbox(rowD, 0));
                      }),
                      PressOk()});
    ASSERT_FALSE(boxes.Boxes().empty()); // OK may add the serial ports' failures
    EXPECT_EQ("请至少选择其中一个盘符", boxes.Boxes()[0].text);
    EXPECT_EQ(Records({MakeStorageEntry("C:", 500, "")}), FileBytes("sysrecord.dat"));
}

// A file whose drives are all gone shows no box checked; OK refuses rather than write an empty file
// that would stop recording.
TEST_F(RecordDriveTest, OkWithNoDriveCheckedIsRefused)
{
    WriteRoots({MakeStorageEntry("X:", 100, "")});
    const std::string before = FileBytes("sysrecord.dat");
    MessageBoxRecorder boxes;
    CDlgSysSetting dialog;
    RunModal(dialog, {PressOk(), OnSettings([](CDlgSysSetting* d) {
                          EXPECT_EQ(tabDrives, d->m_tab.GetCurSel());
                          EXPECT_TRUE(d->IsWindowVisible());
                          ClickButton(d, IDCANCEL);
                      })});
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("请至少选择其中一个盘符", boxes.Boxes()[0].text);
    EXPECT_EQ(before, FileBytes("sysrecord.dat"));
}

TEST_F(RecordDriveTest, TheFolderColumnOpensAChooserRootedAtTheDrive)
{
    static std::string title, initial, answer;
    static bool rooted;
    Seams::FolderDialogFunc previous =
        Seams::ReplaceFolderDialog([](const BROWSEINFOA* bi, LPCSTR start, LPSTR path) -> BOOL {
            title = bi->lpszTitle != nullptr ? bi->lpszTitle : "";
            initial = start != nullptr ? start : "";
            rooted = bi->pidlRoot != nullptr;
            ::SetCurrentDirectoryA(ProgramDirectory().c_str());
            lstrcpynA(path, answer.c_str(), MAX_PATH);
            return !answer.empty();
        });
    const std::string start(GetStartDirectory());
    CDlgSysSetting dialog;
    RunModal(dialog, {OnDrives([&](CDlgSysSetting*, CDlgSysRecordDrive* page) {
                          answer = "C:\\录像";
                          page->SendMessage(WM_GRIDLIST_SUBITEM_CLICKED, rowC, 4);
                          EXPECT_EQ("请选择录像存放目录", title);
                          EXPECT_EQ("", initial);
                          EXPECT_TRUE(rooted) << "C:\\ exists under this prefix";
                          EXPECT_EQ("C:\\录像", std::string(page->m_list.GetItemText(rowC, 4)));
                          answer.clear();
                          page->SendMessage(WM_GRIDLIST_SUBITEM_CLICKED, rowC, 4);
                          EXPECT_EQ("C:\\录像", initial);
                          EXPECT_EQ("C:\\录像", std::string(page->m_list.GetItemText(rowC, 4)));
                          title.clear();
                          page->SendMessage(WM_GRIDLIST_SUBITEM_CLICKED, rowC, 2);
                          EXPECT_EQ("", title) << "only the folder column chooses";
                          page->m_list.SetCheckbox(rowC, 0, 1);
                      }),
                      PressOk()});
    Seams::ReplaceFolderDialog(previous);
    char current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STREQ(start.c_str(), current);
    EXPECT_EQ(Records({MakeStorageEntry("C:", 500, "C:\\录像"), MakeStorageEntry("D:", 500, "")}),
              FileBytes("sysrecord.dat"));
}

TEST_F(RecordDriveTest, AFileOfMoreThanFortyRecordsIsReadToItsFortieth)
{
    std::vector<StoragePathEntry> table(45, MakeStorageEntry("Q:", 1, ""));
    table[44] = MakeStorageEntry("C:", 77, "");
    table[39] = MakeStorageEntry("F:", 66, "");
    ASSERT_TRUE(SaveStorageRoots(GetStartDirectory(), table.data(), (int)table.size()));
    CDlgSysSetting dialog;
    RunModal(dialog, {OnDrives([](CDlgSysSetting*, CDlgSysRecordDrive* page) {
                          EXPECT_EQ(40, page->m_count);
                          EXPECT_EQ("0|C:|100000|40000|500|", Row(page->m_list, rowC)) << "record 45 is not read";
                          EXPECT_EQ("1|F:|50000|1000|66|", Row(page->m_list, rowF));
                      }),
                      PressCancel()});
}

// The platform's own answers under this Wine prefix: C: is a fixed drive, and Z: (the prefix's
// view of the host) is never offered.
TEST(RecordDrivesPlatform, CIsListedAndZNever)
{
    ReplaceDriveQueries(nullptr);
    UINT mode = ::SetErrorMode(0);
    RecordDrive drives[kRecordDriveLetters];
    int count = ListRecordDrives(drives);
    EXPECT_EQ(0u, ::SetErrorMode(mode)) << "the error mode is put back";
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(drives[i].name);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ("C:", names[0]);
    EXPECT_GT(drives[0].totalMB, 0);
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), "Z:"));
}
