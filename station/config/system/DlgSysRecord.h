// CDlgSysRecord: the recording page (162) of the system settings: what to do when no disk has
// space, the players' paths, the log folder and how long the log is kept, the video connection
// buffers, the file packing time, the four alarm sounds and the recording file format.
#pragma once

#include "station/config/ConfigPage.h"
#include "resources/warden/settings.h"

class CDlgSysRecord : public CConfigPage {
public:
    enum { IDD = IDD_SYS_RECORD };
    CDlgSysRecord();

    void WriteValues() override;

    // Log-keeping days to the combo's index (0, 10, 20; anything else shows as 30) and back.
    static int LogDaysIndex(int days);
    static int LogDaysOfIndex(int index);

    int m_diskFullMode;
    CString m_playerPath;
    CString m_logDirectory;
    int m_connectBuffers;
    int m_localAddressIndex;
    int m_logDaysIndex;
    int m_packMinutes;
    CString m_sounds[4];
    int m_formatIndex;
    CString m_asfPlayerPath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnBrowsePlayer();
    afx_msg void OnBrowseAsfPlayer();
    afx_msg void OnBrowseSound(UINT id);
    afx_msg void OnBrowseLogDirectory();
    DECLARE_MESSAGE_MAP()

private:
    void BrowseProgram(int editId);
};

// The open-file filters of the settings pages' browse buttons.
extern const char kProgramFilter[];
extern const char kSoundFilter[];
