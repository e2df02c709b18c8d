// The application object of Clipview.exe.
#include "player/PlayerApp.h"

#include <afxdisp.h>

#include "player/PlayerDlg.h"
#include "skin/engine/toolkit/Tessarine.h"
#include "framework/StartupTrace.h"

namespace {

PlayerState g_player = {{0}, 1, 0, {352, 288}};

} // namespace

PlayerState& Player()
{
    if (g_player.programDirectory[0] == '\0')
        ::GetCurrentDirectoryA(sizeof g_player.programDirectory, g_player.programDirectory);
    return g_player;
}

void RestoreProgramDirectory()
{
    ::SetCurrentDirectoryA(Player().programDirectory);
}

BEGIN_MESSAGE_MAP(CPlayerApp, CWinApp)
END_MESSAGE_MAP()

CPlayerApp::CPlayerApp() : m_languageLibrary(nullptr)
{
    ::GetCurrentDirectoryA(sizeof g_player.programDirectory, g_player.programDirectory);
    g_player.displayMode = 1;
    g_player.activePane = 0;
}

BOOL CPlayerApp::InitInstance()
{
    TraceStartupStep("application");
    AfxEnableControlContainer();
    TessarineInit(m_hInstance);
    TraceStartupStep("toolkit");
    TessarineLoadSkin(m_hInstance, "DEFAULT", "TESSARINE");
    TraceStartupStep("skin");
    Enable3dControls();
    m_languageLibrary = ::LoadLibraryA("ClipviewEn.dll");
    if (m_languageLibrary != nullptr)
        AfxSetResourceHandle(m_languageLibrary);
    TraceStartupStep("language");
    CPlayerDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CPlayerApp::ExitInstance()
{
    if (m_languageLibrary != nullptr) {
        AfxSetResourceHandle(m_hInstance);
        ::FreeLibrary(m_languageLibrary);
        m_languageLibrary = nullptr;
    }
    TessarineShutdown();
    return CWinApp::ExitInstance();
}
