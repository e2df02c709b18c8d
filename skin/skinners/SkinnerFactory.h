// The skinner services the toolkit runs with: which skinner draws each kind of window, from a table of
// type ids to creation functions, and the skinned popup menu.
#pragma once
#include <windows.h>

#include "skin/engine/toolkit/SkinnerServices.h"

using SkinnerMaker = SkinnedWindow* (*)(int type, SkinnedWindow* owner);

// The creation function for a type id, NULL for a kind without a skinner.
SkinnerMaker FindSkinnerMaker(int type);
const SkinnerServices& WindowSkinnerServices();
