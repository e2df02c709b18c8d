// MP4 recording file: ftyp, mdat (64-bit size), then moov with one video track at close.
#include <ctime>

#include "devices/common/VideoFile.h"

namespace dev {
namespace {

class Box {
public:
    explicit Box(const char* type) { PutBe(data, 0, 4), data.insert(data.end(), type, type + 4); }
    Box& U8(uint32_t v) { return PutBe(data, v, 1), *this; }
    Box& U16(uint32_t v) { return PutBe(data, v, 2), *this; }
    Box& U32(uint32_t v) { return PutBe(data, v, 4), *this; }
    Box& U64(uint64_t v) { return PutBe(data, v, 8), *this; }
    Box& Zero(size_t n) { return data.insert(data.end(), n, 0), *this; }
    Box& Add(const Box& child)
    {
        std::vector<uint8_t> c = child.Bytes();
        data.insert(data.end(), c.begin(), c.end());
        return *this;
    }
    Box& Raw(const std::vector<uint8_t>& bytes) { return data.insert(data.end(), bytes.begin(), bytes.end()), *this; }
    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> out = data;
        uint32_t n = uint32_t(out.size());
        out[0] = uint8_t(n >> 24), out[1] = uint8_t(n >> 16), out[2] = uint8_t(n >> 8), out[3] = uint8_t(n);
        return out;
    }
    std::vector<uint8_t> data;
};

Box& Matrix(Box& b)
{
    return b.U32(0x00010000).U32(0).U32(0).U32(0).U32(0x00010000).U32(0).U32(0).U32(0).U32(0x40000000);
}

// An MPEG-4 descriptor: tag, a 4-byte length, contents.
std::vector<uint8_t> Descriptor(uint8_t tag, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> d{tag};
    uint32_t n = uint32_t(body.size());
    d.push_back(uint8_t(0x80 | ((n >> 21) & 0x7F)));
    d.push_back(uint8_t(0x80 | ((n >> 14) & 0x7F)));
    d.push_back(uint8_t(0x80 | ((n >> 7) & 0x7F)));
    d.push_back(uint8_t(n & 0x7F));
    d.insert(d.end(), body.begin(), body.end());
    return d;
}

class Mp4Writer : public VideoFileWriter {
public:
    bool Open(const std::string& path, int width, int height) override
    {
        if (!CreateOutput(path, width, height))
            return false;
        Box ftyp("ftyp");
        ftyp.data.insert(ftyp.data.end(), {'i', 's', 'o', 'm'});
        ftyp.U32(0x200);
        for (const char* brand : {"isom", "iso2", "mp41"})
            ftyp.data.insert(ftyp.data.end(), brand, brand + 4);
        std::vector<uint8_t> head = ftyp.Bytes();
        mdatAt_ = head.size();
        const uint8_t mdat[16] = {0, 0, 0, 1, 'm', 'd', 'a', 't'};
        head.insert(head.end(), mdat, mdat + 16);
        return file_.Write(head.data(), head.size());
    }

    bool AddFrame(const uint8_t* jpeg, size_t size, uint32_t timeMs) override
    {
        timeMs = NextPictureTime(timeMs);
        uint64_t at = file_.Position();
        if (!file_.Write(jpeg, size))
            return false;
        offsets_.push_back(at);
        sizes_.push_back(uint32_t(size));
        times_.push_back(timeMs);
        ++frames_;
        return true;
    }

    bool Close() override
    {
        if (!file_.Ok() || frames_ == 0)
            return CloseOutput();
        uint64_t mdatSize = file_.Position() - mdatAt_;
        std::vector<uint8_t> large;
        PutBe(large, mdatSize, 8);
        file_.WriteAt(mdatAt_ + 8, large.data(), large.size());
        std::vector<uint8_t> moov = Moov().Bytes();
        file_.Write(moov.data(), moov.size());
        return CloseOutput();
    }

private:
    Box Moov()
    {
        // Each picture lasts until the next; the last one as long as the average.
        std::vector<uint32_t> durations;
        for (size_t i = 0; i + 1 < times_.size(); ++i)
            durations.push_back(times_[i + 1] - times_[i] ? times_[i + 1] - times_[i] : 1);
        uint32_t total = times_.size() > 1 ? times_.back() - times_.front() : 0;
        uint32_t last = times_.size() > 1 ? total / uint32_t(times_.size() - 1) : 40;
        if (!times_.empty())
            durations.push_back(last ? last : 1);
        uint32_t duration = 0;
        for (uint32_t d : durations)
            duration += d;
        uint32_t now = uint32_t(std::time(nullptr) + 2082844800u); // seconds since 1904

        Box mvhd("mvhd");
        mvhd.U32(0).U32(now).U32(now).U32(1000).U32(duration).U32(0x00010000).U16(0x0100).Zero(10);
        Matrix(mvhd).Zero(24).U32(2);
        Box tkhd("tkhd");
        tkhd.U32(3).U32(now).U32(now).U32(1).U32(0).U32(duration).Zero(8).U16(0).U16(0).U16(0).U16(0);
        Matrix(tkhd).U32(uint32_t(width_) << 16).U32(uint32_t(height_) << 16);
        Box mdhd("mdhd");
        mdhd.U32(0).U32(now).U32(now).U32(1000).U32(duration).U16(0x55C4).U16(0);
        Box hdlr("hdlr");
        hdlr.U32(0).U32(0).data.insert(hdlr.data.end(), {'v', 'i', 'd', 'e'});
        hdlr.Zero(12).data.insert(hdlr.data.end(), {'V', 'i', 'd', 'e', 'o', 0});
        Box vmhd("vmhd");
        vmhd.U32(1).U16(0).U16(0).U16(0).U16(0);
        Box url("url ");
        url.U32(1);
        Box dref("dref");
        dref.U32(0).U32(1).Add(url);
        Box dinf("dinf");
        dinf.Add(dref);

        std::vector<uint8_t> decoderConfig{0x6C, 0x11}; // JPEG, visual stream
        PutBe(decoderConfig, 0, 3);
        PutBe(decoderConfig, 0, 4);
        PutBe(decoderConfig, 0, 4);
        std::vector<uint8_t> es;
        PutBe(es, 1, 2); // ES_ID
        es.push_back(0);
        std::vector<uint8_t> dc = Descriptor(4, decoderConfig);
        es.insert(es.end(), dc.begin(), dc.end());
        std::vector<uint8_t> sl = Descriptor(6, {2});
        es.insert(es.end(), sl.begin(), sl.end());
        Box esds("esds");
        esds.U32(0).Raw(Descriptor(3, es));
        Box mp4v("mp4v");
        mp4v.Zero(6).U16(1).Zero(16).U16(uint32_t(width_)).U16(uint32_t(height_)).U32(0x00480000).U32(0x00480000);
        mp4v.U32(0).U16(1).Zero(32).U16(0x18).U16(0xFFFF).Add(esds);
        Box stsd("stsd");
        stsd.U32(0).U32(1).Add(mp4v);

        Box stts("stts");
        std::vector<std::pair<uint32_t, uint32_t>> runs;
        for (uint32_t d : durations) {
            if (!runs.empty() && runs.back().second == d)
                ++runs.back().first;
            else
                runs.push_back({1, d});
        }
        stts.U32(0).U32(uint32_t(runs.size()));
        for (auto& r : runs)
            stts.U32(r.first).U32(r.second);
        Box stsc("stsc");
        stsc.U32(0).U32(1).U32(1).U32(1).U32(1);
        Box stsz("stsz");
        stsz.U32(0).U32(0).U32(uint32_t(sizes_.size()));
        for (uint32_t s : sizes_)
            stsz.U32(s);
        Box co64("co64");
        co64.U32(0).U32(uint32_t(offsets_.size()));
        for (uint64_t o : offsets_)
            co64.U64(o);
        Box stbl("stbl");
        stbl.Add(stsd).Add(stts).Add(stsc).Add(stsz).Add(co64);
        Box minf("minf");
        minf.Add(vmhd).Add(dinf).Add(stbl);
        Box mdia("mdia");
        mdia.Add(mdhd).Add(hdlr).Add(minf);
        Box trak("trak");
        trak.Add(tkhd).Add(mdia);
        Box moov("moov");
        moov.Add(mvhd).Add(trak);
        return moov;
    }

    uint64_t mdatAt_ = 0;
    std::vector<uint64_t> offsets_;
    std::vector<uint32_t> sizes_;
    std::vector<uint32_t> times_;
};

} // namespace

std::unique_ptr<VideoFileWriter> MakeMp4Writer()
{
    return std::unique_ptr<VideoFileWriter>(new Mp4Writer);
}

} // namespace dev
