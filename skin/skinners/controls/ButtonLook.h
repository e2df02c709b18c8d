// What a push button, check box or radio button shows, as pure functions of its state: the chain of
// push-button images, the check-item parts, where the content goes, the text format and what a click
// does to the check state.
#pragma once
#include <windows.h>

struct ButtonInputs {
    bool enabled;
    bool pushed;  // BM_GETSTATE's pushed bit
    bool pressed; // the skinner's pressed flag (mouse or space bar down)
    bool hover;
    bool checked; // BM_GETSTATE's check bit
    bool focused;
    bool isDefault;
};

// Push-button state indices (the order of the Button object's states).
enum { kPushNormal, kPushPressed, kPushDefault, kPushFocused, kPushHighlighted, kPushDisabled };

// The chain of states to try, the first non-empty drawn (the last even when empty); returns its length.
int PushButtonChain(const ButtonInputs& in, bool highlightedEmpty, int chain[3]);

// Check-item state indices (the order of the CheckBox and Radio objects' states).
enum {
    kCheckNormal,
    kCheckSelected,
    kCheckDisabled,
    kCheckGrayedNormal,
    kCheckGrayedSelected,
    kCheckHighlightedNormal,
    kCheckHighlightedSelected
};

struct CheckItemLook {
    int background[3];
    int backgroundCount;
    int box[3];
    int boxCount;
    int effect;
};

// The parts a check box (radio = false) or radio button shows.
CheckItemLook ChooseCheckItemLook(const ButtonInputs& in, bool radio);

// "First of": the first non-empty entry, else the second of the list (a single entry is used as is).
int FirstOf(const int* list, int count, const bool* emptyByState);

// The content's rectangle of that size inside the area, by the button's style.
RECT PlaceButtonContent(const RECT& area, int width, int height, LONG style);
UINT ButtonTextFormat(LONG style, LONG exStyle);
// The check state after a click of a check box of that style (the other bits of the word are kept).
WORD NextCheckBoxWord(LONG style, WORD word);
// BM_SETCHECK: only the check bits change.
WORD SetCheckBits(WORD word, WPARAM check);
