// Exceptions of the window half: a check that failed after the user was told (CUserException,
// which UpdateData catches), a resource that could not be made (CResourceException), and an
// operation on a window that cannot do it (CNotSupportedException).
#pragma once

#include "framework/Exception.h"

class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
};

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
};

[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
