// A picture file loaded stretched to a size on a thread of its own, as LoadImage loads it: stretching a
// small picture to the whole screen is the dearest single call of the start-up, and the picture is
// not wanted before the first paint. The file is looked for at the start, as LoadImage would look
// for it then; the picture is taken when it is first needed.
#pragma once
#include <windows.h>

class CPictureLoad {
public:
    CPictureLoad() = default;
    ~CPictureLoad();
    CPictureLoad(const CPictureLoad&) = delete;
    CPictureLoad& operator=(const CPictureLoad&) = delete;

    // LoadImageA (name, IMAGE_BITMAP, width, height, flags | LR_LOADFROMFILE), started now.
    void Start(LPCSTR name, int width, int height, UINT flags);
    // Waits for the load started last and hands its picture over (null when there is none); the
    // caller owns it. Null when nothing was started since the last Take.
    HBITMAP Take();

private:
    static DWORD WINAPI Run(LPVOID self);
    HBITMAP Load() const;

    char m_path[MAX_PATH] = "";
    int m_width = 0;
    int m_height = 0;
    UINT m_flags = 0;
    HANDLE m_thread = nullptr;
    HBITMAP m_picture = nullptr;
    int m_started = 0;
};
