// The skin packer: every class described in a skin source, packed and read back field for field;
// the source's errors; skinpack.exe itself.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "skin/engine/objects/FramedSkinObjects.h"
#include "tests/skin/engine/ImageFixtures.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "tests/skin/engine/SkinFixtures.h"
#include "skin/engine/images/SkinImage.h"
#include "tools/skinpack/SkinLayout.h"
#include "tools/skinpack/SkinSource.h"

namespace {

// The object's fields as source lines, children and the menu bar as nested blocks.
void WriteObject(std::ostringstream& out, SkinObject& object, const std::string& opening)
{
    out << opening << "\n";
    FieldSpan layers[SkinObject::kMaxLayers];
    size_t n = object.GetFieldLayers(layers, SkinObject::kMaxLayers);
    for (size_t l = 0; l < n; ++l)
        for (size_t i = 0; i < layers[l].count; ++i) {
            const FieldDef& def = layers[l].defs[i];
            if (!def.Written())
                continue;
            const char* value = static_cast<const char*>(def.Address(object));
            if (def.count == 1) {
                out << "    " << def.key << " = " << SkinSource::FormatValue(def, value) << "\n";
                continue;
            }
            for (int e = 0; e < def.count; ++e)
                out << "    " << def.key << "[" << e << "] = " << SkinSource::FormatValue(def, value + e * def.size)
                    << "\n";
        }
    if (object.Type() == SkinTypeFrameWnd)
        WriteObject(out, *static_cast<FrameWndSkinObject&>(object).menuBar, "menubar");
    if (object.Type() == SkinTypePropertySet)
        for (const SkinPropertyRecord& r : static_cast<PropertySetSkinObject&>(object).records) {
            FieldDef def = {"", static_cast<uint8_t>(r.kind), static_cast<uint16_t>(r.value.size()), 1, NULL, 0, 255,
                            0};
            out << "    property \"" << r.key << "\" " << r.kind << " " << SkinSource::FormatValue(def, r.value.data())
                << " default \"" << r.defaultText << "\"" << (r.hasText ? " text \"" + r.text + "\"" : "") << "\n";
        }
    for (const auto& child : object.Children())
        WriteObject(out, *child.second, "child " + TypeLabel(child.second->Type()) + " \"" + child.first + "\"");
    out << "end\n";
}

std::string WriteFile(const TempDir& dir, const std::string& name, const std::string& bytes)
{
    std::ofstream out(dir.File(name).c_str(), std::ios::binary);
    out << bytes;
    return dir.File(name);
}

std::string EncodedPicture(int format)
{
    SkinImage image;
    image.Create(5, 3, 24, format);
    for (int i = 0; i < 15; ++i)
        image.SetColorAt(i % 5, i / 5, Quad(0x102030u * i));
    BYTE* data = nullptr;
    DWORD size = 0;
    image.Encode(format, &data, &size);
    std::string bytes(reinterpret_cast<char*>(data), size);
    std::free(data);
    return bytes;
}

} // namespace

TEST(SkinSource, EveryClassPackedFromASourceComesBackFieldForField)
{
    TempDir dir;
    WriteFile(dir, "pic.bmp", EncodedPicture(SkinImage::FormatBmp));
    WriteFile(dir, "pic.tga", EncodedPicture(SkinImage::FormatTga));

    SkinStore expected;
    std::ostringstream source;
    source << "# every class\nauthor \"packer test \xE7\x9A\xAE\xE8\x82\xA4\"\n";
    source << "image PIC.BMP \"pic.bmp\"\nimage Pic.Tga \"pic.tga\"\n";
    for (int type : AllClassTypes()) {
        if (!IsTopLevelSkinType(type))
            continue;
        SkinObject* object = CreateSkinObject(type);
        FieldFiller filler(type);
        filler.Fill(*object);
        object->SetName(("T" + std::to_string(type)).c_str());
        if (type == SkinTypeFrameWnd) {
            filler.Fill(*static_cast<FrameWndSkinObject*>(object)->menuBar);
            for (int childType : {SkinTypeCaptionButton, SkinTypeCaptionStatic, SkinTypeArea, SkinTypeTooltip}) {
                SkinObject* child = CreateSkinObject(childType);
                filler.Fill(*child);
                child->SetName(GetSkinTypeName(childType));
                object->AddChild(child);
            }
        }
        if (type == SkinTypePropertySet) {
            auto* set = static_cast<PropertySetSkinObject*>(object);
            set->records.push_back({KindColor, "PANE.COLOR", "red", {1, 2, 3, 0}, true, "pane"});
            set->records.push_back({KindInteger, "GAP", "", {9, 0, 0, 0}, false, ""});
        }
        WriteObject(source, *object, std::string("object ") + TypeLabel(type) + " \"" + object->name + "\"");
        expected.AddObject(object);
    }
    source << "named \"Click\"\n    SECONDNAME = \"click.wav\"\nend\n";

    SkinStore parsed;
    SkinSource parser;
    ASSERT_TRUE(parser.Parse(source.str(), dir.Path(), parsed)) << parser.Error();
    MemoryStream packed(10240);
    ASSERT_TRUE(parsed.Save(packed));
    packed.Rewind();
    SkinStore loaded;
    ASSERT_TRUE(loaded.Load(packed)) << loaded.GetStatus();

    EXPECT_STREQ(loaded.Header().author, "packer test \xC6\xA4\xB7\xF4"); // 皮肤 in code page 936
    EXPECT_EQ(loaded.Objects().size(), expected.Objects().size());
    for (const auto& entry : expected.Objects()) {
        SkinObject* back = loaded.FindObjectByName(entry.first.c_str());
        ASSERT_NE(back, nullptr) << entry.first;
        ExpectSameFields(*entry.second, *back, entry.first);
        if (entry.second->Type() == SkinTypeFrameWnd)
            ExpectSameFields(*static_cast<FrameWndSkinObject*>(entry.second)->menuBar,
                             *static_cast<FrameWndSkinObject*>(back)->menuBar, "menu bar");
        if (entry.second->Type() == SkinTypePropertySet) {
            auto* set = static_cast<PropertySetSkinObject*>(back);
            ASSERT_EQ(set->records.size(), 2u);
            EXPECT_EQ(set->records[0].value, std::vector<BYTE>({1, 2, 3, 0}));
            EXPECT_EQ(set->records[0].text, "pane");
            EXPECT_STREQ(set->records[0].defaultText, "red");
            EXPECT_FALSE(set->records[1].hasText);
        }
    }
    ASSERT_EQ(loaded.Images().size(), 2u);
    EXPECT_EQ(loaded.FindImageObject("pic.tga")->Image().FormatCode(), SkinImage::FormatTga);
    EXPECT_EQ(Rgb(loaded.FindImage("PIC.BMP")->ColorAt(4, 2)), 0x102030u * 14);
    EXPECT_STREQ(loaded.FindObjectByName("Click")->secondName, "click.wav");
}

TEST(SkinSource, MistakesAreReportedWithTheirLine)
{
    TempDir dir;
    WriteFile(dir, "pic.bmp", EncodedPicture(SkinImage::FormatBmp));
    WriteFile(dir, "bad.bmp", "BM not a picture");
    struct Case {
        const char* source;
        const char* message;
    } cases[] = {
        {"object Button \"B\"\n    NOSUCHKEY = 1\nend\n", "line 2: no field 'NOSUCHKEY'"},
        {"object Gadget \"G\"\nend\n", "line 1: type 'Gadget'"},
        {"object CaptionButton \"C\"\nend\n", "line 1: type 'CaptionButton' cannot stand at top level"},
        {"child Button \"B\"\nend\n", "line 1: 'child' outside an object"},
        {"object Button \"B\"\n", "line 2: 'end' missing"},
        {"end\n", "line 1: 'end' without"},
        {"object Button \"B\"\n    TEXT = \"01234567890123456789012345678901234567890123456789\"\nend\n",
         "line 2: TEXT: text longer than 49 bytes"},
        {"object Button \"B\"\n    COLOR = #12345\nend\n", "line 2: COLOR: bad colour"},
        {"object Button \"B\"\n    NORMAL.IMAGE = PIC.BMP 1 2 3\nend\n", "line 2: NORMAL.IMAGE: too few values"},
        {"object SysColorTable \"S\"\n    SYSCOLOR[100] = #000000\nend\n", "line 2: 'SYSCOLOR' takes an index"},
        {"image PIC.BMP \"missing.bmp\"\n", "line 1: cannot read the image file"},
        {"image PIC.BMP \"bad.bmp\"\n", "line 1: "},
        {"object FrameWnd \"F\"\n    child Static \"S\"\n    end\n    child Static \"S\"\n    end\nend\n",
         "line 5: a child of that NAME"},
        {"object Button \"B\"\n    menubar\n    end\nend\n", "line 2: 'menubar' stands alone inside a FrameWnd"},
        {"object PopupMenu \"P\"\n    child Area \"A\"\n    end\nend\n", "line 2: type 'Area' cannot stand as a child"},
        {"object Button \"B\"\n    TEXT = \"unterminated\nend\n", "line 2: unterminated text"},
        {"object Button \"B\"\n    NORMAL.TEXTEFFECT = colour=#FFFFFF\nend\n", "unknown text effect attribute"},
    };
    for (const Case& c : cases) {
        SkinStore store;
        SkinSource parser;
        EXPECT_FALSE(parser.Parse(c.source, dir.Path(), store)) << c.source;
        EXPECT_NE(parser.Error().find(c.message), std::string::npos) << parser.Error() << " / wanted " << c.message;
    }
}

TEST(SkinSource, SkinpackWritesALoadableSkinAndFailsOnBadSources)
{
    TempDir dir;
    WriteFile(dir, "pic.bmp", EncodedPicture(SkinImage::FormatBmp));
    WriteFile(
        dir, "good.skin",
        "author \"x\"\nimage PIC.BMP \"pic.bmp\"\nobject Button \"Button\"\n"
        "    NORMAL.IMAGE = PIC.BMP 0 0 5 3 1 1 1 1 1\n    FONT = \"\xE5\xAE\x8B\xE4\xBD\x93\" -12 weight=700\nend\n");
    WriteFile(dir, "bad.skin", "object Button \"Button\"\n    WHAT = 1\nend\n");

    ChildProcess good;
    ASSERT_TRUE(good.Start(ProgramPath("skinpack.exe"), "good.skin out.tsk", dir.Path()));
    EXPECT_EQ(good.Wait(20000), 0);
    std::vector<uint8_t> bytes = ReadWholeFile(dir.File("out.tsk"));
    MemoryStream packed(bytes.data(), static_cast<DWORD>(bytes.size()));
    SkinStore store;
    ASSERT_TRUE(store.Load(packed));
    SkinObject* button = store.FindObjectByType(SkinTypeButton);
    ASSERT_NE(button, nullptr);
    EXPECT_STREQ(static_cast<SkinFont*>(button->FindProperty("FONT"))->logFont.lfFaceName, "\xCB\xCE\xCC\xE5");
    EXPECT_NE(store.FindImage("pic.bmp"), nullptr);

    ChildProcess bad;
    ASSERT_TRUE(bad.Start(ProgramPath("skinpack.exe"), "bad.skin out2.tsk", dir.Path()));
    EXPECT_EQ(bad.Wait(20000), 1);
    EXPECT_EQ(GetFileAttributesA(dir.File("out2.tsk").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SkinSource, FormatDocumentCarriesTheLayoutOfTheTables)
{
    std::vector<uint8_t> bytes = ReadWholeFile(ProgramPath("FORMAT.md"));
    std::string document(bytes.begin(), bytes.end());
    ASSERT_FALSE(document.empty());
    EXPECT_NE(document.find(DescribeSkinLayout()), std::string::npos)
        << "skin/engine/store/FORMAT.md is out of date: paste the output of skinpack --describe into its last section";
}
