// The application object of Warden.exe.
#include "station/ui/mainwindow/WardenApp.h"

#include <afxdisp.h>

#include "skin/engine/toolkit/Tessarine.h"
#include "station/core/datamodel/SaveLeftovers.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/ui/mainwindow/DlgMain.h"
#include "station/ui/mainwindow/DlgSplash.h"
#include "framework/StartupTrace.h"

namespace {
CWardenApp* g_wardenApp = nullptr;
} // namespace

CWardenApp* WardenApp()
{
    return g_wardenApp;
}
int UseEnglishBitmaps()
{
    return g_wardenApp != nullptr ? g_wardenApp->m_englishBitmaps : 0;
}

BEGIN_MESSAGE_MAP(CWardenApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CWardenApp::CWardenApp() : m_startDirectory(), m_languageLibrary(nullptr), m_englishBitmaps(0)
{
    ::GetCurrentDirectoryA(sizeof m_startDirectory, m_startDirectory);
    g_wardenApp = this;
}

BOOL CWardenApp::InitInstance()
{
    TraceStartupStep("application");
    SetStartDirectory(m_startDirectory);
    // A save cut short by a kill leaves its temporary copy (and older versions a plain user list): gone
    // before anything is loaded.
    RemoveInterruptedSaveLeftovers();
    AfxEnableControlContainer();
    TessarineInit(m_hInstance);
    TraceStartupStep("toolkit");
    TessarineLoadSkin(m_hInstance, "DEFAULT", "TESSARINE");
    TraceStartupStep("skin");
    Enable3dControls();
    m_languageLibrary = ::LoadLibraryA("en_resource.dll");
    if (m_languageLibrary != nullptr) {
        AfxSetResourceHandle(m_languageLibrary);
        m_englishBitmaps = 1;
    }
    TraceStartupStep("language");
    ShowSplash();
    CDlgMain dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CWardenApp::ExitInstance()
{
    if (m_languageLibrary != nullptr) {
        AfxSetResourceHandle(m_hInstance);
        ::FreeLibrary(m_languageLibrary);
        m_languageLibrary = nullptr;
    }
    TessarineShutdown();
    return CWinApp::ExitInstance();
}

void CWardenApp::ShowSplash()
{
    HBITMAP picture = LoadSplashPicture(m_startDirectory);
    if (picture == nullptr)
        return;
    BITMAP info = {};
    ::GetObjectA(picture, sizeof info, &info);
    ::DeleteObject(picture);
    CDlgSplash splash;
    splash.m_pictureWidth = info.bmWidth;
    splash.m_pictureHeight = info.bmHeight;
    splash.DoModal();
}
