// SkinStore: the load statuses, damaged and hostile files, lookups by name and type, resources, and the
// default skin the build packs.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "tests/skin/engine/ImageFixtures.h"
#include "tools/screenshot/Screenshot.h"
#include "tests/skin/engine/SkinFixtures.h"
#include "skin/engine/images/SkinImage.h"

namespace {

struct LoadResult {
    BOOL ok;
    int status;
};

LoadResult LoadRaw(SkinStore& store, const std::vector<uint8_t>& raw)
{
    std::unique_ptr<MemoryStream> packed(PackedStream(raw));
    BOOL ok = store.Load(*packed);
    return {ok, store.GetStatus()};
}

LoadResult LoadPacked(SkinStore& store, const std::vector<uint8_t>& packedBytes)
{
    MemoryStream packed(packedBytes.data(), static_cast<DWORD>(packedBytes.size()));
    BOOL ok = store.Load(packed);
    return {ok, store.GetStatus()};
}

// An Application object's base part up to its child count, for the hand-made hostile files.
RawBuilder& AppStart(RawBuilder& raw, const char* name = "App")
{
    return raw.U32(SkinTypeApplication)
        .Text(name, 51)
        .U32(0)
        .U32(0)
        .U32(0xFF00FF)
        .Text("", 51)
        .U32(0)
        .Rect(0, 0, 60, 30)
        .U32(0);
}

RawBuilder& AppRest(RawBuilder& raw, const char* author = "me")
{
    return raw.Text(author, 51).Text("", 51).Text("", 51).U32(1).Text("", 51).Text("", 51);
}

RawBuilder& ControlPart(RawBuilder& raw)
{
    return raw.Zeros(64 + 88).U32(0).U32(0).U32(0);
}

} // namespace

TEST(SkinStoreLoad, StatusesOfRefusedFiles)
{
    struct Case {
        const char* name;
        std::function<void(RawBuilder&)> build;
        int status;
    } cases[] = {
        {"not a skin", [](RawBuilder& r) { r.Header(1, 16, 0, "NOT_A_SKIN_AT_ALL").U32(0).U32(0); }, 7},
        {"minor 17", [](RawBuilder& r) { r.Header(1, 17, 0).U32(0).U32(0); }, 7},
        {"major 2", [](RawBuilder& r) { r.Header(2, 0, 0).U32(0).U32(0); }, 7},
        {"object count beyond the bytes", [](RawBuilder& r) { r.Header(1, 16, 0xFFFFFFFF).Zeros(300); }, 8},
        {"image count beyond the bytes", [](RawBuilder& r) { r.Header(1, 16, 0).U32(0xFFFFFFF0).Zeros(300); }, 8},
        {"named count beyond the bytes", [](RawBuilder& r) { r.Header(1, 16, 0).U32(0).U32(0x7FFFFFFF).Zeros(300); },
         8},
        {"child count beyond the bytes", [](RawBuilder& r) { AppStart(r.Header(1, 16, 1)).U32(0xFFFFFFFF).Zeros(400); },
         8},
        {"caption button at top level", [](RawBuilder& r) { r.Header(1, 16, 1).U32(SkinTypeCaptionButton).Zeros(400); },
         8},
        {"unknown type id", [](RawBuilder& r) { r.Header(1, 16, 1).U32(99).Zeros(400); }, 8},
        {"frame as a child",
         [](RawBuilder& r) { AppStart(r.Header(1, 16, 1)).U32(1).U32(SkinTypeFrameWnd).Zeros(4000); }, 8},
        {"nesting too deep",
         [](RawBuilder& r) {
             AppStart(r.Header(1, 16, 1)).U32(1);
             for (int i = 0; i < 40; ++i)
                 r.U32(SkinTypeStatic).Text("deep", 51).Zeros(12).Text("", 51).Zeros(24).U32(1);
             r.Zeros(4000);
         },
         8},
        {"property records beyond the bytes",
         [](RawBuilder& r) {
             ControlPart(r.Header(1, 16, 1).U32(SkinTypePropertySet).Base("set", 16))
                 .Text("", 51)
                 .U32(0x00FFFFFF)
                 .Zeros(200);
         },
         8},
        {"property value beyond the bytes",
         [](RawBuilder& r) {
             ControlPart(r.Header(1, 16, 1).U32(SkinTypePropertySet).Base("set", 16)).Text("", 51).U32(1);
             r.U32(KindBytes).Text("KEY", 31).Text("", 51).U32(0x7FFFFFFF).Zeros(200);
         },
         8},
        {"style sheet beyond the bytes",
         [](RawBuilder& r) {
             r.Header(1, 16, 1).U32(SkinTypeTooltip).Base("tip", 16).Zeros(1296 + 144 + 64 + 8 + 12 + 16 + 176);
             r.U32(1).U32(1).U32(0).U32(0x10000000).Zeros(100);
         },
         8},
        {"image bytes beyond the bytes",
         [](RawBuilder& r) { r.Header(1, 16, 0).U32(1).U32(18).Base("PIC.BMP", 16).U32(0x7FFFFFFF).U32(1).Zeros(300); },
         8},
        {"file cut inside an object", [](RawBuilder& r) { AppStart(r.Header(1, 16, 1)).U32(0).Text("me", 51); }, 8},
    };
    for (const Case& c : cases) {
        RawBuilder raw;
        c.build(raw);
        SkinStore store;
        LoadResult result = LoadRaw(store, raw.Bytes());
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_TRUE(store.Objects().empty() && store.Images().empty() && store.NamedObjects().empty()) << c.name;
        EXPECT_EQ(SkinFormatMinor(), 16) << c.name;
    }
}

TEST(SkinStoreLoad, AreasStandOnlyUnderFrameWindows)
{
    struct Case {
        int parent; // 0: the Area stands at top level
        bool loads;
    } cases[] = {
        {SkinTypeFrameWnd, true}, {SkinTypeButton, false}, {SkinTypePopupMenu, false},
        {SkinTypeTooltip, false}, {SkinTypeStatic, false}, {0, false},
    };
    for (const Case& c : cases) {
        const std::string label = c.parent ? TypeLabel(c.parent) : std::string("top level");
        SkinStore built;
        SkinObject* area = CreateSkinObject(SkinTypeArea);
        area->SetName("Logo");
        if (c.parent) {
            SkinObject* parent = CreateSkinObject(c.parent);
            parent->SetName("Parent");
            ASSERT_TRUE(parent->AddChild(area)) << label;
            built.AddObject(parent);
        } else {
            built.AddObject(area);
        }
        MemoryStream packed(10240);
        ASSERT_TRUE(built.Save(packed)) << label;
        packed.Rewind();

        SkinStore store;
        EXPECT_EQ(store.Load(packed), c.loads ? TRUE : FALSE) << label;
        EXPECT_EQ(store.GetStatus(), c.loads ? SkinStore::StatusNone : SkinStore::StatusDamaged) << label;
        if (c.loads)
            EXPECT_NE(store.FindObjectByName("Logo"), nullptr) << label;
        else
            EXPECT_TRUE(store.Objects().empty()) << label;
    }
}

TEST(SkinStoreLoad, ContainerAndVersionEdges)
{
    RawBuilder oldest;
    oldest.Header(1, 0, 0).U32(0).U32(0);
    SkinStore store;
    LoadResult result = LoadRaw(store, oldest.Bytes());
    ASSERT_TRUE(result.ok); // 1.0: every gate closed, nothing to read
    EXPECT_EQ(store.Minor(), 0);
    EXPECT_EQ(SkinFormatMinor(), 0);
    store.Clear();
    EXPECT_EQ(SkinFormatMinor(), 16);

    std::unique_ptr<MemoryStream> packed(PackedStream(oldest.Bytes()));
    std::vector<uint8_t> bytes(packed->Data(), packed->Data() + packed->Size());
    std::vector<uint8_t> longer = bytes;
    longer[0] += 1; // declares one byte more than the stream yields
    EXPECT_EQ(LoadPacked(store, longer).status, SkinStore::StatusUnpackFailed);
    std::vector<uint8_t> garbage = {0x00, 0x10, 0x00, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    EXPECT_EQ(LoadPacked(store, garbage).status, SkinStore::StatusUnpackFailed);
    std::vector<uint8_t> huge = bytes;
    huge[3] = 0x7F; // beyond the cap: refused before anything is allocated
    EXPECT_EQ(LoadPacked(store, huge).status, SkinStore::StatusDamaged);
    std::vector<uint8_t> tiny = bytes;
    tiny[0] = 100;
    tiny[1] = 0; // less than a header
    EXPECT_EQ(LoadPacked(store, tiny).status, SkinStore::StatusDamaged);
    EXPECT_FALSE(LoadPacked(store, std::vector<uint8_t>()).ok);

    // Fixed texts without a terminator are cut within their arrays.
    RawBuilder unterminated;
    unterminated.Header(1, 16, 1).Overwrite(22, 154, 'A');
    unterminated.U32(SkinTypeApplication)
        .Fill(51, 'N')
        .U32(0)
        .U32(0)
        .U32(0)
        .Text("", 51)
        .U32(0)
        .Rect(0, 0, 1, 1)
        .U32(0)
        .U32(0);
    unterminated.Fill(51, 'W').Text("", 51).Text("", 51).U32(0).Text("", 51).Text("", 51).U32(0).U32(0);
    ASSERT_TRUE(LoadRaw(store, unterminated.Bytes()).ok);
    EXPECT_EQ(std::strlen(store.Header().author), 153u);
    ASSERT_EQ(store.Objects().size(), 1u);
    SkinObject* app = store.Objects().begin()->second;
    EXPECT_EQ(std::strlen(app->name), 50u);
    EXPECT_EQ(std::strlen(static_cast<ApplicationSkinObject*>(app)->author), 50u);
}

TEST(SkinStoreLookup, ByNameAndByType)
{
    SkinStore built;
    auto add = [&](int type, const char* name) {
        SkinObject* o = CreateSkinObject(type);
        o->SetName(name);
        built.AddObject(o);
        return o;
    };
    add(SkinTypeStatic, "Button"); // bears the Button type's default name but is no button
    add(SkinTypeButton, "PushButtons");
    add(SkinTypeListBox, "Lists");
    add(SkinTypeToolBar, "Bars");
    SkinObject* dialog = add(SkinTypeFrameWnd, "Dialog");
    SkinObject* label = CreateSkinObject(SkinTypeStatic);
    label->SetName("Label");
    ASSERT_TRUE(dialog->AddChild(label));
    ImageSkinObject* picture = new ImageSkinObject;
    picture->SetName("pic.bmp");
    picture->Image().Create(4, 4, 24, SkinImage::FormatBmp);
    built.AddImage(picture);
    SkinObject* click = new SkinObject(SkinTypeVoice);
    click->SetName("Click");
    built.AddNamedObject(click);
    MemoryStream packed(10240);
    ASSERT_TRUE(built.Save(packed));
    packed.Rewind();

    SkinStore store;
    ASSERT_TRUE(store.Load(packed));
    EXPECT_STREQ(store.FindObjectByType(SkinTypeButton)->name, "PushButtons");
    EXPECT_STREQ(store.FindObjectByType(SkinTypeListBox)->name, "Lists");
    EXPECT_STREQ(store.FindObjectByType(SkinTypeControlBar)->name, "Bars");
    EXPECT_STREQ(store.FindObjectByType(SkinTypeStatic)->name, "Button");
    EXPECT_EQ(store.FindObjectByType(SkinTypeShapeWnd), nullptr);
    EXPECT_STREQ(store.FindObjectByName("Label")->name, "Label");
    EXPECT_EQ(store.FindObjectByName("PIC.BMP")->Type(), SkinTypeImage);
    EXPECT_NE(store.FindImage("Pic.Bmp"), nullptr);
    EXPECT_EQ(store.FindObjectByName("Click")->Type(), SkinTypeVoice);
    EXPECT_EQ(store.FindObjectByName(nullptr), nullptr);
    EXPECT_EQ(store.FindObjectByName("nothing"), nullptr);
}

TEST(SkinStoreLookup, ImageNamesUpperCaseOnlyAsciiLettersAndKeepDoubleByteCharactersWhole)
{
    struct Case {
        const char* name;
        const char* key;
    } cases[] = {
        {"frame_top.bmp", "FRAME_TOP.BMP"},
        {"\xB1\xB3\xBE\xB0"
         "a.bmp",
         "\xB1\xB3\xBE\xB0"
         "A.BMP"},                                    // two Chinese characters
        {"\x81\x61\x81zz.tga", "\x81\x61\x81zZ.TGA"}, // trail bytes 'a' and 'z' stay
        {"\xA3\xE1.bmp", "\xA3\xE1.BMP"},             // a full-width letter is no ASCII letter
        {"\xA6\xC1\xA6\xE1", "\xA6\xC1\xA6\xE1"},     // nor is a Greek one
        {"end\x81", "END\x81"},                       // a lead byte at the end stands alone
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SkinImageKey(c.name), std::string(c.key)) << c.key;
    EXPECT_EQ(SkinImageKey(nullptr), "");

    SkinStore store;
    ImageSkinObject* picture = new ImageSkinObject;
    picture->SetName("\x81\x61title.bmp");
    picture->Image().Create(4, 4, 24, SkinImage::FormatBmp);
    store.AddImage(picture);
    EXPECT_EQ(store.FindImage("\x81\x61TITLE.BMP"), store.FindImage("\x81\x61title.bmp"));
    EXPECT_NE(store.FindImage("\x81\x61Title.Bmp"), nullptr);
    EXPECT_EQ(store.FindImage("\x81\x41TITLE.BMP"), nullptr); // another character
}

TEST(SkinStoreLookup, ALaterObjectOfTheSameNameReplacesTheEarlier)
{
    RawBuilder raw;
    raw.Header(1, 16, 4);
    AppRest(AppStart(raw, "App").U32(0), "first");
    AppRest(AppStart(raw, "App").U32(0), "second");
    raw.U32(SkinTypeSysColorTable).Base("Colors", 16).U32(0x0000FF).Zeros(396);
    // The colour table is then replaced by an object of another class: nothing may point at it any more.
    AppRest(AppStart(raw, "Colors").U32(0), "third");
    raw.U32(0).U32(0);
    SkinStore store;
    ASSERT_TRUE(LoadRaw(store, raw.Bytes()).ok);
    EXPECT_EQ(store.Objects().size(), 2u);
    EXPECT_STREQ(static_cast<ApplicationSkinObject*>(store.FindObjectByName("App"))->author, "second");
    EXPECT_EQ(store.SystemColors(), nullptr);

    RawBuilder colors;
    colors.Header(1, 16, 1).U32(SkinTypeSysColorTable).Base("Colors", 16).U32(0x0000FF).Zeros(396).U32(0).U32(0);
    ASSERT_TRUE(LoadRaw(store, colors.Bytes()).ok);
    ASSERT_NE(store.SystemColors(), nullptr);
    EXPECT_EQ(store.SystemColors()->Color(0), 0x0000FFu);
    EXPECT_NE(store.SystemColors()->Brush(30), nullptr);
}

TEST(SkinStoreDefaultSkin, LoadsEveryClassAndCutsItsPieces)
{
    std::vector<uint8_t> bytes = DefaultSkinBytes();
    ASSERT_FALSE(bytes.empty()) << "the build packs build/skins/default.tsk";
    SkinStore store;
    ASSERT_TRUE(LoadPacked(store, bytes).ok) << store.GetStatus();
    EXPECT_EQ(store.Minor(), 16);

    std::set<int> types;
    std::function<void(SkinObject*)> collect = [&](SkinObject* o) {
        types.insert(o->Type());
        for (const auto& child : o->Children())
            collect(child.second);
    };
    for (const auto& entry : store.Objects())
        collect(entry.second);
    types.insert(SkinTypeMenuBar); // inside every FrameWnd object
    for (const auto& entry : store.NamedObjects())
        types.insert(entry.second->Type());
    for (int type : AllClassTypes())
        EXPECT_TRUE(types.count(type)) << "the default skin has no " << TypeLabel(type) << " object";
    EXPECT_EQ(store.Images().size(), 8u);
    for (const auto& entry : store.Images())
        EXPECT_TRUE(entry.second->Image().IsValid()) << entry.first;
    EXPECT_TRUE(store.FindImage("tooltip.tga")->HasAlpha());
    EXPECT_EQ(store.FindImage("CHECKS.BMP")->Bits(), 8);

    auto* frame = static_cast<FrameWndSkinObject*>(store.FindObjectByName("MainFrame"));
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->Piece(0), nullptr);
    EXPECT_EQ(frame->Piece(0)->Width(), 86);
    EXPECT_NE(frame->PieceRegion(0), nullptr); // the Application object switches regions on
    EXPECT_EQ(frame->CaptionTextColor(), RGB(255, 255, 255));
    EXPECT_STREQ(frame->menuBar->background.image, "MENU.BMP");
    auto* title = static_cast<CaptionStaticSkinObject*>(frame->FindChild("Title"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->textKind, 1u);
    const char closeTip[] = "\xB9\xD8\xB1\xD5"; // 关闭
    EXPECT_STREQ(frame->FindChild("Close")->secondName, closeTip);
    auto* tip = static_cast<TooltipSkinObject*>(store.FindObjectByType(SkinTypeTooltip));
    EXPECT_FALSE(tip->styleSheet.empty());
    EXPECT_NE(store.FindObjectByName("Edit"), nullptr);
    EXPECT_NE(store.SystemColors(), nullptr);
}

TEST(SkinStoreDefaultSkin, NoRegionsWithoutAnApplicationObject)
{
    SkinStore built;
    FrameWndSkinObject* frame = new FrameWndSkinObject;
    frame->SetName("Frame");
    tessarine::CopyText(frame->imageParts[0].image, 52, "PIC.BMP");
    SetRect(&frame->imageParts[0].source, 0, 0, 4, 4);
    built.AddObject(frame);
    ImageSkinObject* picture = new ImageSkinObject;
    picture->SetName("PIC.BMP");
    picture->Image().Create(8, 8, 24, SkinImage::FormatBmp);
    built.AddImage(picture);
    MemoryStream packed(10240);
    ASSERT_TRUE(built.Save(packed));
    packed.Rewind();
    SkinStore store;
    ASSERT_TRUE(store.Load(packed));
    auto* loaded = static_cast<FrameWndSkinObject*>(store.FindObjectByName("Frame"));
    ASSERT_NE(loaded->Piece(0), nullptr);
    EXPECT_EQ(loaded->Piece(0)->Width(), 4);
    EXPECT_EQ(loaded->PieceRegion(0), nullptr);
}

// A picture of the default skin's pieces, for a person to look at: the main frame laid out from its
// nine active pieces over a grey desk, the caption buttons on it, then the button states, check boxes
// and the tooltip frame drawn with its alpha.
TEST(SkinStoreDefaultSkin, Screenshot)
{
    SkinStore store;
    ASSERT_TRUE(LoadPacked(store, DefaultSkinBytes()).ok);
    auto* frame = static_cast<FrameWndSkinObject*>(store.FindObjectByName("MainFrame"));
    Canvas canvas(420, 240, 0x707070);
    for (int i = 0; i < 9; ++i) {
        const SkinImage* piece = frame->Piece(i);
        RECT r = frame->GetFrameRect(i);
        if (piece) {
            SkinImage keyed(*piece);
            keyed.SetTransparentIndex(0);
            keyed.SetTransparentColor(Quad(0xFF00FF));
            keyed.Draw(canvas.Dc(), 10 + r.left, 10 + r.top, r.right - r.left, r.bottom - r.top);
        }
    }
    for (const char* name : {"Close", "Maximize", "Minimize", "Logo"}) {
        auto* element = static_cast<FrameElementSkinObject*>(frame->FindChild(name));
        SkinImage part;
        const ImagePart& p = element->elementImage;
        ASSERT_TRUE(
            store.FindImage(p.image)->Crop(p.source.left, p.source.top, p.source.right, p.source.bottom, &part));
        part.SetTransparentIndex(0);
        part.SetTransparentColor(Quad(0xFF00FF));
        part.Draw(canvas.Dc(), 10 + element->rect.left, 10 + element->rect.top);
    }
    SkinImage* buttons = store.FindImage("BUTTON.BMP");
    buttons->Draw(canvas.Dc(), 300, 10);
    store.FindImage("CHECKS.BMP")->Draw(canvas.Dc(), 300, 150, 182, 52);
    store.FindImage("TOOLTIP.TGA")->Draw(canvas.Dc(), 300, 200, 96, 24);
    Capture capture;
    capture.width = canvas.Width();
    capture.height = canvas.Height();
    for (int y = 0; y < capture.height; ++y)
        for (int x = 0; x < capture.width; ++x) {
            uint32_t p = canvas.Pixel(x, y);
            capture.rgb.push_back(static_cast<uint8_t>(p >> 16));
            capture.rgb.push_back(static_cast<uint8_t>(p >> 8));
            capture.rgb.push_back(static_cast<uint8_t>(p));
        }
    EXPECT_TRUE(SavePng(capture, ScreenshotPath("skin_default_pieces")));
    // The title bar shows the active gradient, the desk around the rounded corner stays grey.
    EXPECT_NE(canvas.Pixel(110, 25), 0x707070u);
    EXPECT_EQ(canvas.Pixel(10, 10), 0x707070u);
}
