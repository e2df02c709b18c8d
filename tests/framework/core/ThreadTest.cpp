// AfxBeginThread and CWinThread, and the synchronisation objects with CSingleLock.
#include <afxmt.h>
#include <gtest/gtest.h>

#include <WinThread.h>

namespace {

const DWORD kWaitMs = 10000; // bound on every wait; the work itself takes microseconds

UINT AFX_CDECL ReturnParam(LPVOID param)
{
    return (UINT)(UINT_PTR)param;
}

TEST(ThreadTest, WorkerThreadCanBeWaitedFor)
{
    // Started suspended so that auto-deletion can be switched off before it can end.
    CWinThread* thread = AfxBeginThread(ReturnParam, (LPVOID)42, THREAD_PRIORITY_NORMAL, 2048, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, kWaitMs), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 42u);
    delete thread;
}

} // namespace

namespace {
HANDLE uiReady;
HANDLE uiDestroyed;
CWinThread* uiSeenByAfxGetThread;
} // namespace

// A thread with a message loop, made by class name as AfxBeginThread does.

class CTestUiThread : public CWinThread {
    DECLARE_DYNCREATE(CTestUiThread)
public:
    ~CTestUiThread() override { SetEvent(uiDestroyed); }
    BOOL InitInstance() override
    {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue exists before anyone posts
        uiSeenByAfxGetThread = AfxGetThread();
        SetEvent(uiReady);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP)
            ++appMessages;
        return FALSE;
    }
    int ExitInstance() override { return CWinThread::ExitInstance() + appMessages; }
    int appMessages = 0;
};
IMPLEMENT_DYNCREATE(CTestUiThread, CWinThread)

namespace {

TEST(ThreadTest, MessageLoopThreadRunsAndDeletesItself)
{
    uiReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    uiDestroyed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(CTestUiThread));
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(uiReady, kWaitMs), WAIT_OBJECT_0);
    EXPECT_EQ(uiSeenByAfxGetThread, thread);

    HANDLE handle;
    DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &handle, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    thread->PostThreadMessage(WM_APP, 0, 0);
    thread->PostThreadMessage(WM_QUIT, 40, 0);
    ASSERT_EQ(WaitForSingleObject(handle, kWaitMs), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(handle, &code);
    EXPECT_EQ(code, 41u); // the quit code plus the one WM_APP seen
    EXPECT_EQ(WaitForSingleObject(uiDestroyed, 0), WAIT_OBJECT_0);
    CloseHandle(handle);
    CloseHandle(uiReady);
    CloseHandle(uiDestroyed);
    EXPECT_EQ(AfxBeginThread((CRuntimeClass*)RUNTIME_CLASS(CFile)), nullptr);
}

struct Shared {
    CSyncObject* lock;
    volatile long counter;
};

UINT AFX_CDECL CountUnderLock(LPVOID param)
{
    Shared* shared = static_cast<Shared*>(param);
    for (int i = 0; i < 2000; ++i) {
        CSingleLock hold(shared->lock, TRUE);
        long value = shared->counter;
        if (i % 100 == 0)
            Sleep(0); // give the other threads a chance to race for the value
        shared->counter = value + 1;
    }
    return 0;
}

void CountWith(CSyncObject* lock)
{
    Shared shared = {lock, 0};
    HANDLE handles[4];
    for (HANDLE& h : handles) {
        CWinThread* thread = AfxBeginThread(CountUnderLock, &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        thread->m_bAutoDelete = FALSE;
        DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &h, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        thread->ResumeThread();
    }
    ASSERT_EQ(WaitForMultipleObjects(4, handles, TRUE, kWaitMs), WAIT_OBJECT_0);
    for (HANDLE h : handles)
        CloseHandle(h);
    EXPECT_EQ(shared.counter, 8000);
}

TEST(ThreadTest, LocksSerialiseThreads)
{
    CMutex mutex;
    CountWith(&mutex);
    CCriticalSection section;
    CountWith(&section);
}

UINT AFX_CDECL HoldMutex(LPVOID param)
{
    CMutex* mutex = static_cast<CMutex*>(param);
    mutex->Lock();
    return 0; // ends owning it: the mutex is abandoned
}

TEST(ThreadTest, SingleLockAndEvents)
{
    CEvent autoReset;
    EXPECT_FALSE(autoReset.Lock(0));
    autoReset.SetEvent();
    EXPECT_TRUE(autoReset.Lock(0));
    EXPECT_FALSE(autoReset.Lock(0));

    CEvent manual(FALSE, TRUE);
    manual.SetEvent();
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.Lock(0));
    manual.ResetEvent();
    EXPECT_FALSE(manual.Lock(0));

    CMutex mutex;
    {
        CSingleLock lock(&mutex);
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_TRUE(lock.Lock());
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_TRUE(lock.Unlock());
        EXPECT_FALSE(lock.IsLocked());
    }
    // An owner that ends without releasing leaves the mutex to the next waiter.
    CWinThread* holder = AfxBeginThread(HoldMutex, &mutex, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    holder->m_bAutoDelete = FALSE;
    holder->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(holder->m_hThread, kWaitMs), WAIT_OBJECT_0);
    delete holder;
    CSingleLock after(&mutex, TRUE);
    EXPECT_TRUE(after.IsLocked());
}

} // namespace
