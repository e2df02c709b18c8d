// CWardenApp: the station as a program. Records the start directory, starts the skin toolkit with
// the skin carried in the program's resources, picks the optional English resource library, shows
// the splash picture and runs the main dialog modally.
#pragma once

#include <afxwin.h>

class CWardenApp : public CWinApp {
public:
    CWardenApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    void ShowSplash();

    char m_startDirectory[MAX_PATH];
    HINSTANCE m_languageLibrary;
    int m_englishBitmaps;

    DECLARE_MESSAGE_MAP()
};

// The program's application object (only Warden.exe has one; null elsewhere).
CWardenApp* WardenApp();
// Whether the buttons and panels use their "_en" pictures.
int UseEnglishBitmaps();
