/* Tessarine: the skin toolkit's programming interface. A program starts the toolkit on the thread that
 * owns its windows, loads a skin from its resources, attaches its top-level windows and stops the toolkit
 * before the thread ends. Every control created below a skinned window is then skinned as it is made,
 * and menu keys reach the skinned menus. Each operation leaves a status code for the calling thread. */
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Status codes recorded for the calling thread. */
enum TessarineStatus {
    TESSARINE_OK = 0,                 /* TessarineInit succeeded */
    TESSARINE_CLASS_FAILED = 1,       /* a toolkit window class could not be registered */
    TESSARINE_CALLWNDPROC_FAILED = 2, /* the WH_CALLWNDPROC hook could not be installed */
    TESSARINE_KEYBOARD_FAILED = 3,    /* the WH_KEYBOARD hook could not be installed */
    TESSARINE_SKIN_UNPACK_FAILED = 5, /* the skin resource is not a packed skin */
    TESSARINE_SKIN_HEADER_SHORT = 6,  /* the unpacked skin is shorter than its header */
    TESSARINE_SKIN_BAD_HEADER = 7,    /* not a skin file, or a version this toolkit does not read */
    TESSARINE_SKIN_DAMAGED = 8,       /* counts, sizes or types that the skin file cannot hold */
    TESSARINE_RESOURCE_LOAD_FAILED = 15,
    TESSARINE_RESOURCE_NOT_FOUND = 16,
    TESSARINE_BUTTON_PROC_FAILED = 17, /* Windows XP: the "BUTTON" class procedure could not be captured */
    TESSARINE_NOT_INITIALISED = 19     /* called before TessarineInit */
};

/* Starts the toolkit for the calling thread (the first call sets the process up). */
BOOL WINAPI TessarineInit(HINSTANCE instance);
/* Stops it for the calling thread; the last thread to stop tears the process set-up down. */
void WINAPI TessarineShutdown(void);
/* Loads the packed skin resource (the programs pass "DEFAULT", "TESSARINE") and makes it current. On
 * failure the current skin stays. */
BOOL WINAPI TessarineLoadSkin(HINSTANCE instance, LPCSTR name, LPCSTR type);
/* Skins a top-level window with the FrameWnd object of that name (NULL: the skin's default one). */
BOOL WINAPI TessarineAttachWindow(HWND hwnd, LPCSTR objectName);
/* Gives the window its own look back; FALSE when it was not skinned. */
BOOL WINAPI TessarineDetachWindow(HWND hwnd);
/* Runs a skinned popup menu at the screen point; the command chosen (TPM_RETURNCMD) or 0. */
int WINAPI TessarinePopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner);
/* The status code last recorded for the calling thread (0 when none was). */
int WINAPI TessarineGetStatus(void);

#ifdef __cplusplus
}
#endif
