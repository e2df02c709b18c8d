// CCmdTarget: the base of threads, the application and windows. The window half of the framework
// adds the message-map machinery here; this half only needs the class in its place in the tree.
#pragma once

#include "afx.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
};
