// Benchmark: loading a skin of 25 objects and 22 pictures (about 250 KB unpacked) against the bare LZO1X
// decompression of the same bytes, measured in the same run. Prints both times and their ratio.
#include <windows.h>

#include <lzo/lzo1x.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/store/MemoryStream.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinStore.h"

#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"

namespace {

void SetPart(ImagePart& part, const char* image, int size)
{
    tessarine::CopyText(part.image, sizeof part.image, image);
    SetRect(&part.source, 0, 0, size, size);
    part.mode = 1;
}

void SetSliced(SlicedImage& sliced, const char* image, int size)
{
    tessarine::CopyText(sliced.image, sizeof sliced.image, image);
    SetRect(&sliced.source, 0, 0, size, size);
    SetRect(&sliced.margins, 3, 3, 3, 3);
    sliced.mode = 1;
}

// Gradients and flat areas, as skin pictures are: they pack about as well as a real skin does.
void BuildSkin(SkinStore& store)
{
    for (int i = 0; i < 22; ++i) {
        ImageSkinObject* image = new ImageSkinObject;
        std::string name = "PICTURE" + std::to_string(i) + ".BMP";
        image->SetName(name.c_str());
        SkinImage& picture = image->Image();
        picture.Create(i == 0 ? 276 : 48, i == 0 ? 160 : 36, 24, SkinImage::FormatBmp);
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) {
                BYTE shade = static_cast<BYTE>(y * 3 + i * 7);
                RGBQUAD c = {shade, static_cast<BYTE>(x < 4 ? 40 : shade / 2), static_cast<BYTE>(200 - i), 0};
                picture.SetColorAt(x, y, c);
            }
        store.AddImage(image);
    }
    for (int i = 0; i < 2; ++i) {
        FrameWndSkinObject* frame = new FrameWndSkinObject;
        frame->SetName(i == 0 ? "MainFrame" : "Dialog");
        for (int p = 0; p < 18; ++p) {
            frame->imageParts[p] = frame->GetImagePart(p);
            tessarine::CopyText(frame->imageParts[p].image, 52, "PICTURE0.BMP");
            frame->imageParts[p].source = frame->GetFrameRect(p % 9);
        }
        for (int b = 0; b < 4; ++b) {
            SkinObject* button = CreateSkinObject(SkinTypeCaptionButton);
            button->SetName(("Button" + std::to_string(b)).c_str());
            frame->AddChild(button);
        }
        store.AddObject(frame);
    }
    const int types[] = {SkinTypeButton,        SkinTypeCheckBox,  SkinTypeRadio,       SkinTypeComboBox,
                         SkinTypeEdit,          SkinTypeListBox,   SkinTypeScrollBar,   SkinTypeSlider,
                         SkinTypeStatic,        SkinTypeTab,       SkinTypeProgressBar, SkinTypeTreeView,
                         SkinTypeHeader,        SkinTypeSpin,      SkinTypePopupMenu,   SkinTypeTooltip,
                         SkinTypeGroupBox,      SkinTypeStatusBar, SkinTypeToolBar,     SkinTypeApplication,
                         SkinTypeSysColorTable, SkinTypeDateTime,  SkinTypeRebar};
    int n = 0;
    for (int type : types) {
        SkinObject* object = CreateSkinObject(type);
        object->SetName(GetSkinTypeName(type));
        std::string image = "PICTURE" + std::to_string(1 + n++ % 21) + ".BMP";
        if (type == SkinTypeButton)
            for (StateImage& s : static_cast<ButtonSkinObject*>(object)->states)
                SetSliced(s.image, image.c_str(), 40);
        if (type == SkinTypeScrollBar)
            for (ScrollBarGroup& g : static_cast<ScrollBarSkinObject*>(object)->groups) {
                SetPart(g.arrow1, image.c_str(), 16);
                SetSliced(g.thumb, image.c_str(), 16);
            }
        store.AddObject(object);
    }
}

} // namespace

int main()
{
    SkinStore source;
    BuildSkin(source);
    MemoryStream raw(10240);
    source.SaveUnpacked(raw);
    MemoryStream packed(10240);
    PackSkin(raw.Data(), raw.Size(), packed);
    std::printf("skin: %u objects, %u pictures, %lu bytes unpacked, %lu bytes packed\n",
                static_cast<unsigned>(source.Objects().size()), static_cast<unsigned>(source.Images().size()),
                static_cast<unsigned long>(raw.Size()), static_cast<unsigned long>(packed.Size()));

    const int rounds = 200;
    std::vector<double> loads, inflates;
    SkinStore::LoadTimes phases;
    std::vector<unsigned char> out(raw.Size());
    lzo_init();
    for (int i = 0; i < rounds; ++i) {
        double t0 = NowMs();
        lzo_uint produced = out.size();
        lzo1x_decompress_safe(packed.Data() + 4, packed.Size() - 4, out.data(), &produced, NULL);
        double t1 = NowMs();
        SkinStore store;
        packed.Rewind();
        BOOL ok = store.Load(packed, &phases);
        double t2 = NowMs();
        if (!ok || produced != raw.Size()) {
            std::printf("load failed: status %d\n", store.GetStatus());
            return 1;
        }
        inflates.push_back(t1 - t0);
        loads.push_back(t2 - t1);
    }
    std::sort(loads.begin(), loads.end());
    std::sort(inflates.begin(), inflates.end());
    double load = loads[rounds / 2], inflate = inflates[rounds / 2];
    std::printf("median of %d rounds\n", rounds);
    const double total = phases.unpack + phases.objects + phases.images + phases.link;
    std::printf("where a load's time goes: unpacking %.0f%%, objects %.0f%%, pictures %.0f%%, linking %.0f%%\n",
                100 * phases.unpack / total, 100 * phases.objects / total, 100 * phases.images / total,
                100 * phases.link / total);
    PrintFigure("skin load vs LZO1X decompression", load, inflate, "ms", "at most 3");
    return 0;
}
