// CWinThread and AfxBeginThread: worker threads running a function, and threads with a message
// loop built from a CWinThread-derived class. The application class derives from CWinThread.
//
// As on the platform, a thread object deletes itself when its thread ends (m_bAutoDelete).
// To wait on m_hThread, start the thread suspended, clear m_bAutoDelete, resume it, wait, and
// then delete the object, which closes the handle.
#pragma once

#include "framework/CmdTarget.h"

class CWnd;

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    CWnd* m_pMainWnd;
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    operator HANDLE() const { return m_hThread; }

    int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
    }

    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    // For threads with a message loop: InitInstance (FALSE ends the thread at once), then Run,
    // whose result, from ExitInstance, is the thread's exit code.
    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage(); // FALSE on WM_QUIT
    virtual BOOL OnIdle(LONG lCount);
    virtual int ExitInstance();
    virtual void Delete(); // deletes the object when m_bAutoDelete is set

    MSG m_msgCur;
    LPVOID m_pThreadParams;
    AFX_THREADPROC m_pfnThreadProc;

protected:
    // The object AfxGetThread returns on the calling thread (the application registers itself).
    static void SetCurrentThreadObject(CWinThread* pThread);

private:
    static unsigned __stdcall ThreadEntry(void* pParam);
};

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// pThreadClass must be made with DECLARE_DYNCREATE and derive from CWinThread.
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling thread, which AfxBeginThread started, without unwinding its stack.
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
CWinThread* AFXAPI AfxGetThread();
