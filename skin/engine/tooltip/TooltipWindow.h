// TooltipWindow: the one tooltip that every skinned window and frame element shares. A borderless
// top-most popup that shows rich text (the tooltip markup, drawn by the RichTextDrawer) inside a frame
// drawn from the skin's Tooltip object, or from a built-in one when the skin has none. A request starts
// the show delay; then the owning item is asked for its text at the cursor again, the text is measured
// and the tip placed near the cursor inside the work area; it hides after the hide delay, when the mouse
// leaves it, or on the next request.
#pragma once
#include <windows.h>

#include <string>

#include "skin/engine/richtext/RichTextDrawer.h"
#include "skin/engine/toolkit/SkinnedWindow.h"
#include "skin/engine/objects/FramedSkinObjects.h"

class TooltipWindow : public SkinnedWindow {
public:
    enum { ShowTimer = 1000, HideTimer = 1010 };

    TooltipWindow();
    ~TooltipWindow() override;

    // Creates the window of class "TessarineTooltip32" (registered with the same module).
    BOOL Create(HINSTANCE instance);
    // Records the point (the cursor's when NULL), hides the tip and keeps the text; a non-empty text
    // starts the show delay.
    void Request(const char* text, const POINT* screenPoint);
    void Hide();
    void SetOwner(SkinnedItem* owner) { owner_ = owner; }
    SkinnedItem* Owner() const { return owner_; }
    // An owner that is going away: forgotten, and the tip hidden, when it is the owner.
    void ForgetOwner(SkinnedItem* item);
    RichTextDrawer& GetDrawer() { return drawer_; }

    // A Tooltip object is bound and its style sheet handed to the drawer; anything else binds the
    // built-in object with the default style sheet and returns NULL.
    SkinObject* SetSkinObject(SkinObject* object) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNcDestroy() override;

    const std::string& Text() const { return text_; }
    POINT CursorPoint() const { return cursor_; }
    const TooltipSkinObject& Object() const;
    bool IsBuiltInObject() const { return skinObject_ == &builtIn_; }

    // The tip's rectangle for a placement (0 below right of the cursor ... 7 above left).
    static RECT PlaceTip(int placement, POINT cursor, SIZE size);
    // The placement asked for when the tip lies inside the work area, else the first of 0 to 7 that
    // does, else 7.
    static RECT ChooseTipRect(int placement, POINT cursor, SIZE size, const RECT& workArea);

private:
    void OnShowTimer();
    void Show();
    void OnNcPaint();
    void OnPaint();
    LRESULT OnNcCalcSize(LPARAM lParam);

    TooltipSkinObject builtIn_;
    RichTextDrawer drawer_;
    std::string text_;
    SkinnedItem* owner_;
    POINT cursor_;
    BOOL tracked_;
    RECT lastNcRect_;
};

extern const char kTooltipClassName[]; // "TessarineTooltip32"
BOOL RegisterTooltipClass(HINSTANCE instance);

// The toolkit's tooltip, NULL while the toolkit is not set up.
TooltipWindow* GetTooltipWindow();
void SetTooltipWindow(TooltipWindow* tooltip);
