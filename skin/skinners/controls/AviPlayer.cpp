// AviPlayer: Video for Windows resolved by name, one clip's stream, frame reader and drawing context.
#include "skin/skinners/controls/AviPlayer.h"

#include "skin/engine/store/SkinRecords.h"

namespace {

template <class Function> void Resolve(HMODULE module, const char* name, Function& out, bool& found)
{
    out = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : NULL;
    found = found && out != NULL;
}

// The pixels of a packed frame: after its header, colour masks and colour table.
void* FrameBits(BITMAPINFOHEADER* frame)
{
    DWORD colors = frame->biClrUsed;
    if (colors == 0 && frame->biBitCount <= 8)
        colors = 1u << frame->biBitCount;
    DWORD offset = frame->biSize + colors * sizeof(RGBQUAD);
    if (frame->biCompression == BI_BITFIELDS && frame->biSize == sizeof(BITMAPINFOHEADER))
        offset += 3 * sizeof(DWORD);
    return reinterpret_cast<BYTE*>(frame) + offset;
}

} // namespace

DWORD FramePeriodMs(DWORD rate, DWORD scale)
{
    if (rate == 0)
        return 100;
    const unsigned long long period = 1000ULL * scale / rate;
    if (period < 1)
        return 1;
    return period > 0xFFFFFFFEULL ? 0xFFFFFFFEUL : static_cast<DWORD>(period);
}

AviPlayer::AviPlayer()
    : avifile_(LoadLibraryA("avifil32.dll")), video_(LoadLibraryA("msvfw32.dll")), available_(false), opened_(false),
      file_(NULL), stream_(NULL), frames_(NULL), drawDib_(NULL), info_(), temporaryClip_(), temporaryName_()
{
    bool found = avifile_ && video_;
    Resolve(avifile_, "AVIFileInit", fileInit_, found);
    Resolve(avifile_, "AVIFileExit", fileExit_, found);
    Resolve(avifile_, "AVIFileOpenA", fileOpen_, found);
    Resolve(avifile_, "AVIFileInfoA", fileInfo_, found);
    Resolve(avifile_, "AVIFileGetStream", fileGetStream_, found);
    Resolve(avifile_, "AVIFileRelease", fileRelease_, found);
    Resolve(avifile_, "AVIStreamStart", streamStart_, found);
    Resolve(avifile_, "AVIStreamLength", streamLength_, found);
    Resolve(avifile_, "AVIStreamRelease", streamRelease_, found);
    Resolve(avifile_, "AVIStreamGetFrameOpen", getFrameOpen_, found);
    Resolve(avifile_, "AVIStreamGetFrame", getFrame_, found);
    Resolve(avifile_, "AVIStreamGetFrameClose", getFrameClose_, found);
    Resolve(video_, "DrawDibOpen", drawDibOpen_, found);
    Resolve(video_, "DrawDibDraw", drawDibDraw_, found);
    Resolve(video_, "DrawDibClose", drawDibClose_, found);
    available_ = found;
    if (fileInit_)
        fileInit_();
}

AviPlayer::~AviPlayer()
{
    Close();
    RemoveTemporaryFiles();
    if (fileExit_)
        fileExit_();
    if (video_)
        FreeLibrary(video_);
    if (avifile_)
        FreeLibrary(avifile_);
}

bool AviPlayer::Open(const char* path)
{
    Close();
    if (!available_ || !path)
        return false;
    if (fileOpen_(&file_, path, OF_READ, NULL) != 0) {
        file_ = NULL;
        return false;
    }
    opened_ = true;
    PAVISTREAM stream = NULL;
    if (fileInfo_(file_, &info_, sizeof info_) == 0 && fileGetStream_(file_, &stream, streamtypeVIDEO, 0) == 0)
        stream_ = stream;
    frames_ = stream_ ? getFrameOpen_(stream_, NULL) : NULL;
    drawDib_ = frames_ ? drawDibOpen_() : NULL;
    if (!drawDib_) {
        Close();
        return false;
    }
    return true;
}

void AviPlayer::AdoptTemporaryFiles(const char* clip, const char* reserved)
{
    RemoveTemporaryFiles();
    tessarine::CopyText(temporaryClip_, sizeof temporaryClip_, clip ? clip : "");
    tessarine::CopyText(temporaryName_, sizeof temporaryName_, reserved ? reserved : "");
    if (!opened_)
        RemoveTemporaryFiles();
}

void AviPlayer::RemoveTemporaryFiles()
{
    if (temporaryClip_[0])
        DeleteFileA(temporaryClip_);
    if (temporaryName_[0])
        DeleteFileA(temporaryName_);
    temporaryClip_[0] = temporaryName_[0] = '\0';
}

void AviPlayer::Close()
{
    if (!opened_)
        return;
    if (drawDib_)
        drawDibClose_(drawDib_);
    if (frames_)
        getFrameClose_(frames_);
    if (stream_)
        streamRelease_(stream_);
    if (file_)
        fileRelease_(file_);
    drawDib_ = NULL;
    frames_ = NULL;
    stream_ = NULL;
    file_ = NULL;
    opened_ = false;
    info_ = AVIFILEINFOA();
    // Only now: the library may hold the clip open until it is released.
    RemoveTemporaryFiles();
}

LONG AviPlayer::FrameCount() const
{
    return opened_ ? streamLength_(stream_) : -1;
}

DWORD AviPlayer::FramePeriod() const
{
    return FramePeriodMs(info_.dwRate, info_.dwScale);
}

BOOL AviPlayer::DrawFrame(HDC dc, LONG index)
{
    if (!opened_ || index < 0)
        return FALSE;
    BITMAPINFOHEADER* frame = static_cast<BITMAPINFOHEADER*>(getFrame_(frames_, index + streamStart_(stream_)));
    if (!frame)
        return FALSE;
    return drawDibDraw_(drawDib_, dc, 0, 0, Width(), Height(), frame, FrameBits(frame), 0, 0, -1, -1, 0);
}
