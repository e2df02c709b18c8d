// The tour's split modes: the index of the radio buttons and the pane count it stands for, and the
// string of each mode's name.
#pragma once

const int kSplitModes = 6;

// 1, 4, 6, 8, 9 or 16 panes; 16 for an index outside 0..5.
int PanesOfSplitIndex(int index);
// The index of a pane count; 5 (16 panes) for a count not in the list.
int SplitIndexOfPanes(int panes);
// The string-table id of the mode's name, 0 for a count not in the list.
unsigned ModeTextId(int panes);
