// Fixtures of the toolkit tests: skins built in memory and made current, plain windows to skin, and
// skinner services that record what the engine and the hooks ask of the skinners.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinnedWindow.h"
#include "skin/engine/toolkit/SkinnerServices.h"

class FrameWndSkinObject;
class ImageSkinObject;

// A 24-bit picture whose pixel (x, y), y counted from the top row, has the colour the function gives.
ImageSkinObject* MakeImage(const char* name, int width, int height, const std::function<COLORREF(int, int)>& color);

template <class T> T* AddObject(SkinStore& store, const char* name)
{
    T* object = new T;
    object->SetName(name);
    store.AddObject(object);
    return object;
}

// An object of the class serving the type, entered under the name.
SkinObject* AddTyped(SkinStore& store, int type, const char* name);

// Packs the built skin and loads it back into a new store, as a skin file is read (resources made).
SkinStore* PackAndLoad(SkinStore& built);
// Builds a skin and makes it the engine's current skin.
void MakeCurrentSkin(const std::function<void(SkinStore&)>& build);
// The default skin the build packs, as the test program carries it.
bool LoadDefaultSkin();

// Windows of a registered plain class; destroyed by the caller (or with their parent).
HWND MakeFrame(const char* title = "Frame", DWORD style = WS_OVERLAPPEDWINDOW, DWORD exStyle = 0, HWND parent = NULL,
               const char* className = NULL);
HWND MakeChild(const char* className, HWND parent, DWORD style = 0, int id = 0, const char* text = "");
// Registers a window class with DefWindowProc (once per name).
void RegisterPlainClass(const char* name);

// The Windows version this program runs as, for the names of what it saves: "", "_xp" or "_98".
inline const char* RunSuffix()
{
#if defined(TESSARINE_XP_RUN)
    return "_xp";
#elif defined(TESSARINE_98_RUN)
    return "_98";
#else
    return "";
#endif
}

// What the recording skinners saw.
struct SkinnerLog {
    struct Track {
        HMENU menu;
        UINT flags;
        int x, y;
        HWND owner;
        BOOL systemMenu;
    };
    int alive = 0;
    std::vector<int> createdTypes; // control skinners, by type id
    int frames = 0, toolbars = 0;
    std::vector<BOOL> dialogs; // frameless flag of each dialog skinner
    std::vector<WPARAM> menuKeys;
    std::vector<Track> tracks;
    int trackAnswer = 0;
    std::function<void(const Track&)> onTrack;
    LRESULT menuKeyAnswer = 1;
    bool failAttach = false;
    BOOL canStay = FALSE;
    std::function<void(HWND)> onSysColorChange;
};
SkinnerLog& Log();

class RecordingSkinner : public SkinnedWindow {
public:
    explicit RecordingSkinner(int kind);
    ~RecordingSkinner() override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT OnMenuKey(WPARAM key, LPARAM keyData) override;
    BOOL CanStayUnskinned() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int kind;
    int sysColorChanges = 0;
};

// Installs the recording services for its lifetime, with a fresh log.
class RecordingServices {
public:
    RecordingServices();
    ~RecordingServices();
};

// The toolkit started on this thread for a test, stopped and reset after it.
class ToolkitRun {
public:
    ToolkitRun();
    ~ToolkitRun();
    BOOL started;
};

RecordingSkinner* Recorded(HWND hwnd);
