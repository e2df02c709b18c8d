// A small AVI writer for the animation tests: uncompressed 24-bit frames in one video stream, with the
// index, as the clips the programs carry are laid out.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct AviClipSpec {
    int width = 16;
    int height = 16;
    int frames = 4;
    DWORD rate = 10; // frames per second = rate / scale
    DWORD scale = 1;
    // The colour of pixel (x, y), y counted from the top, of a frame.
    std::function<COLORREF(int frame, int x, int y)> pixel;
};

std::vector<unsigned char> MakeAviClip(const AviClipSpec& spec);
bool WriteClipFile(const std::string& path, const std::vector<unsigned char>& bytes);

// The clip the test program carries as AVI resource 1: four solid 16 x 16 frames at 10 per second.
extern const COLORREF kFourFrameColors[4];
AviClipSpec FourFrameClip();
