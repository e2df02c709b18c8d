// Walks the field tables of every class and writes them out as tables: key, kind, bytes, versions.
#include "tools/skinpack/SkinLayout.h"

#include <memory>
#include <sstream>
#include <vector>

#include "skin/engine/objects/SkinObject.h"
#include "skin/engine/store/SkinTypes.h"

namespace {

const char* KindName(int kind)
{
    switch (kind) {
    case KindFont:
        return "font";
    case KindText:
        return "text";
    case KindColor:
        return "colour";
    case KindImagePart:
        return "image part";
    case KindSlicedImage:
        return "sliced image";
    case KindRect:
        return "rectangle";
    case KindInteger:
        return "integer";
    case KindControlId:
        return "control id";
    case KindBytes:
        return "bytes";
    case KindTextEffect:
        return "text effect";
    case KindLongText:
        return "long text";
    default:
        return "?";
    }
}

std::string Versions(const FieldDef& def)
{
    std::string v;
    if (!def.Gated())
        v = "all";
    else if (def.maxMinor == 255)
        v = "1." + std::to_string(def.minMinor) + " on";
    else
        v = "up to 1." + std::to_string(def.maxMinor);
    if (def.flags & FieldDiscard)
        v += ", read and dropped";
    else if (def.flags & FieldReadOnly)
        v += ", read only";
    return v;
}

// What an alias names: the serialised field that holds its bytes.
std::string AliasTarget(SkinObject& object, const FieldDef& alias, const FieldSpan* layers, size_t n)
{
    const char* at = static_cast<const char*>(alias.Address(object));
    for (size_t l = 0; l < n; ++l)
        for (size_t i = 0; i < layers[l].count; ++i) {
            const FieldDef& def = layers[l].defs[i];
            if (!def.Serialised() || def.kind == KindLongText)
                continue;
            const char* start = static_cast<const char*>(def.Address(object));
            if (at < start || at >= start + def.Bytes())
                continue;
            if (at == start && alias.size == def.size)
                return "another key for " + std::string(def.key);
            size_t from = at - start;
            return "bytes " + std::to_string(from) + "-" + std::to_string(from + alias.size - 1) + " of " + def.key;
        }
    return "?";
}

void Table(std::ostringstream& out, SkinObject& object, const FieldSpan& layer, const FieldSpan* all, size_t n)
{
    out << "| key | kind | bytes | versions |\n|---|---|---|---|\n";
    for (size_t i = 0; i < layer.count; ++i) {
        const FieldDef& def = layer.defs[i];
        out << "| " << def.key << " | " << KindName(def.kind);
        if (!def.Serialised()) {
            out << " | - | " << AliasTarget(object, def, all, n) << " |\n";
            continue;
        }
        out << " | ";
        if (def.kind == KindLongText)
            out << "4 + n";
        else if (def.count > 1)
            out << def.count << " x " << def.size;
        else
            out << def.size;
        out << " | " << Versions(def) << " |\n";
    }
    out << "\n";
}

struct ClassInfo {
    int type;
    const char* className;
};

const ClassInfo kClasses[] = {
    {SkinTypeFrameWnd, "FrameWndSkinObject"},
    {SkinTypeShapeWnd, "ShapeWndSkinObject"},
    {SkinTypeCaptionButton, "CaptionButtonSkinObject"},
    {SkinTypeButton, "ButtonSkinObject"},
    {SkinTypeCheckBox, "CheckBoxSkinObject"},
    {SkinTypeComboBox, "ComboBoxSkinObject"},
    {SkinTypeEdit, "ScrollControlSkinObject"},
    {SkinTypeGroupBox, "GroupBoxSkinObject"},
    {SkinTypeProgressBar, "ProgressSkinObject"},
    {SkinTypeRadio, "RadioSkinObject"},
    {SkinTypeScrollBar, "ScrollBarSkinObject"},
    {SkinTypeSlider, "SliderSkinObject"},
    {SkinTypeStatic, "StaticSkinObject"},
    {SkinTypeStatusBar, "StatusBarSkinObject"},
    {SkinTypeTab, "TabSkinObject"},
    {SkinTypePopupMenu, "PopupMenuSkinObject"},
    {SkinTypeVoice, "SkinObject"},
    {SkinTypeMenuBar, "MenuBarSkinObject"},
    {SkinTypeArea, "AreaSkinObject"},
    {SkinTypeToolBar, "ToolBarSkinObject"},
    {SkinTypeControlBar, "ControlBarSkinObject"},
    {SkinTypeApplication, "ApplicationSkinObject"},
    {SkinTypeSpin, "SpinSkinObject"},
    {SkinTypeTreeView, "TreeViewSkinObject"},
    {SkinTypeDateTime, "DateTimeSkinObject"},
    {SkinTypeMonthCalendar, "MonthCalendarSkinObject"},
    {SkinTypeRebar, "RebarSkinObject"},
    {SkinTypeHeader, "HeaderSkinObject"},
    {SkinTypeCaptionStatic, "CaptionStaticSkinObject"},
    {SkinTypeImageList, "ImageListSkinObject"},
    {SkinTypeAnimate, "AnimateSkinObject"},
    {SkinTypeTooltip, "TooltipSkinObject"},
    {SkinTypeSysColorTable, "SysColorTableSkinObject"},
    {SkinTypePropertySet, "PropertySetSkinObject"},
};

} // namespace

std::string DescribeSkinLayout()
{
    std::ostringstream out;
    // The shared parts, named after the class that adds them; each class below lists only its own part.
    struct Part {
        int type;
        size_t layer;
        const char* name;
    } parts[] = {{SkinTypeVoice, 0, "SkinObject (the base part of every object)"},
                 {SkinTypeEdit, 1, "ControlSkinObject (the control part)"},
                 {SkinTypeFrameWnd, 1, "FramedSkinObject (the framed part)"},
                 {SkinTypeArea, 1, "FrameElementSkinObject (the frame-element part)"},
                 {SkinTypeEdit, 2, "ScrollControlSkinObject (the scroll-control part)"}};
    std::vector<const FieldDef*> shared;
    for (const Part& p : parts) {
        std::unique_ptr<SkinObject> object(CreateSkinObject(p.type));
        FieldSpan layers[SkinObject::kMaxLayers];
        size_t n = object->GetFieldLayers(layers, SkinObject::kMaxLayers);
        shared.push_back(layers[p.layer].defs);
        out << "### " << p.name << "\n\n";
        Table(out, *object, layers[p.layer], layers, n);
    }
    for (const ClassInfo& c : kClasses) {
        std::unique_ptr<SkinObject> object(CreateSkinObject(c.type));
        FieldSpan layers[SkinObject::kMaxLayers];
        size_t n = object->GetFieldLayers(layers, SkinObject::kMaxLayers);
        const char* name = GetSkinTypeName(c.type);
        out << "### " << c.type << " " << (name ? name : "PropertySet") << ": " << c.className << "\n\n";
        out << "Parts in file order:";
        for (size_t l = 0; l < n; ++l) {
            const char* partName = NULL;
            static const char* const names[] = {"base", "control", "framed", "frame element", "scroll control"};
            for (size_t s = 0; s < shared.size(); ++s)
                if (layers[l].defs == shared[s])
                    partName = names[s];
            out << (l ? ", " : " ") << (partName ? partName : "own fields");
        }
        out << ".";
        if (c.type == SkinTypeFrameWnd)
            out << " Between the framed part and the own fields: a u32 type id (written as 20) and the menu bar, a "
                   "MenuBar object (type 20 below).";
        if (c.type == SkinTypePropertySet)
            out << " After the own fields: the records (see Property sets).";
        out << "\n\n";
        for (size_t l = 0; l < n; ++l) {
            bool isShared = false;
            for (const FieldDef* s : shared)
                isShared = isShared || layers[l].defs == s;
            if (!isShared)
                Table(out, *object, layers[l], layers, n);
        }
    }
    return out.str();
}
