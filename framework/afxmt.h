// Synchronisation objects: CMutex, CEvent and CCriticalSection, and CSingleLock, which holds one
// of them for a scope. Each is a thin wrapper over the platform's object of the same kind.
#pragma once

#include "afx.h"

class CSyncObject : public CObject {
public:
    explicit CSyncObject(LPCSTR) {}
    ~CSyncObject() override
    {
        if (m_hObject != nullptr)
            CloseHandle(m_hObject);
    }

    HANDLE m_hObject = nullptr;
    operator HANDLE() const { return m_hObject; }

    virtual BOOL Lock(DWORD dwTimeout = INFINITE)
    {
        DWORD result = WaitForSingleObject(m_hObject, dwTimeout);
        return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    }
    virtual BOOL Unlock() = 0;
};

class CMutex : public CSyncObject {
public:
    explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr)
        : CSyncObject(lpszName)
    {
        m_hObject = CreateMutexA(lpsaAttribute, bInitiallyOwn, lpszName);
    }
    BOOL Unlock() override { return ReleaseMutex(m_hObject); }
};

// Auto-reset and not signalled unless told otherwise.
class CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr)
        : CSyncObject(lpszName)
    {
        m_hObject = CreateEventA(lpsaAttribute, bManualReset, bInitiallyOwn, lpszName);
    }
    BOOL SetEvent() { return ::SetEvent(m_hObject); }
    BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
    BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
    BOOL Unlock() override { return TRUE; }
};

// Within one process only; the timeout of Lock is not supported by the platform's object.
class CCriticalSection : public CSyncObject {
public:
    CCriticalSection() : CSyncObject(nullptr) { InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() override { DeleteCriticalSection(&m_sect); }

    CRITICAL_SECTION m_sect;
    operator CRITICAL_SECTION*() { return &m_sect; }

    BOOL Lock()
    {
        EnterCriticalSection(&m_sect);
        return TRUE;
    }
    BOOL Lock(DWORD) override { return Lock(); }
    BOOL Unlock() override
    {
        LeaveCriticalSection(&m_sect);
        return TRUE;
    }
};

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE) : m_pObject(pObject)
    {
        if (bInitialLock)
            Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD dwTimeOut = INFINITE)
    {
        if (!m_bAcquired)
            m_bAcquired = m_pObject->Lock(dwTimeOut);
        return m_bAcquired;
    }
    BOOL Unlock()
    {
        if (m_bAcquired)
            m_bAcquired = !m_pObject->Unlock();
        return !m_bAcquired;
    }
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired = FALSE;
};
