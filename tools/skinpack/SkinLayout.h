// The layout of every skin object class at the newest version, described from the field tables as the
// markdown that skin/engine/store/FORMAT.md carries (skinpack --describe prints it).
#pragma once
#include <string>

std::string DescribeSkinLayout();
