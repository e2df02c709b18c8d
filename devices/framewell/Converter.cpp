#include "devices/framewell/Converter.h"

#include "devices/common/VideoFile.h"

namespace fw {

bool Converter::Start(const std::string& mp4Path, const std::string& asfPath)
{
    if (!source_.Open(mp4Path) || source_.Kind() != Container::Mp4 || asfPath.empty())
        return false;
    target_ = asfPath;
    return StartThread();
}

void Converter::Run()
{
    bool ok = Convert();
    if (!ok)
        DeleteFileA(target_.c_str());
    InterlockedExchange(&progress_, ok ? kFinished : kFailed);
}

bool Converter::Convert()
{
    std::unique_ptr<dev::VideoFileWriter> out = dev::MakeVideoFileWriter(dev::VideoContainer::Asf);
    if (!out->Open(target_, source_.Width(), source_.Height()))
        return false;
    std::vector<uint8_t> jpeg;
    size_t count = source_.Count();
    for (size_t i = 0; i < count; ++i) {
        if (Stopping() || !source_.Read(i, jpeg) || !out->AddFrame(jpeg.data(), jpeg.size(), source_.TimeMs(i))) {
            out->Close();
            return false;
        }
        InterlockedExchange(&progress_, LONG(i * 100 / count));
    }
    return out->Close();
}

} // namespace fw
