// Helpers of the window tests: seams installed for one scope, modal loops driven by a function,
// message boxes answered and recorded, and the framework's own message pump.
#pragma once

#include <afxwin.h>
#include <WindowSeams.h>

#include <functional>
#include <string>
#include <vector>

// Calls action with the modal window each time a modal loop of this thread goes idle, for the life
// of the object. A loop still running after many idle calls is ended with -2, so that a test that
// forgot to end its dialog fails instead of waiting forever.
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(CWnd*)> action);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;
    int Calls() const;

private:
    Seams::ModalLoopFunc previous_;
};

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// Answers every message box with answer and records it, for the life of the object.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;
    const std::vector<RecordedBox>& Boxes() const;

private:
    Seams::MessageBoxFunc previous_;
};

// Dispatches what is waiting for this thread through the framework's filter (PreTranslateMessage).
void PumpFrameworkMessages();

// The button's click as the control reports it: WM_COMMAND with BN_CLICKED to its parent.
void ClickButton(CWnd* dialog, int id);

// Removes a WM_QUIT that a destroyed main window left behind.
void DiscardQuitMessage();

std::string WindowText(HWND hWnd);
std::string ClassName(HWND hWnd);
