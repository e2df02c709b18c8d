#include "station/ui/liveview/DlgPresetCycle.h"

#include <cstdlib>

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"

BEGIN_MESSAGE_MAP(CDlgPresetCycle, CDialog)
ON_BN_CLICKED(IDC_CYCLE_ADD, OnAdd)
ON_BN_CLICKED(IDC_CYCLE_MODIFY, OnModify)
ON_BN_CLICKED(IDC_CYCLE_DELETE, OnDelete)
ON_NOTIFY(NM_CLICK, IDC_CYCLE_LIST, OnListClick)
END_MESSAGE_MAP()

CDlgPresetCycle::CDlgPresetCycle(CTermCamera* camera, CWnd* parent)
    : CDialog(IDD, parent), m_pCamera(camera), m_preset(1), m_dwell(1)
{
}

void CDlgPresetCycle::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CYCLE_LIST, m_list);
    DDX_Text(pDX, IDC_CYCLE_PRESET, m_preset);
    DDX_Text(pDX, IDC_CYCLE_DWELL, m_dwell);
}

BOOL CDlgPresetCycle::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.InsertColumn(0, CString(MAKEINTRESOURCE(IDS_CYCLE_PRESET_COLUMN)), LVCFMT_LEFT, 90);
    m_list.InsertColumn(1, CString(MAKEINTRESOURCE(IDS_CYCLE_DWELL_COLUMN)), LVCFMT_LEFT, 80);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    if (m_pCamera != nullptr) {
        for (int i = 0; i < m_pCamera->m_presetTour.GetSize(); ++i) {
            m_list.InsertItem(i, "");
            SetRow(i, m_pCamera->m_presetTour[i].preset, m_pCamera->m_presetTour[i].dwellSeconds);
        }
    }
    return TRUE;
}

int CDlgPresetCycle::SelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CDlgPresetCycle::SetRow(int row, int preset, int dwell)
{
    CString text;
    text.Format("%d", preset);
    m_list.SetItemText(row, 0, text);
    text.Format("%d", dwell);
    m_list.SetItemText(row, 1, text);
}

void CDlgPresetCycle::OnAdd()
{
    if (!UpdateData(TRUE))
        return;
    int row = m_list.InsertItem(m_list.GetItemCount(), "");
    SetRow(row, m_preset, m_dwell);
}

void CDlgPresetCycle::OnModify()
{
    int row = SelectedRow();
    if (row < 0 || !UpdateData(TRUE))
        return;
    SetRow(row, m_preset, m_dwell);
}

void CDlgPresetCycle::OnDelete()
{
    int row = SelectedRow();
    if (row >= 0)
        m_list.DeleteItem(row);
}

void CDlgPresetCycle::OnListClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    int row = SelectedRow();
    if (row < 0)
        return;
    m_preset = atoi(m_list.GetItemText(row, 0));
    m_dwell = atoi(m_list.GetItemText(row, 1));
    UpdateData(FALSE);
}

void CDlgPresetCycle::OnOK()
{
    if (m_pCamera != nullptr) {
        // Each cell is read whole: a dwell of 1200 stays 1200.
        m_pCamera->m_presetTour.RemoveAll();
        for (int row = 0; row < m_list.GetItemCount(); ++row) {
            PresetTourEntry entry = {atoi(m_list.GetItemText(row, 0)), atoi(m_list.GetItemText(row, 1))};
            m_pCamera->m_presetTour.Add(entry);
        }
        if (g_pRecGroup != nullptr)
            g_pRecGroup->Save();
    }
    EndDialog(IDOK);
}
