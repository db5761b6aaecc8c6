// Draws the program's own artwork: the 640 x 480, 256-colour picture of the splash and About
// windows (picture.bmp), the 32 x 32, 16-colour program icon (skardetools.ico), the same icon
// for the desktop's icon theme at 32, 48, 128 and 256 pixels (skardetools-<size>.png), the
// icons of the tool windows, named after the windows (frmvolextract.ico, frmpba2bmp.ico...),
// and the browser toolbar's 24 x 24 icons (back.bmp, forward.bmp, stop.bmp, refresh.bmp,
// home.bmp, search.bmp) on the light grey (192, 192, 192) that shows as transparent.
// Usage: makeartwork OUTPUT_FOLDER

#include "converters/bmpfile.h"
#include "core/bytes.h"
#include "core/fileio.h"
#include "core/problem.h"
#include "pngimage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace {

using skarde::Bytes;
using skarde::ByteWriter;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// An 8-bit image; pixel (x, y) with y counted from the top.
struct IndexedImage {
    int width = 0;
    int height = 0;
    Bytes pixels;

    IndexedImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    std::uint8_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// A small deterministic generator, so that every build draws the same stars.
class Lcg {
public:
    std::uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int below(int limit) { return static_cast<int>(next() % static_cast<std::uint32_t>(limit)); }

private:
    std::uint32_t state_ = 20240607u;
};

Rgb mix(Rgb from, Rgb to, double t) {
    auto channel = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

// Colour ranges of the picture's palette.
constexpr int kSky = 0;           // 96 shades, zenith to horizon
constexpr int kRock = 96;         // 48 shades of mountain, far (light) to near (dark)
constexpr int kSnow = 144;        // 48 shades of snow and ice
constexpr int kGold = 192;        // 32 shades for the title
constexpr int kAurora = 224;      // 24 shades of green light
constexpr int kStar = 248;        // 8 star brightnesses
constexpr int kTitleShadow = 143; // the darkest rock

std::array<Rgb, 256> makePicturePalette() {
    std::array<Rgb, 256> colours{};
    for (int i = 0; i < 96; ++i) {
        const double t = i / 95.0;
        colours[kSky + i] = t < 0.6 ? mix({3, 5, 26}, {34, 30, 88}, t / 0.6)
                                    : mix({34, 30, 88}, {156, 92, 118}, (t - 0.6) / 0.4);
    }
    for (int i = 0; i < 48; ++i) {
        colours[kRock + i] = mix({78, 86, 122}, {4, 6, 16}, i / 47.0);
    }
    for (int i = 0; i < 48; ++i) {
        colours[kSnow + i] = mix({236, 242, 255}, {96, 112, 156}, i / 47.0);
    }
    for (int i = 0; i < 32; ++i) {
        colours[kGold + i] = mix({255, 234, 140}, {176, 96, 18}, i / 31.0);
    }
    for (int i = 0; i < 24; ++i) {
        colours[kAurora + i] = mix({20, 60, 80}, {120, 255, 170}, i / 23.0);
    }
    for (int i = 0; i < 8; ++i) {
        colours[kStar + i] = mix({120, 130, 170}, {255, 255, 255}, i / 7.0);
    }
    return colours;
}

double farRidge(int x) {
    return 292 - 58 * std::sin(x * 0.011 + 1.0) - 24 * std::sin(x * 0.037) -
           9 * std::sin(x * 0.09 + 2.0);
}

// The near mountain peaks at the right, so that the lower right of the picture stays dark
// behind the About box's texts.
double nearRidge(int x) {
    const double fromPeak = x - 470.0;
    return 196 + 0.0018 * fromPeak * fromPeak + 4 * std::sin(x * 0.08) + 2 * std::sin(x * 0.31);
}

double auroraCentre(int x) {
    return 118 + 38 * std::sin(x * 0.012 + 0.4);
}

void drawSky(IndexedImage& image) {
    for (int y = 0; y < image.height; ++y) {
        const int shade = std::min(95, y * 96 / 330);
        for (int x = 0; x < image.width; ++x) {
            image.at(x, y) = static_cast<std::uint8_t>(kSky + shade);
        }
    }
}

void drawAurora(IndexedImage& image) {
    for (int x = 0; x < image.width; ++x) {
        const double centre = auroraCentre(x);
        const double reach = 26 + 10 * std::sin(x * 0.05);
        for (int y = 0; y < image.height; ++y) {
            const double strength = 1.0 - std::abs(y - centre) / reach;
            if (strength > 0.2 && y < farRidge(x)) {
                const int shade = static_cast<int>((strength - 0.2) / 0.8 * 23);
                image.at(x, y) = static_cast<std::uint8_t>(kAurora + shade);
            }
        }
    }
}

void drawStars(IndexedImage& image) {
    Lcg random;
    for (int star = 0; star < 260; ++star) {
        const int x = random.below(image.width);
        const int y = random.below(300);
        const int brightness = random.below(8);
        if (y < farRidge(x) - 4 && image.at(x, y) < kRock) {
            image.at(x, y) = static_cast<std::uint8_t>(kStar + brightness);
            if (brightness == 7 && image.contains(x + 1, y + 1)) {
                image.at(x + 1, y) = static_cast<std::uint8_t>(kStar + 4);
                image.at(x, y + 1) = static_cast<std::uint8_t>(kStar + 4);
            }
        }
    }
}

// Rock shaded by depth below the ridge, with snow on the top `snowDepth` pixels where the
// ridge rises above `snowLine`.
void drawRidge(IndexedImage& image, double (*ridge)(int), int firstRock, int rockShades,
               double snowLine, double snowDepth) {
    for (int x = 0; x < image.width; ++x) {
        const double top = ridge(x);
        for (int y = std::max(0, static_cast<int>(top)); y < image.height; ++y) {
            const double depth = y - top;
            const int rock = std::min(rockShades - 1, static_cast<int>(depth / 6));
            int colour = firstRock + rock;
            const double snowReach = snowDepth * (snowLine - top) / 60.0;
            if (top < snowLine && depth < snowReach + 3 * std::sin(x * 0.7)) {
                colour = kSnow + std::min(47, static_cast<int>(depth * 47 / (snowReach + 1)));
            }
            image.at(x, y) = static_cast<std::uint8_t>(colour);
        }
    }
}

constexpr std::array<std::string_view, 7> glyphRows(char letter) {
    switch (letter) {
    case 'S':
        return {".####", "#....", "#....", ".###.", "....#", "....#", "####."};
    case 'K':
        return {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"};
    case 'A':
        return {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
    case 'R':
        return {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"};
    case 'D':
        return {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."};
    case 'E':
        return {"#####", "#....", "#....", "####.", "#....", "#....", "#####"};
    case 'T':
        return {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."};
    case 'O':
        return {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
    case 'L':
        return {"#....", "#....", "#....", "#....", "#....", "#....", "#####"};
    default:
        return {".....", ".....", ".....", ".....", ".....", ".....", "....."};
    }
}

void fillBlock(IndexedImage& image, int left, int top, int size, int colour) {
    for (int y = top; y < top + size; ++y) {
        for (int x = left; x < left + size; ++x) {
            if (image.contains(x, y)) {
                image.at(x, y) = static_cast<std::uint8_t>(colour);
            }
        }
    }
}

// Blocky gold letters with a drop shadow, `scale` pixels to a glyph cell.
void drawTitle(IndexedImage& image, std::string_view text, int left, int top, int scale) {
    const int textHeight = 7 * scale;
    for (int pass = 0; pass < 2; ++pass) {
        const int offset = pass == 0 ? scale / 3 + 1 : 0;
        for (std::size_t index = 0; index < text.size(); ++index) {
            const auto rows = glyphRows(text[index]);
            const int glyphLeft = left + static_cast<int>(index) * 6 * scale;
            for (int row = 0; row < 7; ++row) {
                for (int column = 0; column < 5; ++column) {
                    if (rows[row][column] != '#') {
                        continue;
                    }
                    const int x = glyphLeft + column * scale + offset;
                    const int y = top + row * scale + offset;
                    const int colour =
                        pass == 0 ? kTitleShadow : kGold + (row * scale) * 31 / textHeight;
                    fillBlock(image, x, y, scale, colour);
                }
            }
        }
    }
}

IndexedImage drawPicture() {
    IndexedImage image(640, 480);
    drawSky(image);
    drawAurora(image);
    drawStars(image);
    drawRidge(image, farRidge, kRock, 16, 262, 14);
    drawRidge(image, nearRidge, kRock + 24, 24, 236, 26);
    drawTitle(image, "SKARDE", 36, 34, 10);
    drawTitle(image, "TOOLS", 40, 124, 6);
    return image;
}

Bytes encodePicture(const IndexedImage& image, const std::array<Rgb, 256>& colours) {
    skarde::BmpColourTable table{};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        table[i * 4] = static_cast<std::uint8_t>(colours[i].blue);
        table[i * 4 + 1] = static_cast<std::uint8_t>(colours[i].green);
        table[i * 4 + 2] = static_cast<std::uint8_t>(colours[i].red);
    }
    Bytes bytes;
    ByteWriter writer(bytes);
    // Rows of 640 and 24 pixels need no padding.
    const auto area = static_cast<std::uint32_t>(image.pixels.size());
    skarde::WriteBmpHeaders(writer, image.width, image.height, area, table);
    for (int y = image.height - 1; y >= 0; --y) {
        writer.bytes(std::span(image.pixels)
                         .subspan(static_cast<std::size_t>(y) * image.width,
                                  static_cast<std::size_t>(image.width)));
    }
    return bytes;
}

// The sizes of the desktop icon theme's copies of the icon.
constexpr std::array<int, 4> kThemeIconSizes{32, 48, 128, 256};

// The icon: a snowy peak under a gold star in a round night sky, 16 colours.
constexpr std::array<Rgb, 16> kIconColours{{{0, 0, 0},
                                            {6, 10, 40},
                                            {20, 28, 84},
                                            {40, 56, 130},
                                            {70, 90, 170},
                                            {26, 30, 46},
                                            {60, 66, 90},
                                            {110, 118, 150},
                                            {190, 200, 226},
                                            {255, 255, 255},
                                            {255, 220, 90},
                                            {200, 140, 30},
                                            {90, 220, 150},
                                            {12, 14, 22},
                                            {150, 160, 190},
                                            {255, 250, 220}}};

struct Icon {
    IndexedImage colours{32, 32};
    IndexedImage transparent{32, 32}; // 1 where the desktop shows through
    std::array<Rgb, 16> palette = kIconColours;
};

constexpr int kIconTransparent = -1;

// The icon's colour at a point of its 32 x 32 design, pixel (x, y) centred on (x, y); the
// desktop's larger icons sample the same design between those points.
int iconColourAt(double x, double y) {
    const double dx = x - 15.5;
    const double dy = y - 15.5;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance > 15.6) {
        return kIconTransparent;
    }
    const int cellX = static_cast<int>(std::lround(x));
    const int cellY = static_cast<int>(std::lround(y));
    for (const auto& [starX, starY] : {std::pair{8, 5}, {8, 6}, {8, 7}, {7, 6}, {9, 6}}) {
        if (cellX == starX && cellY == starY) {
            return 10;
        }
    }
    for (const auto& [glintX, glintY] : {std::pair{8, 8}, {6, 6}, {10, 6}, {8, 4}}) {
        if (cellX == glintX && cellY == glintY) {
            return 11;
        }
    }
    if (distance > 14.2) {
        return 13; // the rim
    }
    const double peakWidth = (y - 8) * 1.3; // half-width of the mountain at height y
    if (y >= 8 && std::abs(x - 17) <= peakWidth) {
        if (y >= 14 && y < 16 && (cellX + cellY) % 3 == 0) {
            return 8;
        }
        return y < 14 ? 9 : (x < 17 ? 6 : 5);
    }
    return 1 + std::min(3, static_cast<int>(y) / 8);
}

Icon drawIcon() {
    Icon icon;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int colour = iconColourAt(x, y);
            icon.transparent.at(x, y) = colour == kIconTransparent ? 1 : 0;
            icon.colours.at(x, y) = static_cast<std::uint8_t>(std::max(0, colour));
        }
    }
    return icon;
}

// The icon at `size` pixels square for the desktop's icon theme, each pixel the mean of 4 x 4
// samples of the design, so that the round edge and the slopes stay smooth.
skarde::artwork::RgbaImage drawThemeIcon(int size) {
    constexpr int kSamples = 4;
    const double designPerPixel = 32.0 / size;
    skarde::artwork::RgbaImage image{size, size, Bytes(static_cast<std::size_t>(size) * size * 4)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int red = 0;
            int green = 0;
            int blue = 0;
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double u = (x + (sx + 0.5) / kSamples) * designPerPixel - 0.5;
                    const double v = (y + (sy + 0.5) / kSamples) * designPerPixel - 0.5;
                    const int colour = iconColourAt(u, v);
                    if (colour == kIconTransparent) {
                        continue;
                    }
                    red += kIconColours[colour].red;
                    green += kIconColours[colour].green;
                    blue += kIconColours[colour].blue;
                    ++covered;
                }
            }
            const auto pixel = (static_cast<std::size_t>(y) * size + x) * 4;
            if (covered > 0) {
                image.pixels[pixel] = static_cast<std::uint8_t>(red / covered);
                image.pixels[pixel + 1] = static_cast<std::uint8_t>(green / covered);
                image.pixels[pixel + 2] = static_cast<std::uint8_t>(blue / covered);
                image.pixels[pixel + 3] =
                    static_cast<std::uint8_t>(covered * 255 / (kSamples * kSamples));
            }
        }
    }
    return image;
}

// The VOL File Extractor: a banded chest, a picture leaving it under a green arrow.
Icon drawVolExtractorIcon() {
    Icon icon;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool chest = x >= 3 && x <= 28 && y >= 16 && y <= 29;
            const bool sheet = x >= 9 && x <= 22 && y >= 2 && y <= 17;
            const bool arrow = x >= 24 && x <= 30 && y >= 3 && y <= 12 &&
                               (y <= 6 ? std::abs(x - 27) <= y - 3 : std::abs(x - 27) <= 1);
            icon.transparent.at(x, y) = chest || sheet || arrow ? 0 : 1;
            int colour = 0;
            if (sheet) {
                const bool border = x == 9 || x == 22 || y == 2;
                colour = border ? 13 : (y >= 11 ? 12 : (y >= 7 ? 4 : 3)); // hill under sky
                if (!border && std::abs(x - 18) + std::abs(y - 6) <= 1)
                    colour = 10; // the sun
            }
            if (chest) {
                const bool edge = x == 3 || x == 28 || y == 16 || y == 29;
                const bool band = y == 20 || x == 8 || x == 23;
                colour = edge ? 13 : (band ? 10 : 11);
                if (x >= 15 && x <= 16 && y >= 21 && y <= 23)
                    colour = 9; // the lock
            }
            if (arrow)
                colour = 12;
            icon.colours.at(x, y) = static_cast<std::uint8_t>(colour);
        }
    }
    return icon;
}

Bytes encodeIcon(const Icon& icon) {
    constexpr std::uint32_t colourRowBytes = 16; // 32 pixels of 4 bits
    constexpr std::uint32_t maskRowBytes = 4;    // 32 pixels of 1 bit
    constexpr std::uint32_t imageBytes = 40 + 16 * 4 + 32 * (colourRowBytes + maskRowBytes);
    Bytes bytes;
    ByteWriter writer(bytes);
    // Icon directory with one entry.
    writer.u16(0);
    writer.u16(1);
    writer.u16(1);
    writer.u8(32);
    writer.u8(32);
    writer.u8(16);
    writer.u8(0);
    writer.u16(1);
    writer.u16(4);
    writer.u32(imageBytes);
    writer.u32(6 + 16);
    // The image: an info header of twice the height (colours, then the mask), bottom row first.
    writer.u32(40);
    writer.i32(32);
    writer.i32(64);
    writer.u16(1);
    writer.u16(4);
    writer.u32(0);
    writer.u32(32 * (colourRowBytes + maskRowBytes));
    writer.i32(0);
    writer.i32(0);
    writer.u32(16);
    writer.u32(0);
    for (const Rgb& colour : icon.palette) {
        writer.u8(static_cast<std::uint8_t>(colour.blue));
        writer.u8(static_cast<std::uint8_t>(colour.green));
        writer.u8(static_cast<std::uint8_t>(colour.red));
        writer.u8(0);
    }
    for (int y = 31; y >= 0; --y) {
        for (int x = 0; x < 32; x += 2) {
            const auto& pixels = icon.colours.pixels;
            writer.u8(static_cast<std::uint8_t>(pixels[y * 32 + x] << 4 | pixels[y * 32 + x + 1]));
        }
    }
    for (int y = 31; y >= 0; --y) {
        for (int byte = 0; byte < 4; ++byte) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                bits = static_cast<std::uint8_t>(bits << 1 |
                                                 icon.transparent.pixels[y * 32 + byte * 8 + bit]);
            }
            writer.u8(bits);
        }
    }
    return bytes;
}

// The tool windows' icons share one set of 16 colours.
enum ToolColour : std::uint8_t {
    kToolInk,
    kToolShadow,
    kToolGrey,
    kToolPaper,
    kToolWhite,
    kToolNight,
    kToolSky,
    kToolIce,
    kToolRed,
    kToolOrange,
    kToolYellow,
    kToolGrass,
    kToolForest,
    kToolPurple,
    kToolWood,
    kToolBeige,
};

constexpr std::array<Rgb, 16> kToolIconColours{{{0, 0, 0},
                                                {70, 70, 80},
                                                {150, 150, 160},
                                                {215, 215, 220},
                                                {255, 255, 255},
                                                {20, 28, 84},
                                                {70, 130, 220},
                                                {170, 210, 250},
                                                {220, 40, 40},
                                                {240, 140, 30},
                                                {255, 220, 60},
                                                {70, 190, 70},
                                                {20, 110, 40},
                                                {150, 60, 190},
                                                {140, 90, 40},
                                                {235, 205, 150}}};

// Draws opaque pixels on an icon that starts fully transparent.
class IconCanvas {
public:
    IconCanvas() {
        std::fill(icon_.transparent.pixels.begin(), icon_.transparent.pixels.end(), 1);
        icon_.palette = kToolIconColours;
    }
    void set(int x, int y, std::uint8_t colour) {
        if (icon_.colours.contains(x, y)) {
            icon_.colours.at(x, y) = colour;
            icon_.transparent.at(x, y) = 0;
        }
    }
    void clear(int x, int y) {
        if (icon_.transparent.contains(x, y))
            icon_.transparent.at(x, y) = 1;
    }
    void fill(int left, int top, int width, int height, std::uint8_t colour) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                set(x, y, colour);
    }
    // Pixels within the ellipse of centre (cx, cy) and radii (rx, ry).
    template <typename Paint>
    void ellipse(double cx, double cy, double rx, double ry, Paint paint) {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if ((x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) <= 1.0)
                    paint(x, y);
    }
    void disc(double cx, double cy, double r, std::uint8_t colour) {
        ellipse(cx, cy, r, r, [&](int x, int y) { set(x, y, colour); });
    }
    const Icon& icon() const { return icon_; }

private:
    Icon icon_;
};

// A small framed picture: sky, a sun, a green hill.
void drawPictureCard(IconCanvas& canvas, int left, int top, int width, int height) {
    canvas.fill(left, top, width, height, kToolInk);
    canvas.fill(left + 1, top + 1, width - 2, height - 2, kToolSky);
    canvas.disc(left + width - 5, top + 4, 1.6, kToolYellow);
    for (int x = left + 1; x < left + width - 1; ++x) {
        const int hill = top + height - 2 - static_cast<int>(3 * std::sin((x - left) * 0.35));
        for (int y = std::max(top + 1, hill - 2); y < top + height - 1; ++y)
            canvas.set(x, y, y < hill ? kToolGrass : kToolForest);
    }
}

// PBA -> BMP: an array of pictures fanned out into single ones.
Icon drawPbaIcon() {
    IconCanvas canvas;
    drawPictureCard(canvas, 1, 2, 17, 13);
    drawPictureCard(canvas, 7, 9, 17, 13);
    drawPictureCard(canvas, 14, 17, 17, 13);
    return canvas.icon();
}

// RuziRire+: a picture being painted for the game, a brush across it.
Icon drawMakeSkinIcon() {
    IconCanvas canvas;
    drawPictureCard(canvas, 1, 6, 22, 18);
    for (int step = 0; step < 17; ++step) {
        const int x = 29 - step;
        const int y = 2 + step;
        const std::uint8_t colour = step < 9 ? kToolWood : (step < 12 ? kToolGrey : kToolRed);
        for (int spread = -1; spread <= 1; ++spread) {
            canvas.set(x + spread, y, colour);
            canvas.set(x, y + spread, colour);
        }
    }
    canvas.disc(11.5, 20.5, 2.2, kToolRed);
    canvas.fill(5, 26, 4, 4, kToolRed);
    canvas.fill(10, 26, 4, 4, kToolYellow);
    canvas.fill(15, 26, 4, 4, kToolSky);
    canvas.fill(20, 26, 4, 4, kToolPurple);
    return canvas.icon();
}

// PPL Extract: a painter's palette with its colours, and a thumb hole.
Icon drawPplIcon() {
    IconCanvas canvas;
    canvas.ellipse(15.5, 16.5, 15.0, 12.0, [&](int x, int y) { canvas.set(x, y, kToolWood); });
    canvas.ellipse(15.5, 16.5, 14.0, 11.0, [&](int x, int y) { canvas.set(x, y, kToolBeige); });
    canvas.ellipse(21.5, 22.0, 2.6, 2.6, [&](int x, int y) { canvas.clear(x, y); });
    const std::array<std::pair<std::pair<double, double>, std::uint8_t>, 6> blobs{{
        {{7.5, 14.0}, kToolRed},
        {{12.0, 9.0}, kToolOrange},
        {{18.0, 8.0}, kToolYellow},
        {{24.0, 11.0}, kToolGrass},
        {{26.0, 17.0}, kToolSky},
        {{9.0, 20.5}, kToolPurple},
    }};
    for (const auto& [centre, colour] : blobs)
        canvas.disc(centre.first, centre.second, 2.3, colour);
    return canvas.icon();
}

// The browser toolbar's icons: flat shapes with a dark rim on light grey, 256-colour BMPs.
constexpr int kIconSize = 24;
constexpr int kBarMask = 0;
constexpr int kBarRim = 1;
constexpr int kBarWhite = 2;
constexpr int kBarGreen = 3;
constexpr int kBarRed = 4;
constexpr int kBarBlue = 5;
constexpr int kBarBrown = 6;
constexpr int kBarGlass = 7;

std::array<Rgb, 256> makeToolBarPalette() {
    std::array<Rgb, 256> colours{};
    colours[kBarMask] = {192, 192, 192};
    colours[kBarRim] = {32, 36, 48};
    colours[kBarWhite] = {255, 255, 255};
    colours[kBarGreen] = {52, 150, 84};
    colours[kBarRed] = {204, 44, 36};
    colours[kBarBlue] = {48, 104, 196};
    colours[kBarBrown] = {150, 92, 44};
    colours[kBarGlass] = {170, 210, 240};
    return colours;
}

// Fills with `colour` the pixels whose centres `inside` accepts, and rims them where a
// neighbour is outside.
template <typename Shape> void fillShape(IndexedImage& image, Shape inside, int colour) {
    auto covers = [&](int x, int y) { return image.contains(x, y) && inside(x + 0.5, y + 0.5); };
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (!covers(x, y)) {
                continue;
            }
            const bool edge =
                !covers(x - 1, y) || !covers(x + 1, y) || !covers(x, y - 1) || !covers(x, y + 1);
            image.at(x, y) = static_cast<std::uint8_t>(edge ? kBarRim : colour);
        }
    }
}

// An arrow pointing left, or right when `right`.
IndexedImage drawArrowIcon(bool right) {
    IndexedImage image(kIconSize, kIconSize);
    fillShape(
        image,
        [right](double x, double y) {
            const double along = right ? kIconSize - x : x; // 0 at the tip
            const double across = std::abs(y - 12.0);
            const bool head = along >= 2 && along <= 12 && across <= along - 2 + 0.5;
            const bool shaft = along > 11 && along <= 21 && across <= 4;
            return head || shaft;
        },
        kBarGreen);
    return image;
}

IndexedImage drawStopIcon() {
    IndexedImage image(kIconSize, kIconSize);
    fillShape(
        image,
        [](double x, double y) {
            const double dx = std::abs(x - 12.0);
            const double dy = std::abs(y - 12.0);
            return dx <= 10 && dy <= 10 && dx + dy <= 14;
        },
        kBarRed);
    // A white cross on it.
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            const double dx = x + 0.5 - 12.0;
            const double dy = y + 0.5 - 12.0;
            const bool onCross = std::abs(dx - dy) <= 1.2 || std::abs(dx + dy) <= 1.2;
            if (onCross && std::max(std::abs(dx), std::abs(dy)) <= 5.5) {
                image.at(x, y) = kBarWhite;
            }
        }
    }
    return image;
}

IndexedImage drawRefreshIcon() {
    IndexedImage image(kIconSize, kIconSize);
    constexpr double kCentre = 12.0;
    fillShape(
        image,
        [](double x, double y) {
            const double dx = x - kCentre;
            const double dy = y - kCentre;
            const double distance = std::sqrt(dx * dx + dy * dy);
            const bool ring = distance >= 5 && distance <= 9 && !(dx > 0 && dy < 0 && dy < -dx / 3);
            // The arrow's head at the ring's open end, pointing up.
            const bool head = y > 6 && y <= 11 && std::abs(x - 19.0) <= (y - 3) * 0.65 + 0.3;
            return ring || head;
        },
        kBarBlue);
    return image;
}

IndexedImage drawHomeIcon() {
    IndexedImage image(kIconSize, kIconSize);
    fillShape(
        image, [](double x, double y) { return x >= 5 && x <= 19 && y >= 11 && y <= 21; },
        kBarBrown);
    fillShape(
        image, [](double x, double y) { return y >= 2 && y <= 12 && std::abs(x - 12.0) <= y - 1; },
        kBarRed);
    fillShape(
        image, [](double x, double y) { return x >= 10 && x <= 14 && y >= 15 && y <= 21; },
        kBarWhite);
    return image;
}

IndexedImage drawSearchIcon() {
    IndexedImage image(kIconSize, kIconSize);
    fillShape(
        image,
        [](double x, double y) {
            // The handle, a thick line from the lens down to the lower right.
            const double along = (x + y - 28.0) / 2.0;
            const double across = std::abs(x - y) / 1.414;
            return along >= 0 && along <= 7 && across <= 2;
        },
        kBarBrown);
    fillShape(
        image,
        [](double x, double y) {
            const double dx = x - 10.0;
            const double dy = y - 10.0;
            return dx * dx + dy * dy <= 7.5 * 7.5;
        },
        kBarGlass);
    return image;
}

struct ToolBarIcon {
    const char* fileName;
    IndexedImage image;
};

std::array<ToolBarIcon, 6> drawToolBarIcons() {
    return {{{"back.bmp", drawArrowIcon(false)},
             {"forward.bmp", drawArrowIcon(true)},
             {"stop.bmp", drawStopIcon()},
             {"refresh.bmp", drawRefreshIcon()},
             {"home.bmp", drawHomeIcon()},
             {"search.bmp", drawSearchIcon()}}};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: makeartwork OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        std::filesystem::create_directories(folder);
        skarde::writeFileWhole(folder / "picture.bmp",
                               encodePicture(drawPicture(), makePicturePalette()));
        skarde::writeFileWhole(folder / "skardetools.ico", encodeIcon(drawIcon()));
        for (const int size : kThemeIconSizes) {
            skarde::writeFileWhole(folder / ("skardetools-" + std::to_string(size) + ".png"),
                                   skarde::artwork::encodePng(drawThemeIcon(size)));
        }
        skarde::writeFileWhole(folder / "frmvolextract.ico", encodeIcon(drawVolExtractorIcon()));
        skarde::writeFileWhole(folder / "frmpba2bmp.ico", encodeIcon(drawPbaIcon()));
        skarde::writeFileWhole(folder / "frmbmp2pbmp.ico", encodeIcon(drawMakeSkinIcon()));
        skarde::writeFileWhole(folder / "frmpplextract.ico", encodeIcon(drawPplIcon()));
        for (const ToolBarIcon& icon : drawToolBarIcons()) {
            skarde::writeFileWhole(folder / icon.fileName,
                                   encodePicture(icon.image, makeToolBarPalette()));
        }
    } catch (const skarde::Problem& problem) {
        std::cerr << problem.subject() << ": " << problem.what() << '\n';
        return 1;
    } catch (const std::filesystem::filesystem_error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
