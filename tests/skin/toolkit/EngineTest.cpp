// The engine core: the class registry, skinning and unskinning top-level windows and their children,
// the frame owner walk, skin changes re-binding or dropping windows, and the table staying sound while
// windows go away under it.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/store/SkinTypes.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"

namespace {

// Skin A: FrameWnd "Dialog" and "Main", a Button with a child for control 1001, an Edit.
void SkinA(SkinStore& skin)
{
    FrameWndSkinObject* dialog = AddObject<FrameWndSkinObject>(skin, "Dialog");
    ButtonSkinObject* special = new ButtonSkinObject;
    special->SetName("OkButton");
    special->controlId = 1001;
    dialog->AddChild(special);
    AddObject<FrameWndSkinObject>(skin, "Main");
    AddObject<ButtonSkinObject>(skin, "Button");
    AddTyped(skin, SkinTypeEdit, "Edit");
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SkinEngine::Instance().Reset();
        MakeCurrentSkin(SkinA);
        alive_ = Log().alive;
    }
    void TearDown() override
    {
        SkinEngine::Instance().Reset();
        EXPECT_EQ(alive_, Log().alive) << "every skinner the test made is deleted";
    }
    SkinEngine& engine = SkinEngine::Instance();
    RecordingServices services;
    int alive_ = 0;
};

const char* BoundName(HWND hwnd)
{
    SkinnedWindow* skinner = FindSkinnedWindow(hwnd);
    return skinner && skinner->GetSkinObjectName() ? skinner->GetSkinObjectName() : "";
}

} // namespace

TEST(WindowSkinType, ClassesAndButtonStyles)
{
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    HWND frame = MakeFrame();
    struct Case {
        const char* className;
        DWORD style;
        int type;
    } cases[] = {
        {"Button", BS_PUSHBUTTON, SkinTypeButton},
        {"Button", BS_DEFPUSHBUTTON, SkinTypeButton},
        {"Button", BS_AUTORADIOBUTTON, SkinTypeRadio},
        {"Button", BS_RADIOBUTTON, SkinTypeRadio},
        {"Button", BS_3STATE, SkinTypeCheckBox},
        {"Button", BS_AUTOCHECKBOX, SkinTypeCheckBox},
        {"Button", BS_GROUPBOX, SkinTypeGroupBox},
        {"Edit", 0, SkinTypeEdit},
        {"Static", 0, SkinTypeStatic},
        {"ListBox", 0, SkinTypeListBox},
        {"ScrollBar", SBS_VERT, SkinTypeScrollBar},
        {"SysListView32", 0, SkinTypeListView},
        {"msctls_progress32", 0, SkinTypeProgressBar},
        {"TessarineTestFrame", 0, 0},
    };
    for (const Case& c : cases) {
        HWND child = MakeChild(c.className, frame, c.style);
        ASSERT_NE(nullptr, child) << c.className;
        EXPECT_EQ(c.type, GetWindowSkinType(child)) << c.className << " style " << c.style;
        DestroyWindow(child);
    }
    // The list of a simple combo box is a list box; that of a drop-down one is left alone.
    for (DWORD style : {CBS_SIMPLE, CBS_DROPDOWN}) {
        HWND combo = MakeChild("ComboBox", frame, style);
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(combo, &info));
        EXPECT_EQ(style == CBS_SIMPLE ? SkinTypeListBox : 0, GetWindowSkinType(info.hwndList));
        DestroyWindow(combo);
    }
    EXPECT_EQ(0, GetWindowSkinType(NULL));
    EXPECT_EQ(SkinTypeControlBar, SkinEngine::Instance().LookupClassType("AfxControlBar70sud"));
    EXPECT_EQ(0, SkinEngine::Instance().LookupClassType("button")); // names are exact
    DestroyWindow(frame);
}

TEST_F(EngineTest, TopLevelWindowAndItsChildren)
{
    HWND frame = MakeFrame();
    HWND ok = MakeChild("Button", frame, BS_PUSHBUTTON, 1001);
    HWND other = MakeChild("Button", frame, BS_PUSHBUTTON, 1002);
    HWND box = MakeChild("TessarineTestFrame", frame);
    HWND nested = MakeChild("Edit", box, 0, 7);
    const LONG_PTR ownProc = GetWindowLongPtrA(frame, GWLP_WNDPROC);

    ASSERT_TRUE(engine.SkinTopLevelWindow(frame, "Dialog"));
    SkinnedWindow* skinner = FindSkinnedWindow(frame);
    ASSERT_NE(nullptr, skinner);
    EXPECT_EQ(skinner, GetPropA(frame, "OBJECT"));
    EXPECT_NE(ownProc, GetWindowLongPtrA(frame, GWLP_WNDPROC));
    EXPECT_STREQ("Dialog", BoundName(frame));
    // Children look their object up among the frame object's children first, by control id.
    EXPECT_STREQ("OkButton", BoundName(ok));
    EXPECT_STREQ("Button", BoundName(other));
    EXPECT_STREQ("Edit", BoundName(nested));
    EXPECT_EQ(nullptr, FindSkinnedWindow(box)); // a class with no type id
    EXPECT_TRUE(skinner->HasChild(nested));
    EXPECT_EQ(4u, engine.WindowCount()); // frame, two buttons, the edit (the box is not)

    // Already skinned, or named after something that is no frame: refused, nothing changes.
    EXPECT_FALSE(engine.SkinTopLevelWindow(frame, "Main"));
    EXPECT_STREQ("Dialog", BoundName(frame));
    HWND second = MakeFrame();
    EXPECT_FALSE(engine.SkinTopLevelWindow(second, "Button"));
    EXPECT_FALSE(engine.SkinTopLevelWindow(second, "Nothing"));
    EXPECT_TRUE(engine.SkinTopLevelWindow(second, NULL)); // the skin's default FrameWnd
    EXPECT_EQ(SkinTypeFrameWnd, FindSkinnedWindow(second)->GetSkinType());

    ASSERT_TRUE(engine.RemoveWindow(frame, FALSE));
    EXPECT_EQ(ownProc, GetWindowLongPtrA(frame, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, GetPropA(frame, "OBJECT"));
    EXPECT_EQ(nullptr, FindSkinnedWindow(ok));
    EXPECT_EQ(nullptr, FindSkinnedWindow(nested));
    EXPECT_EQ(nullptr, GetPropA(nested, "OBJECT"));
    EXPECT_FALSE(engine.RemoveWindow(frame, FALSE));
    DestroyWindow(frame);
    DestroyWindow(second);
}

TEST_F(EngineTest, DestroyedWindowsLeaveNothingBehind)
{
    HWND frame = MakeFrame();
    HWND button = MakeChild("Button", frame);
    ASSERT_TRUE(engine.SkinTopLevelWindow(frame, "Dialog"));
    ASSERT_NE(nullptr, FindSkinnedWindow(button));
    DestroyWindow(frame);
    EXPECT_EQ(0u, engine.WindowCount());
    EXPECT_FALSE(IsWindow(button));
}

TEST_F(EngineTest, FailedAttachLeavesNoEntry)
{
    Log().failAttach = true;
    HWND frame = MakeFrame();
    EXPECT_FALSE(engine.SkinTopLevelWindow(frame, "Dialog"));
    EXPECT_EQ(nullptr, FindSkinnedWindow(frame));
    EXPECT_EQ(0u, engine.WindowCount());
    EXPECT_EQ(alive_, Log().alive);
    Log().failAttach = false;
    EXPECT_TRUE(engine.SkinTopLevelWindow(frame, "Dialog"));
    DestroyWindow(frame);
}

TEST_F(EngineTest, FrameOwnerWalk)
{
    HWND frame = MakeFrame();
    ASSERT_TRUE(engine.SkinTopLevelWindow(frame, "Dialog"));
    HWND box = MakeChild("TessarineTestFrame", frame);
    HWND button = MakeChild("Button", box);
    // The walk passes over unskinned containers and over skinned controls.
    EXPECT_EQ(FindSkinnedWindow(frame), engine.FindFrameOwner(box));
    engine.FindSkinnedWindow(frame)->SkinChild(button, NULL);
    ASSERT_NE(nullptr, FindSkinnedWindow(button));
    EXPECT_EQ(FindSkinnedWindow(frame), engine.FindFrameOwner(button));
    // An unskinned MDI child ends the walk.
    HWND mdiChild = CreateWindowExA(WS_EX_MDICHILD, "TessarineTestFrame", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                    frame, NULL, GetModuleHandleA(NULL), NULL);
    HWND inside = MakeChild("Static", mdiChild);
    EXPECT_EQ(nullptr, engine.FindFrameOwner(inside));
    // A top-level window that is not skinned has no owner.
    HWND plain = MakeFrame();
    EXPECT_EQ(nullptr, engine.FindFrameOwner(plain));
    DestroyWindow(plain);
    DestroyWindow(frame);
}

TEST_F(EngineTest, SkinChangeRebindsByNameThenByTypeElseDrops)
{
    HWND frame = MakeFrame();
    HWND edit = MakeChild("Edit", frame);
    ASSERT_TRUE(engine.SkinTopLevelWindow(frame, "Dialog"));
    RecordingSkinner* skinner = Recorded(frame);
    ASSERT_NE(nullptr, skinner);
    const int changes = skinner->sysColorChanges;

    // Same name: the new skin's object of that name.
    MakeCurrentSkin([](SkinStore& skin) {
        AddObject<FrameWndSkinObject>(skin, "Other");
        AddObject<FrameWndSkinObject>(skin, "Dialog");
        AddTyped(skin, SkinTypeEdit, "Edit");
    });
    EXPECT_GT(skinner->sysColorChanges, changes);
    EXPECT_STREQ("Dialog", BoundName(frame));
    EXPECT_EQ(engine.GetCurrentSkin()->FindObjectByName("Dialog"), skinner->GetSkinObject());

    // An object of that name of another kind does not stand in: the default frame does.
    MakeCurrentSkin([](SkinStore& skin) {
        AddObject<ButtonSkinObject>(skin, "Dialog");
        AddObject<FrameWndSkinObject>(skin, "Main");
    });
    EXPECT_STREQ("Main", BoundName(frame));
    EXPECT_EQ(nullptr, FindSkinnedWindow(edit)); // no Edit object in this skin: its window is dropped

    // No frame at all: the window goes back to its own look, unless its skinner may stay unskinned.
    Log().canStay = TRUE;
    MakeCurrentSkin([](SkinStore& skin) { AddObject<ButtonSkinObject>(skin, "Button"); });
    ASSERT_EQ(skinner, FindSkinnedWindow(frame));
    EXPECT_EQ(nullptr, skinner->GetSkinObject());
    MakeCurrentSkin([](SkinStore& skin) { AddObject<FrameWndSkinObject>(skin, "Back"); });
    EXPECT_EQ(skinner, FindSkinnedWindow(frame));
    Log().canStay = FALSE;
    const LONG_PTR skinnedProc = GetWindowLongPtrA(frame, GWLP_WNDPROC);
    MakeCurrentSkin([](SkinStore& skin) { AddObject<ButtonSkinObject>(skin, "Button"); });
    EXPECT_EQ(nullptr, FindSkinnedWindow(frame));
    EXPECT_NE(skinnedProc, GetWindowLongPtrA(frame, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, GetPropA(frame, "OBJECT"));
    DestroyWindow(frame);
}

TEST_F(EngineTest, WindowsDestroyedDuringASkinChange)
{
    HWND frames[4];
    for (HWND& f : frames) {
        f = MakeFrame();
        ASSERT_TRUE(engine.SkinTopLevelWindow(f, "Dialog"));
    }
    // Each window told about the new colours destroys every other one.
    Log().onSysColorChange = [&frames](HWND self) {
        for (HWND f : frames)
            if (f != self && IsWindow(f))
                DestroyWindow(f);
    };
    MakeCurrentSkin(SkinA);
    Log().onSysColorChange = nullptr;
    int left = 0;
    for (HWND f : frames)
        if (IsWindow(f)) {
            ++left;
            EXPECT_STREQ("Dialog", BoundName(f));
            DestroyWindow(f);
        }
    EXPECT_EQ(1, left);
    EXPECT_EQ(0u, engine.WindowCount());
}

TEST_F(EngineTest, ResetDetachesEverythingAndEmptiesTheSkin)
{
    HWND frame = MakeFrame();
    const LONG_PTR ownProc = GetWindowLongPtrA(frame, GWLP_WNDPROC);
    ASSERT_TRUE(engine.SkinTopLevelWindow(frame, "Dialog"));
    engine.Reset();
    EXPECT_EQ(0u, engine.WindowCount());
    EXPECT_EQ(ownProc, GetWindowLongPtrA(frame, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, engine.GetCurrentSkin()->FindObjectByType(SkinTypeFrameWnd));
    EXPECT_FALSE(engine.SkinTopLevelWindow(frame, "Dialog"));
    EXPECT_FALSE(engine.SetCurrentSkin(NULL));
    DestroyWindow(frame);
}
