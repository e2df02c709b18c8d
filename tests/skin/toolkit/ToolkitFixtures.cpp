// Toolkit test fixtures: in-memory skins, windows and the recording skinner services.
#include "tests/skin/toolkit/ToolkitFixtures.h"

#include <memory>
#include <set>

#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/store/MemoryStream.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/toolkit/Tessarine.h"

ImageSkinObject* MakeImage(const char* name, int width, int height, const std::function<COLORREF(int, int)>& color)
{
    ImageSkinObject* image = new ImageSkinObject;
    image->SetName(name);
    SkinImage& picture = image->Image();
    picture.Create(width, height, 24, SkinImage::FormatBmp);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = color(x, y);
            RGBQUAD q = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
            picture.SetColorAt(x, height - 1 - y, q);
        }
    return image;
}

SkinObject* AddTyped(SkinStore& store, int type, const char* name)
{
    SkinObject* object = CreateSkinObject(type);
    object->SetName(name);
    store.AddObject(object);
    return object;
}

SkinStore* PackAndLoad(SkinStore& built)
{
    MemoryStream packed(10240);
    EXPECT_TRUE(built.Save(packed));
    packed.Rewind();
    SkinStore* store = new SkinStore;
    EXPECT_TRUE(store->Load(packed)) << "status " << store->GetStatus();
    return store;
}

void MakeCurrentSkin(const std::function<void(SkinStore&)>& build)
{
    SkinStore built;
    build(built);
    SkinEngine::Instance().SetCurrentSkin(PackAndLoad(built));
}

bool LoadDefaultSkin()
{
    return TessarineLoadSkin(GetModuleHandleA(NULL), "DEFAULT", "TESSARINE") != FALSE;
}

void RegisterPlainClass(const char* name)
{
    static std::set<std::string> registered;
    if (!registered.insert(name).second)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

HWND MakeFrame(const char* title, DWORD style, DWORD exStyle, HWND parent, const char* className)
{
    const char* name = className ? className : "TessarineTestFrame";
    RegisterPlainClass(name);
    return CreateWindowExA(exStyle, name, title, style, 50, 50, 320, 240, parent, NULL, GetModuleHandleA(NULL), NULL);
}

HWND MakeChild(const char* className, HWND parent, DWORD style, int id, const char* text)
{
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 80, 24, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(NULL), NULL);
}

SkinnerLog& Log()
{
    static SkinnerLog log;
    return log;
}

RecordingSkinner::RecordingSkinner(int kind) : kind(kind)
{
    ++Log().alive;
}

RecordingSkinner::~RecordingSkinner()
{
    --Log().alive;
}

LONG_PTR RecordingSkinner::Attach(HWND hwnd)
{
    if (Log().failAttach)
        return 0;
    return SkinnedWindow::Attach(hwnd);
}

LRESULT RecordingSkinner::OnMenuKey(WPARAM key, LPARAM)
{
    Log().menuKeys.push_back(key);
    return Log().menuKeyAnswer;
}

BOOL RecordingSkinner::CanStayUnskinned()
{
    return Log().canStay;
}

LRESULT RecordingSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOLORCHANGE) {
        ++sysColorChanges;
        if (Log().onSysColorChange) {
            HWND hwnd = hwnd_;
            // The handler may destroy the window, and this skinner with it.
            Log().onSysColorChange(hwnd);
            if (!IsWindow(hwnd))
                return 0;
        }
    }
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}

namespace {

SkinnedWindow* CreateRecorded(int type, SkinnedWindow*)
{
    if (!BuiltInSkinnerServices().createSkinner(type, NULL))
        return NULL; // the kinds without a skinner stay without one
    Log().createdTypes.push_back(type);
    return new RecordingSkinner(type);
}

SkinnedWindow* CreateRecordedFrame()
{
    ++Log().frames;
    return new RecordingSkinner(1);
}

SkinnedWindow* CreateRecordedDialog(BOOL frameless)
{
    Log().dialogs.push_back(frameless);
    return new RecordingSkinner(-1);
}

SkinnedWindow* CreateRecordedToolbar()
{
    ++Log().toolbars;
    return new RecordingSkinner(23);
}

int RecordTrack(HMENU menu, UINT flags, int x, int y, HWND owner, BOOL systemMenu)
{
    SkinnerLog::Track track = {menu, flags, x, y, owner, systemMenu};
    Log().tracks.push_back(track);
    if (Log().onTrack)
        Log().onTrack(track);
    return Log().trackAnswer;
}

const SkinnerServices kRecording = {CreateRecorded, CreateRecordedFrame, CreateRecordedDialog, CreateRecordedToolbar,
                                    RecordTrack};

} // namespace

RecordingServices::RecordingServices()
{
    const int alive = Log().alive;
    Log() = SkinnerLog();
    Log().alive = alive;
    SetSkinnerServices(&kRecording);
}

RecordingServices::~RecordingServices()
{
    SetSkinnerServices(NULL);
}

ToolkitRun::ToolkitRun() : started(TessarineInit(GetModuleHandleA(NULL))) {}

ToolkitRun::~ToolkitRun()
{
    TessarineShutdown();
    SkinEngine::Instance().Reset();
}

RecordingSkinner* Recorded(HWND hwnd)
{
    return dynamic_cast<RecordingSkinner*>(FindSkinnedWindow(hwnd));
}
