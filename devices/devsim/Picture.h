// The synthetic live picture of one channel: scrolling colour bars, a bouncing box, the server
// name and channel on top, the server's date, time and frame number below; "NO VIDEO" on blue
// while the camera's video is cut.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace devsim {

struct TextMask {
    int width = 0, height = 0;
    std::vector<uint8_t> bits; // 1 = ink
};

// Renders 8-bit text (code page 936) with the platform's font renderer, without smoothing.
TextMask RenderText(const std::string& text, int pixelHeight);

class PictureMaker {
public:
    PictureMaker(int width, int height, const std::string& serverName, int channel);
    // Draws the picture for this frame into Pixels().
    void Draw(uint32_t frameNo, bool noVideo, int input);
    const uint8_t* Pixels() const { return pixels_.data(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    void Blit(const TextMask& mask, int x, int y, uint8_t colour);
    void DrawDynamic(const std::string& text, int x, int y, uint8_t colour);

    int width_, height_;
    std::vector<uint8_t> pixels_;
    TextMask label_, noVideo_;
};

} // namespace devsim
