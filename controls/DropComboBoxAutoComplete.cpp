// CDropComboBox's completion of typed text: auto-append writes the first item that begins with it
// into the edit part, auto-suggest opens a list of the longer items that begin with it.
#include "controls/DropComboBox.h"

#include "controls/DropComboBoxEdit.h"
#include "controls/DropComboLogic.h"

void CDropComboBox::AutoComplete()
{
    if (RunAutoComplete() && !m_dropped)
        Notify(CBN_EDITUPDATE);
}

bool CDropComboBox::RunAutoComplete()
{
    if (m_edit == nullptr || s_appending || ::GetFocus() != m_edit->GetSafeHwnd())
        return true;
    CString typedText;
    m_edit->GetWindowText(typedText);
    std::string typed(static_cast<LPCSTR>(typedText));
    std::vector<std::string> texts = Texts();
    if ((m_flags & DROPCOMBO_AUTO_APPEND) && m_appendAllowed) {
        if (typed.empty())
            return false;
        int match = DropCombo::AppendMatch(texts, typed);
        if (match != -1) {
            s_appending = true;
            m_edit->SetWindowText(texts[match].c_str());
            m_edit->SetSel(static_cast<int>(typed.size()), static_cast<int>(texts[match].size()));
            s_appending = false;
        }
    }
    if (m_flags & DROPCOMBO_AUTO_SUGGEST) {
        if (typed.empty()) {
            if (m_dropped)
                SendMessage(WM_DROPCOMBO_CLOSEUP);
            return false;
        }
        std::vector<int> matches = DropCombo::SuggestMatches(texts, typed);
        if (m_dropWnd != nullptr)
            SendMessage(WM_DROPCOMBO_CLOSEUP);
        if (matches.size() > 1) {
            DropComboItems shown;
            for (int index : matches)
                shown.push_back(m_items[index]);
            m_curSel = 0;
            ShowDropDown(shown);
        }
    }
    return true;
}

void CDropComboBox::OnEditUpdate()
{
    AutoComplete();
}
