#include "tests/framework/windows/WindowTestSupport.h"

namespace {

std::function<void(CWnd*)> modalAction;
int modalCalls = 0;
const int kModalCallLimit = 500;

void DriveModalLoop(CWnd* modal)
{
    ++modalCalls;
    if (modalAction)
        modalAction(modal);
    if (modal->m_hWnd == nullptr || !modal->ContinueModal())
        return;
    if (modalCalls >= kModalCallLimit) {
        modal->EndModalLoop(-2);
        return;
    }
    // Keep the loop turning: the action may wait for posted work.
    modal->PostMessage(WM_NULL);
}

int boxAnswer = IDOK;
std::vector<RecordedBox> boxes;

int RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    boxes.push_back({owner, text != nullptr ? text : "", caption != nullptr ? caption : "", type});
    return boxAnswer;
}

} // namespace

ModalDriver::ModalDriver(std::function<void(CWnd*)> action)
{
    modalAction = std::move(action);
    modalCalls = 0;
    previous_ = Seams::ReplaceModalLoop(DriveModalLoop);
}

ModalDriver::~ModalDriver()
{
    Seams::ReplaceModalLoop(previous_);
    modalAction = nullptr;
}

int ModalDriver::Calls() const
{
    return modalCalls;
}

MessageBoxRecorder::MessageBoxRecorder(int answer)
{
    boxAnswer = answer;
    boxes.clear();
    previous_ = Seams::ReplaceMessageBox(RecordMessageBox);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    Seams::ReplaceMessageBox(previous_);
}

const std::vector<RecordedBox>& MessageBoxRecorder::Boxes() const
{
    return boxes;
}

void PumpFrameworkMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            return;
        AfxPumpMessage();
    }
}

void ClickButton(CWnd* dialog, int id)
{
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog->m_hWnd, id));
}

void DiscardQuitMessage()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

std::string WindowText(HWND hWnd)
{
    char text[512] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

std::string ClassName(HWND hWnd)
{
    char name[256] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}
