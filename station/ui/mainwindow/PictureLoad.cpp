#include "station/ui/mainwindow/PictureLoad.h"

CPictureLoad::~CPictureLoad()
{
    if (HBITMAP picture = Take())
        ::DeleteObject(picture);
}

void CPictureLoad::Start(LPCSTR name, int width, int height, UINT flags)
{
    if (HBITMAP earlier = Take())
        ::DeleteObject(earlier);
    m_started = 1;
    m_width = width;
    m_height = height;
    m_flags = flags | LR_LOADFROMFILE;
    // The file is found now, in the current directory of now, as LoadImage looks for a relative name;
    // a file that is not there loads no picture.
    DWORD length = ::SearchPathA(nullptr, name, nullptr, sizeof m_path, m_path, nullptr);
    if (length == 0 || length >= sizeof m_path)
        return;
    m_thread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
    if (m_thread == nullptr)
        m_picture = Load();
}

HBITMAP CPictureLoad::Take()
{
    if (!m_started)
        return nullptr;
    if (m_thread != nullptr) {
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    m_started = 0;
    HBITMAP picture = m_picture;
    m_picture = nullptr;
    return picture;
}

DWORD WINAPI CPictureLoad::Run(LPVOID self)
{
    CPictureLoad* load = static_cast<CPictureLoad*>(self);
    load->m_picture = load->Load();
    return 0;
}

HBITMAP CPictureLoad::Load() const
{
    return (HBITMAP)::LoadImageA(nullptr, m_path, IMAGE_BITMAP, m_width, m_height, m_flags);
}
