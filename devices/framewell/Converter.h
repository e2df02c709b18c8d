// A conversion of an MP4 recording to ASF on a thread of its own: the same pictures at the same
// times through the devices' ASF writer. Progress is a percentage, -1 when finished and -2 when
// it failed or was stopped early; a failed conversion leaves no partial ASF behind.
#pragma once
#include <string>

#include "devices/common/HandleTable.h"
#include "devices/framewell/MediaFile.h"

namespace fw {

class Converter : public dev::Worker {
public:
    static const int kFinished = -1, kFailed = -2;
    bool Start(const std::string& mp4Path, const std::string& asfPath);
    int Progress() const { return progress_; }

private:
    void Run() override;
    bool Convert();

    MediaFile source_;
    std::string target_;
    volatile LONG progress_ = 0;
};

} // namespace fw
