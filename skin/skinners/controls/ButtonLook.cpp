// The button state tables.
#include "skin/skinners/controls/ButtonLook.h"

#include <initializer_list>

namespace {

int Fill(int* out, int a, int b = -1, int c = -1)
{
    int n = 0;
    for (int v : {a, b, c})
        if (v >= 0)
            out[n++] = v;
    return n;
}

CheckItemLook Look(int bg0, int bg1, int bg2, int box0, int box1, int box2, int effect)
{
    CheckItemLook look;
    look.backgroundCount = Fill(look.background, bg0, bg1, bg2);
    look.boxCount = Fill(look.box, box0, box1, box2);
    look.effect = effect;
    return look;
}

} // namespace

int PushButtonChain(const ButtonInputs& in, bool highlightedEmpty, int chain[3])
{
    if (!in.enabled)
        return Fill(chain, kPushDisabled, kPushNormal, kPushNormal);
    if (in.pushed || in.pressed)
        return Fill(chain, kPushPressed, kPushNormal, kPushNormal);
    if (in.hover && !highlightedEmpty)
        return Fill(chain, kPushHighlighted);
    if (in.checked)
        return Fill(chain, kPushPressed, kPushNormal, kPushNormal);
    if (in.isDefault && in.focused)
        return Fill(chain, kPushFocused, kPushDefault, kPushNormal);
    if (in.isDefault)
        return Fill(chain, kPushDefault, kPushNormal, kPushNormal);
    if (in.focused)
        return Fill(chain, kPushFocused, kPushNormal, kPushNormal);
    return Fill(chain, kPushNormal);
}

CheckItemLook ChooseCheckItemLook(const ButtonInputs& in, bool radio)
{
    const int N = kCheckNormal, S = kCheckSelected, D = kCheckDisabled, GN = kCheckGrayedNormal,
              GS = kCheckGrayedSelected, HN = kCheckHighlightedNormal, HS = kCheckHighlightedSelected;
    // A radio button is checked by its check bit alone; a held check box already looks checked.
    const bool checkedOrPressed = in.checked || (!radio && in.pressed);
    if (!in.enabled && in.checked)
        return radio ? Look(GS, S, -1, GS, S, -1, GS) : Look(GS, D, N, GS, D, S, GS);
    if (!in.enabled)
        return Look(GN, D, N, GN, D, N, GN);
    if (in.pushed)
        return Look(S, N, -1, S, -1, -1, S);
    if (in.focused && in.checked)
        return Look(HS, S, N, HS, S, -1, HS);
    if (in.focused)
        return Look(HN, N, -1, HN, N, -1, HN);
    if (checkedOrPressed && in.hover)
        return Look(HS, S, N, HS, S, -1, HS);
    if (checkedOrPressed)
        return Look(S, N, -1, S, -1, -1, S);
    if (in.hover)
        return Look(HN, N, -1, HN, N, -1, HN);
    return Look(N, -1, -1, N, -1, -1, N);
}

int FirstOf(const int* list, int count, const bool* emptyByState)
{
    if (count <= 1)
        return list[0];
    for (int i = 0; i < count; ++i)
        if (!emptyByState[list[i]])
            return list[i];
    return list[1];
}

RECT PlaceButtonContent(const RECT& area, int width, int height, LONG style)
{
    RECT r = area;
    const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
    if (width < areaWidth) {
        const LONG align = style & BS_CENTER;
        const LONG type = style & BS_TYPEMASK;
        bool centre = align == BS_CENTER;
        if (align == 0)
            centre = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON;
        if (centre)
            r.left = area.left + (areaWidth - width) / 2;
        else if (align == BS_RIGHT)
            r.left = area.right - width;
        r.right = r.left + width;
    }
    if (height < areaHeight) {
        const LONG vertical = style & BS_VCENTER;
        if (vertical == BS_TOP)
            r.top = area.top;
        else if (vertical == BS_BOTTOM)
            r.top = area.bottom - height;
        else
            r.top = area.top + (areaHeight - height) / 2;
        r.bottom = r.top + height;
    }
    return r;
}

UINT ButtonTextFormat(LONG style, LONG exStyle)
{
    UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK | DT_EDITCONTROL : DT_CENTER;
    if (exStyle & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    return format;
}

WORD NextCheckBoxWord(LONG style, WORD word)
{
    const WORD check = word & 3;
    WORD next = check;
    switch (style & 0x1F) {
    case BS_AUTOCHECKBOX:
        next = check == 0 ? 1 : 0;
        break;
    case BS_AUTO3STATE:
        next = static_cast<WORD>((check + 1) % 3);
        break;
    default:
        break;
    }
    return static_cast<WORD>((word & ~3) | next);
}

WORD SetCheckBits(WORD word, WPARAM check)
{
    return static_cast<WORD>((word & ~3) | (check & 3));
}
