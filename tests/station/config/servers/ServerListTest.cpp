// The server list over "serverinfo.dat": the file's bytes after loading, editing and closing, and
// the query dialog taking the chosen entry.
#include <gtest/gtest.h>

#include <fstream>

#include "station/config/queries/DlgFileQuery.h"
#include "station/config/servers/DlgServerList.h"
#include "station/config/servers/DlgServerParam.h"
#include "resources/warden/records.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

ServerInfoRecord Record(const char* name, const char* address, const char* user, const char* password, int port)
{
    ServerInfoRecord r = {};
    strcpy(r.name, name);
    strcpy(r.address, address);
    strcpy(r.user, user);
    strcpy(r.password, password);
    r.port = port;
    return r;
}

std::string Bytes(const ServerInfoRecord& r)
{
    return std::string(reinterpret_cast<const char*>(&r), sizeof r);
}

CDlgServerList* AsList(CWnd* modal)
{
    return dynamic_cast<CDlgServerList*>(modal);
}

ModalStep OnList(std::function<void(CDlgServerList*)> action)
{
    return [=](CWnd* modal) {
        CDlgServerList* list = AsList(modal);
        if (list == nullptr)
            return false;
        action(list);
        return true;
    };
}

ModalStep FillParam(const std::string& name, const std::string& address, const std::string& port,
                    const std::string& user, const std::string& password)
{
    return [=](CWnd* modal) {
        if (dynamic_cast<CDlgServerParam*>(modal) == nullptr)
            return false;
        SetText(modal, IDC_SRVPARAM_NAME, name);
        SetText(modal, IDC_SRVPARAM_ADDRESS, address);
        SetText(modal, IDC_SRVPARAM_PORT, port);
        SetText(modal, IDC_SRVPARAM_USER, user);
        SetText(modal, IDC_SRVPARAM_PASSWORD, password);
        ClickButton(modal, IDOK);
        return true;
    };
}

void SelectRow(CListCtrl& list, int row)
{
    for (int i = 0; i < list.GetItemCount(); ++i)
        list.SetItemState(i, i == row ? LVIS_SELECTED | LVIS_FOCUSED : 0, LVIS_SELECTED | LVIS_FOCUSED);
}

// In the query dialog: the storage-server source, and its "选择" button, which runs the list.
// False while another dialog is on top.
bool ChooseStorageServer(CWnd* modal)
{
    if (dynamic_cast<CDlgFileQuery*>(modal) == nullptr)
        return false;
    ::CheckRadioButton(modal->m_hWnd, IDC_QUERY_LOCAL, IDC_QUERY_STORAGE, IDC_QUERY_STORAGE);
    ClickButton(modal, IDC_QUERY_STORAGE);
    ClickButton(modal, IDC_QUERY_CHOOSE_STORAGE);
    return true;
}

// In the list: the first row, chosen with the button.
ModalStep ChooseFirstRow()
{
    return OnList([](CDlgServerList* d) {
        SelectRow(d->m_list, 0);
        ClickButton(d, IDC_SRVLIST_CHOOSE);
    });
}

class ServerListTest : public ConfigTest {
protected:
    void WriteFile(const std::string& bytes)
    {
        std::ofstream out(StartPath("serverinfo.dat"), std::ios::binary);
        out << bytes;
    }
    bool FileExists() { return ::GetFileAttributesA(StartPath("serverinfo.dat").c_str()) != INVALID_FILE_ATTRIBUTES; }
};

} // namespace

TEST_F(ServerListTest, AMissingFileIsCreatedEmpty)
{
    ASSERT_FALSE(FileExists());
    CDlgServerList dialog;
    int rows = -1;
    bool createdWhileOpen = false;
    RunModal(dialog, {OnList([&](CDlgServerList* d) {
                 rows = d->m_list.GetItemCount();
                 createdWhileOpen = FileExists();
                 ClickButton(d, IDCANCEL);
             })});
    EXPECT_EQ(0, rows);
    EXPECT_TRUE(createdWhileOpen);
    EXPECT_EQ("", FileBytes("serverinfo.dat"));
}

TEST_F(ServerListTest, APartialLastRecordIsDroppedOnTheNextSave)
{
    const ServerInfoRecord a = Record("总部", "10.0.0.1", "admin", "1234", 3000);
    const ServerInfoRecord b = Record("分部", "10.0.0.2", "guest", "", 3100);
    WriteFile(Bytes(a) + Bytes(b) + std::string(50, 'x'));
    CDlgServerList dialog;
    std::vector<std::string> row1;
    RunModal(dialog, {OnList([&](CDlgServerList* d) {
                 ASSERT_EQ(2, d->m_list.GetItemCount());
                 for (int c = 0; c < 5; ++c)
                     row1.push_back(std::string(d->m_list.GetItemText(1, c)));
                 ClickButton(d, IDCANCEL);
             })});
    EXPECT_EQ(std::vector<std::string>({"分部", "10.0.0.2", "3100", "guest", ""}), row1);
    EXPECT_EQ(Bytes(a) + Bytes(b), FileBytes("serverinfo.dat"));
}

TEST_F(ServerListTest, AFileThatCannotBeOpenedIsLeftAlone)
{
    const std::string original = Bytes(Record("总部", "10.0.0.1", "admin", "1234", 3000));
    WriteFile(original);
    HANDLE held =
        ::CreateFileA(StartPath("serverinfo.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    MessageBoxRecorder boxes;
    CDlgServerList dialog;
    int rows = -1;
    RunModal(dialog, {OnList([&](CDlgServerList* d) {
                          rows = d->m_list.GetItemCount();
                          ::CloseHandle(held); // the failure has passed by the time the dialog closes
                      }),
                      OnList([](CDlgServerList* d) { ClickButton(d, IDC_SRVLIST_ADD); }),
                      FillParam("新", "10.0.0.3", "3000", "u", "p"),
                      OnList([](CDlgServerList* d) { ClickButton(d, IDCANCEL); })});
    EXPECT_EQ(0, rows);
    EXPECT_EQ(original, FileBytes("serverinfo.dat"));
}

TEST_F(ServerListTest, AddChangeDeleteAndChooseWriteTheFileWhenTheDialogCloses)
{
    const ServerInfoRecord a = Record("总部", "10.0.0.1", "admin", "1234", 3000);
    const ServerInfoRecord b = Record("分部", "10.0.0.2", "guest", "pw", 3100);
    const ServerInfoRecord c = Record("仓库", "10.0.0.3", "root", "x", 3200);
    WriteFile(Bytes(a) + Bytes(b) + Bytes(c));
    MessageBoxRecorder boxes;
    const std::string name40(40, 'n'), name39(39, 'n');
    CDlgServerList dialog;
    std::vector<int> focus;
    INT_PTR result =
        RunModal(dialog, {OnList([&](CDlgServerList* d) {
                              ClickButton(d, IDC_SRVLIST_EDIT);
                              focus.push_back(FocusId());
                              ClickButton(d, IDC_SRVLIST_DELETE);
                              focus.push_back(FocusId());
                              ClickButton(d, IDC_SRVLIST_CHOOSE);
                              focus.push_back(FocusId());
                              SelectRow(d->m_list, 1);
                              ClickButton(d, IDC_SRVLIST_DELETE); // 分部, without a question
                              SelectRow(d->m_list, 0);
                              ClickButton(d, IDC_SRVLIST_EDIT);
                          }),
                          // A 40-byte name leaves no room for the field's terminator: refused, then 39 bytes.
                          [&](CWnd* modal) {
                              if (dynamic_cast<CDlgServerParam*>(modal) == nullptr)
                                  return false;
                              EXPECT_EQ("总部", GetText(modal, IDC_SRVPARAM_NAME));
                              EXPECT_EQ("3000", GetText(modal, IDC_SRVPARAM_PORT));
                              SetText(modal, IDC_SRVPARAM_NAME, name40);
                              ClickButton(modal, IDOK);
                              focus.push_back(FocusId());
                              return true;
                          },
                          FillParam(name39, "10.9.9.9", "4000", "admin", "5678"), OnList([&](CDlgServerList* d) {
                              EXPECT_EQ(name39, std::string(d->m_list.GetItemText(0, 0)));
                              ClickButton(d, IDC_SRVLIST_ADD);
                          }),
                          FillParam("新站", "192.168.1.9", "3300", "op", "pp"), OnList([](CDlgServerList* d) {
                              ASSERT_EQ(3, d->m_list.GetItemCount());
                              EXPECT_EQ("新站", std::string(d->m_list.GetItemText(2, 0)));
                              // The keyboard moved the selection to the last row; "选择" takes that one.
                              SelectRow(d->m_list, 2);
                              ClickButton(d, IDC_SRVLIST_CHOOSE);
                          })});
    EXPECT_EQ(IDOK, result);
    ASSERT_EQ(4u, boxes.Boxes().size());
    EXPECT_EQ("请选择你要编辑的服务器", boxes.Boxes()[0].text);
    EXPECT_EQ("请选择你要删除的服务器", boxes.Boxes()[1].text);
    EXPECT_EQ("请选择你要选择的服务器", boxes.Boxes()[2].text);
    EXPECT_EQ(std::vector<int>({IDC_SRVLIST_LIST, IDC_SRVLIST_LIST, IDC_SRVLIST_LIST, IDC_SRVPARAM_NAME}), focus);
    ServerInfoRecord changed = Record("", "10.9.9.9", "admin", "5678", 4000);
    memcpy(changed.name, name39.c_str(), 39);
    const ServerInfoRecord added = Record("新站", "192.168.1.9", "op", "pp", 3300);
    EXPECT_EQ(Bytes(added), Bytes(dialog.m_chosen));
    EXPECT_EQ(Bytes(changed) + Bytes(c) + Bytes(added), FileBytes("serverinfo.dat"));
}

TEST_F(ServerListTest, AClickChoosesADoubleClickChoosesAndCloses)
{
    const ServerInfoRecord a = Record("总部", "10.0.0.1", "admin", "1234", 3000);
    const ServerInfoRecord b = Record("分部", "10.0.0.2", "guest", "pw", 3100);
    WriteFile(Bytes(a) + Bytes(b));
    CDlgServerList dialog;
    std::string afterClick;
    INT_PTR result = RunModal(dialog, {OnList([&](CDlgServerList* d) {
                                  SelectRow(d->m_list, 1);
                                  Notify(d, IDC_SRVLIST_LIST, NM_CLICK);
                                  afterClick = Bytes(d->m_chosen);
                                  SelectRow(d->m_list, 0);
                                  Notify(d, IDC_SRVLIST_LIST, NM_DBLCLK);
                              })});
    EXPECT_EQ(Bytes(b), afterClick);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(Bytes(a), Bytes(dialog.m_chosen));
}

TEST_F(ServerListTest, TheQueryDialogTakesTheChosenServer)
{
    WriteFile(Bytes(Record("分部", "10.0.0.2", "guest", "pw", 3100)));
    CDlgFileQuery query;
    std::vector<std::string> fields;
    RunModal(query, {[&](CWnd* modal) {
                         if (!ChooseStorageServer(modal))
                             return false;
                         for (int id : {IDC_QUERY_ADDRESS, IDC_QUERY_USER, IDC_QUERY_PASSWORD, IDC_QUERY_PORT})
                             fields.push_back(GetText(modal, id));
                         return true;
                     },
                     ChooseFirstRow()});
    EXPECT_EQ(std::vector<std::string>({"10.0.0.2", "guest", "pw", "3100"}), fields);
}

// The list takes no account longer than the query (and its media library) takes, and no port
// beyond the range: what it keeps, the query accepts as it is.
TEST_F(ServerListTest, AnEntryTheListKeepsIsOneTheQueryTakes)
{
    MessageBoxRecorder boxes;
    const std::string user(23, 'u'), password(23, 'p');
    CDlgFileQuery query;
    BOOL accepted = FALSE;
    std::vector<std::string> fields;
    RunModal(query, {[&](CWnd* modal) {
                         if (!ChooseStorageServer(modal))
                             return false;
                         for (int id : {IDC_QUERY_USER, IDC_QUERY_PASSWORD, IDC_QUERY_PORT})
                             fields.push_back(GetText(modal, id));
                         accepted = modal->UpdateData(TRUE);
                         return true;
                     },
                     OnList([](CDlgServerList* d) { ClickButton(d, IDC_SRVLIST_ADD); }),
                     FillParam("存储", "10.0.0.9", "3000", user + "u", password),
                     FillParam("存储", "10.0.0.9", "3000", user, password + "p"),
                     FillParam("存储", "10.0.0.9", "65536", user, password),
                     FillParam("存储", "10.0.0.9", "3000", user, password), ChooseFirstRow()});
    std::vector<std::string> messages;
    for (const RecordedBox& box : boxes.Boxes())
        messages.push_back(box.text);
    EXPECT_EQ(std::vector<std::string>({"在此字段中请不要超过23个字符。", "在此字段中请不要超过23个字符。",
                                        "请填入一个在1和65535之间的整数。"}),
              messages);
    EXPECT_EQ(std::vector<std::string>({user, password, "3000"}), fields);
    EXPECT_TRUE(accepted) << "the query refused what the list handed it";
}

TEST_F(ServerListTest, AChangedEntryKeepsNothingOfItsLongerOldTexts)
{
    // Every field shorter after the change: the bytes after each new terminator must be zero, as
    // in an entry made new, not the rest of the old text.
    const ServerInfoRecord old = Record("总部监控中心机房", "192.168.100.200", "administrator", "longpassword", 3000);
    WriteFile(Bytes(old));
    CDlgServerList dialog;
    RunModal(dialog, {OnList([](CDlgServerList* d) {
                          SelectRow(d->m_list, 0);
                          ClickButton(d, IDC_SRVLIST_EDIT);
                      }),
                      FillParam("总部", "10.0.0.1", "3001", "op", "pw"),
                      OnList([](CDlgServerList* d) { ClickButton(d, IDOK); })});
    EXPECT_EQ(Bytes(Record("总部", "10.0.0.1", "op", "pw", 3001)), FileBytes("serverinfo.dat"));
}
