// CEMapIconPictures: the icon pictures of each device kind, read once per canvas and shared by all
// its icons: a scene of a hundred devices would otherwise read three files and build a region per
// icon.
#pragma once

#include <afxwin.h>

// The pictures of a kind, as paths under the start directory.
struct EMapIconPictures {
    const char* normal;
    const char* alarm;
    const char* mask;
};
const EMapIconPictures* IconPicturesOfKind(int kind);

// One kind's loaded pictures. Both pictures or neither; no shape leaves the icon rectangular.
struct EMapKindPictures {
    HBITMAP normal = nullptr;
    HBITMAP alarm = nullptr;
    HRGN shape = nullptr; // the mask's black pixels; each icon window takes a copy
    int maskWidth = 0;
    int maskHeight = 0;
};

class CEMapIconPictures {
public:
    CEMapIconPictures() = default;
    ~CEMapIconPictures();
    CEMapIconPictures(const CEMapIconPictures&) = delete;
    CEMapIconPictures& operator=(const CEMapIconPictures&) = delete;

    // The kind's pictures, read from the start directory on first use; null for an unknown kind.
    const EMapKindPictures* OfKind(int kind);
    void Free();
    // Copies the top-left width x height of a picture to (x, y) of the target, through one memory
    // DC kept for all the icons' paints.
    void Draw(HDC target, HBITMAP picture, int x, int y, int width, int height);

private:
    HDC m_memory = nullptr;
    static const int kKinds = 3;
    EMapKindPictures m_kinds[kKinds];
    bool m_loaded[kKinds] = {};
};

// A new region, a copy of the kind's shape; null when there is none.
HRGN CreateShapeRegion(HRGN shape);
