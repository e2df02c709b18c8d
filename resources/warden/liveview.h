// Resource identifiers of the live view: video wall, preview panes, PTZ and matrix panels.
#pragma once
