// Random and mutated markups, measured and drawn: none may crash, read past its text (each ends at a guard
// page; the layout is built with bounds-checked containers), leak a picture, or give an unbounded size.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/skin/richtext/Canvas.h"
#include "tests/skin/richtext/FixedMetricsDevice.h"
#include "tests/skin/richtext/GuardedText.h"
#include "skin/engine/richtext/RichTextDrawer.h"

namespace {

const char* const kFragments[] = {
    "<b>",
    "</b>",
    "<i>",
    "</em>",
    "<u>",
    "<s>",
    "</strike>",
    "<font color=red size=+2 face=Arial>",
    "</font>",
    "<font size=99999 weight=bolder style=-b+uo bkgnd=#fbedbb>",
    "<font face=\"long face name beyond any limit\">",
    "<br>",
    "<br=3>",
    "</br>",
    "<br=9999999>",
    "<t=2>",
    "<t>",
    "<hr>",
    "<hr width=50%>",
    "<hr size=500 width=300>",
    "<center>",
    "</center>",
    "<right>",
    "<left>",
    "<top>",
    "<middle>",
    "<bottom>",
    "<baseline>",
    "<h1>",
    "</h1>",
    "<h6>",
    "<pre>",
    "</pre>",
    "<sub>",
    "<sup>",
    "<big>",
    "<small>",
    "<code>",
    "<span class=code-comment>",
    "<span>",
    "</span>",
    "<a href=x msg=y>",
    "</a>",
    "<bmp idres=200>",
    "<bmp idres=200 style=sgdl>",
    "<bmp idres=200 width=9999% height=50%>",
    "<bmp idres=200 mask=#ffffff hoverstyle=s>",
    "<bmp handle=123456>",
    "<bmp idres=70000>",
    "<bmp file=\\\\server\\x.bmp>",
    "<bmp file=nosuch.bmp>",
    "<imglist idres=200 cx=2 cy=2 index=1>",
    "<imglist idres=200 cx=0 cy=0>",
    "<imglist idres=200 cx=1 index=99>",
    "<icon idres=1>",
    "<icon handle=42 width=8>",
    "<string idres=101>",
    "<string idres=0>",
    "<table border=1>",
    "<table width=50% bgcolor=red align=center>",
    "<table border=3 borderstyle=double cellpadding=4 cellspacing=2>",
    "<table bgeffect=3vgradient bgcolor=blue bgmidcolor=white bgendcolor=red background=idres:200>",
    "<table width=0%>",
    "<table width=99999%>",
    "</table>",
    "<tr>",
    "</tr>",
    "<tr valign=bottom>",
    "<td>",
    "</td>",
    "<td colspan=3>",
    "<td rowspan=9>",
    "<td colspan=99999 rowspan=99999>",
    "<td colspan=0 rowspan=-5>",
    "<td valign=middle bgcolor=yellow>",
    "<track>",
    "<TABLE>",
    "<TD>",
    "<<",
    "<",
    ">",
    "\n",
    "\t",
    "\r",
    " ",
    "text",
    "Warden",
    "\xD6\xD0\xCE\xC4",
    "\x81",
    "\x81\x7D",
    "\"",
    "=",
    "%",
    "#",
    "<>",
    "</>",
    "< b>",
    "<b =3>",
};

std::string RandomMarkup(std::mt19937& rng)
{
    std::uniform_int_distribution<size_t> pick(0, std::size(kFragments) - 1);
    std::uniform_int_distribution<int> count(0, 40);
    std::string out;
    for (int n = count(rng); n > 0; --n)
        out += kFragments[pick(rng)];
    return out;
}

std::string Mutate(std::string text, std::mt19937& rng)
{
    std::uniform_int_distribution<int> kind(0, 5);
    for (int round = std::uniform_int_distribution<int>(1, 6)(rng); round > 0; --round) {
        if (text.empty()) {
            text = kFragments[rng() % std::size(kFragments)];
            continue;
        }
        size_t at = rng() % text.size();
        size_t length = 1 + rng() % std::min<size_t>(text.size() - at, 24);
        switch (kind(rng)) {
        case 0:
            text.erase(at, length);
            break;
        case 1:
            text.insert(at, text.substr(at, length));
            break;
        case 2:
            text.insert(at, kFragments[rng() % std::size(kFragments)]);
            break;
        case 3:
            text[at] = char(rng());
            break;
        case 4:
            text.resize(at);
            break;
        default:
            text.insert(at, std::string(1 + rng() % 4, "<>\"=/"[rng() % 5]));
            break;
        }
    }
    return text;
}

const char* const kSeeds[] = {
    "<h2>Camera 3</h2>\nStatus: <b><font color=green>recording</font></b>\n<hr>"
    "<table border=1><tr><td><b>Server</b></td><td>192.168.1.20</td></tr>"
    "<tr><td colspan=2 bgcolor=#fff3c0><center>Disk: 83%</center></td></tr></table>tail",
    "<table><tr><td rowspan=2>a</td><td>b</td></tr><tr><td>c</td><td><table><tr><td>n</td></tr></table></td></tr>"
    "</table>",
    "<font face=Arial size=3 color=#ff9900>x<bmp idres=200 style=s> <imglist idres=200 cx=2 cy=2 index=1></font>",
};

} // namespace

TEST(RichTextFuzz, ThousandsOfMarkupsMeasureAndDrawWithinBounds)
{
    std::mt19937 rng(20240611);
    RichTextDrawer drawer;
    drawer.SetResourceInstance(GetModuleHandleA(nullptr));
    drawer.SetCssStyles("body {font-size: 10pt} td {padding-left: 1px} .x {color:red; border-width:thick");
    GuardedText guard;
    for (int i = 0; i < 6000; ++i) {
        std::string markup = (i % 2) ? RandomMarkup(rng) : Mutate(kSeeds[i % std::size(kSeeds)], rng);
        std::string_view text = guard.Place(markup);
        FixedMetricsDevice device;
        device.bitmapResources[200] = {4, 2};
        device.iconResources[1] = {32, 32};
        SIZE size = drawer.Measure(device, text);
        ASSERT_GE(size.cx, 2) << markup;
        ASSERT_LE(size.cx, RichTextLimits::kMaxMeasure) << markup;
        ASSERT_GE(size.cy, 2) << markup;
        ASSERT_LE(size.cy, RichTextLimits::kMaxMeasure) << markup;
        drawer.Draw(device, text, RECT{0, 0, size.cx, size.cy});
        ASSERT_EQ(device.openImages, 0) << markup;
    }
}

TEST(RichTextFuzz, MarkupsDrawnOnADeviceContext)
{
    std::mt19937 rng(77);
    RichTextDrawer drawer;
    drawer.SetResourceInstance(GetModuleHandleA(nullptr));
    GuardedText guard;
    Canvas canvas(320, 240);
    const int kRounds = 1500;
    for (int i = 0; i < kRounds; ++i) {
        std::string markup = (i % 2) ? RandomMarkup(rng) : Mutate(kSeeds[i % std::size(kSeeds)], rng);
        std::string_view text = guard.Place(markup);
        SIZE size = drawer.Measure(canvas.Dc(), text);
        ASSERT_LE(size.cx, RichTextLimits::kMaxMeasure) << markup;
        ASSERT_LE(size.cy, RichTextLimits::kMaxMeasure) << markup;
        drawer.Draw(canvas.Dc(), text, RECT{0, 0, std::min<LONG>(size.cx, 320), std::min<LONG>(size.cy, 240)});
    }
    // Nothing leaked: the process still has room for GDI objects, and the canvas still works.
    canvas.Fill(RGB(1, 2, 3));
    EXPECT_EQ(canvas.At(5, 5), RGB(1, 2, 3));
    EXPECT_LT(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), 200u);
}
