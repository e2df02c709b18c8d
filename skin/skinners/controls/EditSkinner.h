// EditSkinner: edit and rich-edit controls. The parent asks it for the colours of the edit (writable:
// BACKCOLOR; read-only or disabled: the read-only colour), a rich edit gets BACKCOLOR as its background.
#pragma once
#include "skin/skinners/scrolling/ScrollControlSkinner.h"

class EditSkinner : public ScrollControlSkinner {
public:
    explicit EditSkinner(SkinnedWindow* owner);
    ~EditSkinner() override;

    SkinObject* SetSkinObject(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    BOOL AnswerCtlColor(UINT message, HDC dc, LRESULT* result) override;

    LRESULT OnCtlColorEdit(HDC dc);
    LRESULT OnCtlColorStatic(HDC dc);

protected:
    void OnBound() override;

private:
    void SetRichEditBackground();

    HBRUSH disabledBrush_;
    HBRUSH backgroundBrush_;
};
