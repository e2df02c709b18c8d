// CPlayerApp: Clipview as a program. Records the program directory, starts the skin toolkit with
// the skin in the program's resources, picks the optional English resource library and runs the
// main dialog modally. The program-wide values live in PlayerState, which tests fill themselves.
#pragma once

#include <afxwin.h>

struct PlayerState {
    char programDirectory[MAX_PATH]; // without a trailing backslash
    int displayMode;                 // 1 or 4
    int activePane;                  // 0..3
    SIZE picture;                    // the last size given to ResizeForPicture
};
// The one set of program-wide values (the current directory when nothing set it yet).
PlayerState& Player();
// Makes the program directory current again, as every file dialog of the player does afterwards.
void RestoreProgramDirectory();

class CPlayerApp : public CWinApp {
public:
    CPlayerApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    HINSTANCE m_languageLibrary;

    DECLARE_MESSAGE_MAP()
};
