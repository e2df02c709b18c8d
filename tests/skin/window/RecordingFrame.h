// A top-level window that records what the skinners send and post it: commands, system commands, menu
// messages, client presses and the toolkit's private messages. It closes only when told to, and runs a test's step when
// it receives kRunStep (so a step can run inside a modal menu loop).
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

const UINT kRunStep = WM_APP + 17;

std::vector<RecordedMessage>& FrameLog();
// The messages of that kind recorded so far, in order.
std::vector<RecordedMessage> FrameLogOf(UINT message);
// The step kRunStep runs (once).
void SetStep(const std::function<void()>& step);
HWND MakeRecordingFrame(const char* title, DWORD style, HMENU menu, int x, int y, int width, int height);
