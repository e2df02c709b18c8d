// The media library: its container readers on files written by the devices' own writers (whole,
// unfinished, damaged), its decoder, and Framewell.dll's player, snapshots, cuts and conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "devices/common/Jpeg.h"
#include "devices/common/VideoFile.h"
#include "devices/framewell/FramewellApi.h"
#include "devices/framewell/JpegDecoder.h"
#include "devices/framewell/MediaFile.h"
#include "tests/devices/DeviceTestSupport.h"

namespace {

const int kW = 64, kH = 48;

std::vector<uint8_t> FrameJpeg(int frame, int w = kW, int h = kH)
{
    return TestFrameJpeg(frame, w, h);
}

struct Written {
    std::vector<std::vector<uint8_t>> pictures;
    std::vector<uint32_t> times;
};

// frames pictures 40 ms apart from 1000 ms on; finished or left as a crashed recorder leaves it.
Written WriteRecording(const std::string& path, dev::VideoContainer container, int frames, bool finish, int w = kW,
                       int h = kH)
{
    Written out;
    std::unique_ptr<dev::VideoFileWriter> writer = dev::MakeVideoFileWriter(container);
    EXPECT_TRUE(writer->Open(path, w, h));
    for (int i = 0; i < frames; ++i) {
        out.pictures.push_back(FrameJpeg(i, w < 4096 ? w : kW, h < 4096 ? h : kH));
        out.times.push_back(uint32_t(i * 40));
        writer->AddFrame(out.pictures.back().data(), out.pictures.back().size(), 1000 + uint32_t(i) * 40);
    }
    if (finish) {
        EXPECT_TRUE(writer->Close());
    }
    return out;
}

// A finished recording of frames pictures 40 ms apart whose pictures at the damaged indexes are noise
// that no decoder takes.
void WriteDamagedRecording(const std::string& path, dev::VideoContainer container, int frames,
                           std::initializer_list<int> damaged)
{
    std::unique_ptr<dev::VideoFileWriter> writer = dev::MakeVideoFileWriter(container);
    ASSERT_TRUE(writer->Open(path, kW, kH));
    for (int i = 0; i < frames; ++i) {
        std::vector<uint8_t> picture = FrameJpeg(i);
        if (std::find(damaged.begin(), damaged.end(), i) != damaged.end())
            std::fill(picture.begin(), picture.end(), uint8_t(0x5A));
        writer->AddFrame(picture.data(), picture.size(), uint32_t(i) * 40);
    }
    ASSERT_TRUE(writer->Close());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void ExpectSamples(const fw::MediaFile& file, const Written& w, size_t count)
{
    ASSERT_EQ(file.Count(), count);
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < count; ++i) {
        ASSERT_TRUE(file.Read(i, bytes));
        EXPECT_EQ(bytes, w.pictures[i]) << "picture " << i;
        EXPECT_EQ(file.TimeMs(i), w.times[i]) << "picture " << i;
    }
}

TEST(MediaFile, FinishedAndUnfinishedRecordingsGiveTheirPicturesAndTimes)
{
    TempDir dir;
    struct Case {
        const char* name;
        dev::VideoContainer container;
        bool finish;
        fw::Container kind;
    } cases[] = {
        {"whole.mp4", dev::VideoContainer::Mp4, true, fw::Container::Mp4},
        {"whole.asf", dev::VideoContainer::Asf, true, fw::Container::Asf},
        {"open.mp4", dev::VideoContainer::Mp4, false, fw::Container::Mp4},
        {"open.asf", dev::VideoContainer::Asf, false, fw::Container::Asf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Written w = WriteRecording(dir.File(c.name), c.container, 30, c.finish);
        fw::MediaFile file;
        ASSERT_TRUE(file.Open(dir.File(c.name)));
        EXPECT_EQ(file.Kind(), c.kind);
        EXPECT_EQ(file.Width(), kW);
        EXPECT_EQ(file.Height(), kH);
        ExpectSamples(file, w, 30); // an unfinished MP4 is scanned at 40 ms a picture: the same times here
        EXPECT_EQ(file.TotalMs(), 30u * 40);
        EXPECT_EQ(file.IndexAt(0), 0u);
        EXPECT_EQ(file.IndexAt(81), 2u);
        EXPECT_EQ(file.IndexAt(100000), 29u);
    }
}

TEST(MediaFile, ACopyCutShortKeepsItsWholePictures)
{
    TempDir dir;
    for (auto container : {dev::VideoContainer::Mp4, dev::VideoContainer::Asf}) {
        std::string path = dir.File(container == dev::VideoContainer::Mp4 ? "a.mp4" : "a.asf");
        Written w = WriteRecording(path, container, 10, false);
        std::vector<uint8_t> bytes = ReadFileBytes(path);
        bytes.resize(bytes.size() - w.pictures.back().size() / 2); // the last picture half written
        WriteBytes(path, bytes);
        fw::MediaFile file;
        ASSERT_TRUE(file.Open(path));
        ExpectSamples(file, w, 9);
    }
}

TEST(MediaFile, PicturesOverManyAsfPacketsReadBackWhole)
{
    TempDir dir;
    for (bool finish : {true, false}) {
        SCOPED_TRACE(finish ? "finished" : "unfinished");
        std::string path = dir.File(finish ? "whole.asf" : "open.asf");
        Written w = WriteRecording(path, dev::VideoContainer::Asf, 6, finish, 704, 576);
        ASSERT_GT(w.pictures[0].size(), 3u * 4096); // pieces in several packets
        fw::MediaFile file;
        ASSERT_TRUE(file.Open(path));
        ExpectSamples(file, w, 6);
    }
}

// A recorder's pictures can share a tick or come after a clock was set back; the file's times still
// increase, so every reader plays each picture. A recording closed before its first picture is gone.
TEST(VideoFileWriter, TimesAlwaysIncreaseAndAFileWithoutPicturesIsRemoved)
{
    TempDir dir;
    for (auto container : {dev::VideoContainer::Mp4, dev::VideoContainer::Asf}) {
        const bool mp4 = container == dev::VideoContainer::Mp4;
        SCOPED_TRACE(mp4 ? "MP4" : "ASF");
        std::string path = dir.File(mp4 ? "a.mp4" : "a.asf");
        std::unique_ptr<dev::VideoFileWriter> writer = dev::MakeVideoFileWriter(container);
        ASSERT_TRUE(writer->Open(path, kW, kH));
        const uint32_t given[] = {1000, 1040, 1040, 1040, 1000, 1120};
        for (uint32_t t : given) {
            std::vector<uint8_t> picture = FrameJpeg(int(t));
            ASSERT_TRUE(writer->AddFrame(picture.data(), picture.size(), t));
        }
        ASSERT_TRUE(writer->Close());
        std::vector<MediaSample> samples;
        int w = 0, h = 0;
        ASSERT_TRUE(mp4 ? ReadMp4Samples(path, &samples, &w, &h) : ReadAsfSamples(path, &samples, &w, &h));
        ASSERT_EQ(samples.size(), 6u);
        const uint64_t expected[] = {0, 40, 41, 42, 43, 120};
        for (size_t i = 0; i < 6; ++i)
            EXPECT_EQ(samples[i].timeMs - samples[0].timeMs, expected[i]) << "picture " << i;

        std::string empty = dir.File(mp4 ? "empty.mp4" : "empty.asf");
        std::unique_ptr<dev::VideoFileWriter> none = dev::MakeVideoFileWriter(container);
        ASSERT_TRUE(none->Open(empty, kW, kH));
        EXPECT_NE(GetFileAttributesA(empty.c_str()), INVALID_FILE_ATTRIBUTES); // there while it records
        EXPECT_TRUE(none->Close());
        EXPECT_EQ(GetFileAttributesA(empty.c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(MediaFile, FilesWithoutPicturesAreRefused)
{
    TempDir dir;
    std::vector<uint8_t> random(5000);
    uint32_t seed = 12345;
    for (uint8_t& b : random)
        b = uint8_t((seed = seed * 1103515245 + 12345) >> 16);
    Written w = WriteRecording(dir.File("src.mp4"), dev::VideoContainer::Mp4, 3, true);
    std::vector<uint8_t> whole = ReadFileBytes(dir.File("src.mp4"));
    std::vector<uint8_t> asf;
    WriteRecording(dir.File("src.asf"), dev::VideoContainer::Asf, 3, true);
    asf = ReadFileBytes(dir.File("src.asf"));
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty.mp4", {}},
        {"head.mp4", std::vector<uint8_t>(whole.begin(), whole.begin() + 10)},
        {"head.asf", std::vector<uint8_t>(asf.begin(), asf.begin() + 100)},
        {"random.mp4", random},
        {"picture.bmp", {'B', 'M', 0x36, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 40, 0, 0, 0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(dir.File(c.name), c.bytes);
        fw::MediaFile file;
        EXPECT_FALSE(file.Open(dir.File(c.name)));
    }
    fw::MediaFile file;
    EXPECT_FALSE(file.Open(dir.File("missing.mp4")));
}

TEST(MediaFile, BrokenSampleTablesNeverReadOutsideTheFile)
{
    TempDir dir;
    WriteRecording(dir.File("src.mp4"), dev::VideoContainer::Mp4, 5, true);
    std::vector<uint8_t> whole = ReadFileBytes(dir.File("src.mp4"));
    // Every byte of the sample table set to 0xFF in turn: huge counts, sizes and offsets.
    size_t moov = 0;
    for (size_t i = 0; i + 4 < whole.size(); ++i)
        if (std::memcmp(&whole[i], "moov", 4) == 0)
            moov = i;
    ASSERT_GT(moov, 0u);
    for (size_t i = moov; i < whole.size(); i += 3) {
        std::vector<uint8_t> bytes = whole;
        bytes[i] = 0xFF;
        WriteBytes(dir.File("bad.mp4"), bytes);
        fw::MediaFile file;
        if (file.Open(dir.File("bad.mp4"))) {
            std::vector<uint8_t> picture;
            for (size_t k = 0; k < file.Count(); ++k)
                EXPECT_LE(file.SizeOf(k), whole.size());
        }
    }
}

// ---- hostile files: each opens or fails at once, whatever its tables and markers say ----

void PutBe(std::vector<uint8_t>& v, uint64_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        v.push_back(uint8_t(value >> (8 * i)));
}
void PutLe(std::vector<uint8_t>& v, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        v.push_back(uint8_t(value >> (8 * i)));
}

std::vector<uint8_t> Box(const char* type, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> box;
    PutBe(box, body.size() + 8, 4);
    box.insert(box.end(), type, type + 4);
    box.insert(box.end(), body.begin(), body.end());
    return box;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<uint8_t> Ftyp()
{
    return Box("ftyp", {'i', 's', 'o', 'm', 0, 0, 2, 0});
}

// An MP4 whose sample table has the given tables (each a full box body after version and flags).
std::vector<uint8_t> Mp4WithTable(const std::vector<uint8_t>& mdat, const std::vector<uint8_t>& stts,
                                  const std::vector<uint8_t>& stsc, const std::vector<uint8_t>& stsz,
                                  const std::vector<uint8_t>& stco)
{
    std::vector<uint8_t> entry(78, 0); // the visual sample entry: its size at 24 + 8
    entry[24 + 8] = 0, entry[25 + 8] = kW, entry[26 + 8] = 0, entry[27 + 8] = kH;
    std::vector<uint8_t> stsd{0, 0, 0, 0, 0, 0, 0, 1};
    std::vector<uint8_t> mp4v = Box("mp4v", entry);
    stsd.insert(stsd.end(), mp4v.begin(), mp4v.end());
    auto full = [](const std::vector<uint8_t>& body) { return Join({{0, 0, 0, 0}, body}); };
    std::vector<uint8_t> stbl = Join({Box("stsd", stsd), Box("stts", full(stts)), Box("stsc", full(stsc)),
                                      Box("stsz", full(stsz)), Box("stco", full(stco))});
    std::vector<uint8_t> moov = Box("moov", Box("trak", Box("mdia", Box("minf", Box("stbl", stbl)))));
    return Join({Ftyp(), Box("mdat", mdat), moov});
}

// A chunk per sample, each with its own run in the samples-per-chunk table.
std::vector<uint8_t> LongRunTable(uint32_t samples)
{
    const uint32_t size = 16;
    std::vector<uint8_t> mdat(size_t(samples) * size, 0x11);
    std::vector<uint8_t> stts, stsc, stsz, stco;
    PutBe(stts, 1, 4), PutBe(stts, samples, 4), PutBe(stts, 40, 4);
    PutBe(stsc, samples, 4);
    PutBe(stsz, 0, 4), PutBe(stsz, samples, 4);
    PutBe(stco, samples, 4);
    const uint32_t mdatBody = 16 + 8; // after ftyp and the mdat header
    for (uint32_t i = 0; i < samples; ++i) {
        PutBe(stsc, i + 1, 4), PutBe(stsc, 1, 4), PutBe(stsc, 1, 4);
        PutBe(stsz, size, 4);
        PutBe(stco, mdatBody + i * size, 4);
    }
    return Mp4WithTable(mdat, stts, stsc, stsz, stco);
}

// Sixteen million samples of one fixed size claimed in one chunk of a small file.
std::vector<uint8_t> HugeCountTable()
{
    const uint32_t count = (16u << 20) - 1;
    std::vector<uint8_t> mdat(100000, 0x22);
    std::vector<uint8_t> stts, stsc, stsz, stco;
    PutBe(stts, 1, 4), PutBe(stts, count, 4), PutBe(stts, 40, 4);
    PutBe(stsc, 1, 4), PutBe(stsc, 1, 4), PutBe(stsc, count, 4), PutBe(stsc, 1, 4);
    PutBe(stsz, 4, 4), PutBe(stsz, count, 4);
    PutBe(stco, 1, 4), PutBe(stco, 24, 4);
    return Mp4WithTable(mdat, stts, stsc, stsz, stco);
}

// An MP4 without its index whose media data repeats pattern to size bytes.
std::vector<uint8_t> Unfinished(const std::vector<uint8_t>& pattern, size_t size)
{
    std::vector<uint8_t> bytes = Ftyp();
    const uint8_t mdat[16] = {0, 0, 0, 1, 'm', 'd', 'a', 't', 0, 0, 0, 0, 0, 0, 0, 0};
    bytes.insert(bytes.end(), mdat, mdat + 16);
    while (bytes.size() < size)
        bytes.insert(bytes.end(), pattern.begin(), pattern.end());
    return bytes;
}

std::vector<uint8_t> TinyBoxes(size_t size)
{
    std::vector<uint8_t> bytes = Ftyp();
    while (bytes.size() < size)
        bytes.insert(bytes.end(), {0, 0, 0, 8, 'f', 'r', 'e', 'e'});
    return bytes;
}

// An ASF of 32-byte packets, each carrying the next 8 bytes of one large picture.
std::vector<uint8_t> AsfOfTinyPackets(uint32_t packets)
{
    const uint8_t header[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
    const uint8_t fileProps[16] = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                   0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
    const uint8_t streamProps[16] = {0x91, 0x07, 0xDC, 0xB7, 0xB7, 0xA9, 0xCF, 0x11,
                                     0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
    const uint8_t data[16] = {0x36, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                              0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
    const uint32_t packetSize = 32, perPacket = 8;
    std::vector<uint8_t> props(fileProps, fileProps + 16);
    PutLe(props, 104, 8);
    props.resize(24 + 68, 0);
    PutLe(props, packetSize, 4), PutLe(props, packetSize, 4), PutLe(props, 0, 4);
    std::vector<uint8_t> stream(streamProps, streamProps + 16);
    PutLe(stream, 100, 8);
    stream.resize(24 + 54, 0);
    PutLe(stream, kW, 4), PutLe(stream, kH, 4);
    stream.resize(100, 0);
    std::vector<uint8_t> bytes(header, header + 16);
    PutLe(bytes, 30 + props.size() + stream.size(), 8);
    PutLe(bytes, 2, 4), bytes.push_back(1), bytes.push_back(2);
    bytes.insert(bytes.end(), props.begin(), props.end());
    bytes.insert(bytes.end(), stream.begin(), stream.end());
    bytes.insert(bytes.end(), data, data + 16);
    bytes.resize(bytes.size() + 34, 0);
    const uint32_t objectSize = packets * perPacket;
    for (uint32_t i = 0; i < packets; ++i) {
        std::vector<uint8_t> p{0x00, 0x00, 0x5D};
        PutLe(p, 0, 6); // send time, duration
        p.push_back(0x81);
        p.push_back(1);
        PutLe(p, i * perPacket, 4);
        p.push_back(8);
        PutLe(p, objectSize, 4), PutLe(p, 0, 4);
        p.resize(packetSize, 0xAB);
        bytes.insert(bytes.end(), p.begin(), p.end());
    }
    return bytes;
}

TEST(MediaFile, HostileFilesOpenOrFailWithinASecond)
{
    TempDir dir;
    std::vector<uint8_t> random(4u << 20);
    uint32_t seed = 777;
    for (uint8_t& b : random)
        b = uint8_t((seed = seed * 1103515245 + 12345) >> 16);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"a run a chunk.mp4", LongRunTable(200000)},
        {"sixteen million samples.mp4", HugeCountTable()},
        {"start markers everywhere.mp4", Unfinished({0xFF, 0xD8}, 8u << 20)},
        {"segments everywhere.mp4", Unfinished({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04}, 8u << 20)},
        {"starts and ends.mp4",
         Unfinished({0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x01, 0xFF, 0xD8, 0xFF, 0xD9}, 8u << 20)},
        {"noise without index.mp4", Join({Ftyp(), Box("mdat", random)})},
        {"a million boxes.mp4", TinyBoxes(8u << 20)},
        {"tiny packets.asf", AsfOfTinyPackets(150000)},
    };
    const FramewellApi& api = GetFramewellApi();
    ASSERT_TRUE(api.Init());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(dir.File(c.name), c.bytes);
        // A bound, not a benchmark: the quadratic walks took from seconds to minutes on these.
        DWORD started = GetTickCount();
        int h = api.OpenFile(dir.File(c.name).c_str(), 0);
        DWORD took = GetTickCount() - started;
        EXPECT_LT(took, 1000u);
        if (h > 0) {
            EXPECT_TRUE(api.Stop(h));
        }
    }
    api.Cleanup();
}

TEST(JpegDecoder, DecodesRecordedPicturesAndRefusesDamagedOrHugeOnes)
{
    std::vector<uint8_t> jpeg = FrameJpeg(3);
    fw::Picture picture;
    ASSERT_TRUE(fw::DecodeJpeg(jpeg.data(), jpeg.size(), picture));
    EXPECT_EQ(picture.width, kW);
    EXPECT_EQ(picture.height, kH);
    EXPECT_EQ(picture.stride % 4, 0);

    std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + 20);
    EXPECT_FALSE(fw::DecodeJpeg(cut.data(), cut.size(), picture));
    std::vector<uint8_t> noise(jpeg.size(), 0x5A);
    EXPECT_FALSE(fw::DecodeJpeg(noise.data(), noise.size(), picture));
    // The frame header claims 60000 x 60000.
    std::vector<uint8_t> huge = jpeg;
    for (size_t i = 2; i + 9 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = 0xEA, huge[i + 6] = 0x60, huge[i + 7] = 0xEA, huge[i + 8] = 0x60;
            break;
        }
    EXPECT_FALSE(fw::DecodeJpeg(huge.data(), huge.size(), picture));
}

// Through the library's function table, as the programs call it.
class FramewellTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(api.Init()); }
    void TearDown() override { api.Cleanup(); }
    const FramewellApi& api = GetFramewellApi();
    TempDir dir;
};

fw::Picture ReadBmp(const std::string& path)
{
    std::vector<uint8_t> b = ReadFileBytes(path);
    fw::Picture p;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || b[28] != 24)
        return p;
    p.width = int(b[18] | b[19] << 8);
    p.height = int(b[22] | b[23] << 8);
    p.stride = (p.width * 3 + 3) & ~3;
    if (b.size() < 54 + size_t(p.stride) * size_t(p.height))
        return fw::Picture();
    p.pixels.resize(size_t(p.stride) * size_t(p.height));
    for (int y = 0; y < p.height; ++y) // bottom-up in the file
        std::memcpy(&p.pixels[size_t(y) * size_t(p.stride)], &b[54 + size_t(p.height - 1 - y) * size_t(p.stride)],
                    size_t(p.stride));
    return p;
}

void ExpectSnapshotIs(const std::string& bmp, const std::vector<uint8_t>& jpeg)
{
    fw::Picture expected;
    ASSERT_TRUE(fw::DecodeJpeg(jpeg.data(), jpeg.size(), expected));
    fw::Picture got = ReadBmp(bmp);
    EXPECT_EQ(got.width, expected.width);
    EXPECT_EQ(got.height, expected.height);
    EXPECT_TRUE(got.pixels == expected.pixels);
}

TEST_F(FramewellTest, OpenGivesAHandleLengthAndSizeOrZero)
{
    WriteRecording(dir.File("a.mp4"), dev::VideoContainer::Mp4, 25, true);
    WriteRecording(dir.File("a.asf"), dev::VideoContainer::Asf, 25, true);
    WriteRecording(dir.File("huge.mp4"), dev::VideoContainer::Mp4, 2, true, 60000, 60000);
    WriteBytes(dir.File("empty.mp4"), {});
    struct Case {
        const char* name;
        bool opens;
    } cases[] = {{"a.mp4", true}, {"a.asf", true}, {"huge.mp4", false}, {"empty.mp4", false}, {"none.mp4", false}};
    int last = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int h = api.OpenFile(dir.File(c.name).c_str(), 0);
        EXPECT_EQ(h > 0, c.opens);
        if (h <= 0)
            continue;
        EXPECT_GT(h, last); // never reused
        last = h;
        EXPECT_EQ(api.GetTotalTime(h), 1000);
        int w = 0, hh = 0;
        EXPECT_TRUE(api.GetPictureSize(h, &w, &hh));
        EXPECT_EQ(w, kW);
        EXPECT_EQ(hh, kH);
        EXPECT_TRUE(api.Stop(h));
        EXPECT_FALSE(api.GetTotalTime(h)); // closed
    }
    EXPECT_EQ(api.OpenFile(nullptr, 0), 0);
}

TEST_F(FramewellTest, StepsSeeksAndSnapshotsShowTheChosenPicture)
{
    Written w = WriteRecording(dir.File("a.asf"), dev::VideoContainer::Asf, 25, true);
    VideoWindow window(0, 0, 160, 120);
    int h = api.OpenFile(dir.File("a.asf").c_str(), 0);
    ASSERT_GT(h, 0);
    ASSERT_TRUE(api.StepFrame(h)); // the first picture
    ASSERT_TRUE(api.StepFrame(h));
    EXPECT_EQ(api.GetPlayTime(h), 40);
    ASSERT_TRUE(api.CapturePicture(h, dir.File("1.bmp").c_str()));
    ExpectSnapshotIs(dir.File("1.bmp"), w.pictures[1]);

    ASSERT_TRUE(api.SetPlayTime(h, 415)); // the picture at 400 ms
    EXPECT_EQ(api.GetPlayTime(h), 400);
    ASSERT_TRUE(api.CapturePicture(h, dir.File("10.bmp").c_str()));
    ExpectSnapshotIs(dir.File("10.bmp"), w.pictures[10]);
    EXPECT_FALSE(api.SetPlayTime(h, 1000)); // beyond the end
    EXPECT_EQ(api.GetPlayTime(h), 400);

    ASSERT_TRUE(api.SetPosition(h, 0.5f));
    EXPECT_EQ(api.GetPlayTime(h), 480);
    ASSERT_TRUE(api.Pause(h));
    EXPECT_EQ(api.GetPlayTime(h), 480); // pause holds
    ASSERT_TRUE(api.SetPlayTime(h, 960));
    EXPECT_FALSE(api.StepFrame(h)); // nothing after the last picture
    EXPECT_TRUE(api.Stop(h));
}

TEST_F(FramewellTest, SpeedChangesStopAtSixteenTimesEitherWay)
{
    WriteRecording(dir.File("a.mp4"), dev::VideoContainer::Mp4, 5, true);
    int h = api.OpenFile(dir.File("a.mp4").c_str(), 0);
    ASSERT_GT(h, 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(api.Fast(h));
    EXPECT_FALSE(api.Fast(h));
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(api.Slow(h));
    EXPECT_FALSE(api.Slow(h));
    EXPECT_TRUE(api.Stop(h));
}

const UINT kEndNotify = WM_APP + 7;

// Plays the handle at 16x (400 ms of recording in 25 ms) with its end notification going to the
// window, and waits for that notification; false when a call fails or it does not come within ten
// seconds.
bool PlayFastToTheEnd(const FramewellApi& api, int h, VideoWindow& window, WPARAM* code, LPARAM* handle)
{
    if (!api.SetNotifyWindow(h, window.Handle(), kEndNotify) || !api.Play(h, window.Handle()))
        return false;
    for (int i = 0; i < 4; ++i)
        api.Fast(h);
    DWORD until = GetTickCount() + 10000;
    while (int(until - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        if (window.TakeAppMessage(kEndNotify, code, handle))
            return true;
    }
    return false;
}

TEST_F(FramewellTest, PlayingToTheEndPostsOneEndNotification)
{
    WriteRecording(dir.File("a.mp4"), dev::VideoContainer::Mp4, 10, true);
    VideoWindow window(0, 0, 160, 120);
    int h = api.OpenFile(dir.File("a.mp4").c_str(), 0);
    ASSERT_GT(h, 0);
    WPARAM wp = 0;
    LPARAM lp = 0;
    ASSERT_TRUE(PlayFastToTheEnd(api, h, window, &wp, &lp));
    EXPECT_EQ(wp, 1u);
    EXPECT_EQ(lp, LPARAM(h));
    EXPECT_EQ(api.GetPlayTime(h), 360);
    EXPECT_TRUE(api.Stop(h)); // joins: nothing comes after
    EXPECT_FALSE(window.TakeAppMessage(kEndNotify, &wp, &lp));
}

// The cut file holds `count` pictures of the recording from `first` on, timed from 0 at 25 a second.
void ExpectCutHolds(const std::string& path, const Written& w, size_t first, size_t count)
{
    fw::MediaFile clip;
    ASSERT_TRUE(clip.Open(path));
    ASSERT_EQ(clip.Count(), count);
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < count; ++i) {
        ASSERT_TRUE(clip.Read(i, bytes));
        EXPECT_EQ(bytes, w.pictures[first + i]);
        EXPECT_EQ(clip.TimeMs(i), 40 * i);
    }
}

TEST_F(FramewellTest, DamagedPicturesAreSteppedOverAndTheEndComes)
{
    for (auto container : {dev::VideoContainer::Mp4, dev::VideoContainer::Asf}) {
        const bool mp4 = container == dev::VideoContainer::Mp4;
        SCOPED_TRACE(mp4 ? "MP4" : "ASF");
        std::string path = dir.File(mp4 ? "some.mp4" : "some.asf");
        WriteDamagedRecording(path, container, 10, {2, 3, 4, 5, 6, 7, 8, 9});
        VideoWindow window(0, 0, 160, 120);
        int h = api.OpenFile(path.c_str(), 0);
        ASSERT_GT(h, 0);
        WPARAM code = 0;
        LPARAM handle = 0;
        ASSERT_TRUE(PlayFastToTheEnd(api, h, window, &code, &handle));
        EXPECT_EQ(code, 1u);
        EXPECT_EQ(handle, LPARAM(h));
        EXPECT_EQ(api.GetPlayTime(h), 360); // the clock went on over the damaged ones
        EXPECT_TRUE(api.Stop(h));
    }
}

TEST_F(FramewellTest, ARecordingWithoutAPictureThatDecodesIsRefused)
{
    WriteDamagedRecording(dir.File("none.mp4"), dev::VideoContainer::Mp4, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    WriteDamagedRecording(dir.File("none.asf"), dev::VideoContainer::Asf, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(api.OpenFile(dir.File("none.mp4").c_str(), 0), 0);
    EXPECT_EQ(api.OpenFile(dir.File("none.asf").c_str(), 0), 0);
}

TEST_F(FramewellTest, SingleFramesStepOverADamagedPicture)
{
    Written w = WriteRecording(dir.File("good.mp4"), dev::VideoContainer::Mp4, 5, true);
    WriteDamagedRecording(dir.File("a.mp4"), dev::VideoContainer::Mp4, 5, {0, 2, 3});
    int h = api.OpenFile(dir.File("a.mp4").c_str(), 0);
    ASSERT_GT(h, 0);
    ASSERT_TRUE(api.StepFrame(h)); // over picture 0 to picture 1
    EXPECT_EQ(api.GetPlayTime(h), 40);
    ASSERT_TRUE(api.StepFrame(h)); // over 2 and 3 to 4
    EXPECT_EQ(api.GetPlayTime(h), 160);
    ASSERT_TRUE(api.CapturePicture(h, dir.File("4.bmp").c_str()));
    ExpectSnapshotIs(dir.File("4.bmp"), w.pictures[4]);
    EXPECT_FALSE(api.StepFrame(h)); // nothing after the last picture
    EXPECT_TRUE(api.Stop(h));
}

TEST_F(FramewellTest, ACutHoldsTheShownPicturesUnchanged)
{
    Written w = WriteRecording(dir.File("a.mp4"), dev::VideoContainer::Mp4, 25, true);
    int h = api.OpenFile(dir.File("a.mp4").c_str(), 0);
    ASSERT_GT(h, 0);
    ASSERT_TRUE(api.SetPlayTime(h, 200)); // picture 5
    ASSERT_TRUE(api.StartCut(h, dir.File("clip.mp4").c_str()));
    EXPECT_FALSE(api.StartCut(h, dir.File("other.mp4").c_str())); // one cut at a time
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(api.StepFrame(h)); // pictures 6..15
    EXPECT_EQ(api.EndCut(h), 10);
    ExpectCutHolds(dir.File("clip.mp4"), w, 6, 10);
    // A cut of no picture leaves no file.
    ASSERT_TRUE(api.StartCut(h, dir.File("none.mp4").c_str()));
    EXPECT_EQ(api.EndCut(h), 0);
    EXPECT_EQ(GetFileAttributesA(dir.File("none.mp4").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(api.Stop(h));
}

TEST_F(FramewellTest, ACutAtSixteenTimesHoldsEveryPicturePlayedOver)
{
    // At fast play the window shows only some of the pictures; the cut still holds them all.
    Written w = WriteRecording(dir.File("a.mp4"), dev::VideoContainer::Mp4, 100, true);
    VideoWindow window(0, 0, 160, 120);
    int h = api.OpenFile(dir.File("a.mp4").c_str(), 0);
    ASSERT_GT(h, 0);
    ASSERT_TRUE(api.StartCut(h, dir.File("clip.mp4").c_str()));
    WPARAM code = 0;
    LPARAM handle = 0;
    ASSERT_TRUE(PlayFastToTheEnd(api, h, window, &code, &handle));
    EXPECT_EQ(api.GetPlayTime(h), 99 * 40); // the last picture is the shown one
    EXPECT_EQ(api.EndCut(h), 100);
    ExpectCutHolds(dir.File("clip.mp4"), w, 0, 100);
    EXPECT_TRUE(api.Stop(h));
}

int WaitConverted(const FramewellApi& api, int h)
{
    DWORD until = GetTickCount() + 20000;
    int progress = 0;
    while ((progress = api.GetConvertProgress(h)) >= 0 && int(until - GetTickCount()) > 0)
        WaitForSingleObject(GetCurrentThread(), 5); // never signalled: a bounded pause between polls
    return progress;
}

TEST_F(FramewellTest, ConversionWritesTheSamePicturesAtTheSameTimes)
{
    Written w = WriteRecording(dir.File("a.mp4"), dev::VideoContainer::Mp4, 40, true);
    int h = api.StartConvert(dir.File("a.mp4").c_str(), dir.File("a.asf").c_str());
    ASSERT_GT(h, 0);
    EXPECT_EQ(WaitConverted(api, h), -1);
    EXPECT_TRUE(api.CloseConvert(h));
    fw::MediaFile asf;
    ASSERT_TRUE(asf.Open(dir.File("a.asf")));
    EXPECT_EQ(asf.Kind(), fw::Container::Asf);
    ExpectSamples(asf, w, 40);
    int player = api.OpenFile(dir.File("a.asf").c_str(), 0);
    EXPECT_GT(player, 0);
    api.Stop(player);
}

TEST_F(FramewellTest, AFailedConversionSaysSoAndLeavesNoTarget)
{
    WriteRecording(dir.File("a.mp4"), dev::VideoContainer::Mp4, 5, true);
    WriteRecording(dir.File("a.asf"), dev::VideoContainer::Asf, 5, true);
    EXPECT_EQ(api.StartConvert(dir.File("none.mp4").c_str(), dir.File("x.asf").c_str()), 0);
    EXPECT_EQ(api.StartConvert(dir.File("a.asf").c_str(), dir.File("x.asf").c_str()), 0); // not an MP4
    std::string target = dir.File("no-such-folder\\x.asf");
    int h = api.StartConvert(dir.File("a.mp4").c_str(), target.c_str());
    ASSERT_GT(h, 0);
    EXPECT_EQ(WaitConverted(api, h), -2);
    EXPECT_TRUE(api.CloseConvert(h));
    EXPECT_EQ(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
}

int g_fakeOpened = 0;
int __stdcall FakeOpenFile(const char*, int)
{
    return ++g_fakeOpened, 77;
}

TEST(FramewellApiTable, ATestCanPutAFakeIn)
{
    FramewellApi fake = LibraryFramewellApi();
    fake.OpenFile = FakeOpenFile;
    SetFramewellApi(&fake);
    EXPECT_EQ(GetFramewellApi().OpenFile("x", 0), 77);
    SetFramewellApi(nullptr);
    EXPECT_EQ(g_fakeOpened, 1);
    EXPECT_EQ(GetFramewellApi().OpenFile, LibraryFramewellApi().OpenFile);
}

} // namespace
