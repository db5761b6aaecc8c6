// Draws the program's own artwork: the 640 x 480, 256-colour picture of the splash and About
// windows (picture.bmp), the 32 x 32, 16-colour program icon (skardetools.ico) and the browser
// toolbar's 24 x 24 icons (back.bmp, forward.bmp, stop.bmp, refresh.bmp, home.bmp, search.bmp)
// on the light grey (192, 192, 192) that shows as transparent.
// Usage: makeartwork OUTPUT_FOLDER

#include "converters/bmpfile.h"
#include "converters/bytes.h"
#include "converters/fileio.h"
#include "converters/problem.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <span>
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
};

Icon drawIcon() {
    Icon icon;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double dx = x - 15.5;
            const double dy = y - 15.5;
            const double distance = std::sqrt(dx * dx + dy * dy);
            icon.transparent.at(x, y) = distance > 15.6 ? 1 : 0;
            int colour = 1 + std::min(3, y / 8);
            if (distance > 14.2) {
                colour = 13; // the rim
            }
            const int peakWidth = (y - 8) * 13 / 10; // half-width of the mountain at row y
            if (distance <= 14.2 && y >= 8 && std::abs(x - 17) <= peakWidth) {
                colour = y < 14 ? 9 : (x < 17 ? 6 : 5);
                if (y >= 14 && y < 16 && (x + y) % 3 == 0) {
                    colour = 8;
                }
            }
            icon.colours.at(x, y) = static_cast<std::uint8_t>(colour);
        }
    }
    for (const auto& [x, y] : {std::pair{8, 5}, {8, 6}, {8, 7}, {7, 6}, {9, 6}}) {
        icon.colours.at(x, y) = 10;
    }
    icon.colours.at(8, 8) = 11;
    icon.colours.at(6, 6) = 11;
    icon.colours.at(10, 6) = 11;
    icon.colours.at(8, 4) = 11;
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
    for (const Rgb& colour : kIconColours) {
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

// The browser toolbar's icons: flat shapes with a dark rim on light grey, 256-colour BMPs.
constexpr int kIconSize = 24;
constexpr int kToolMask = 0;
constexpr int kToolRim = 1;
constexpr int kToolWhite = 2;
constexpr int kToolGreen = 3;
constexpr int kToolRed = 4;
constexpr int kToolBlue = 5;
constexpr int kToolBrown = 6;
constexpr int kToolGlass = 7;

std::array<Rgb, 256> makeToolBarPalette() {
    std::array<Rgb, 256> colours{};
    colours[kToolMask] = {192, 192, 192};
    colours[kToolRim] = {32, 36, 48};
    colours[kToolWhite] = {255, 255, 255};
    colours[kToolGreen] = {52, 150, 84};
    colours[kToolRed] = {204, 44, 36};
    colours[kToolBlue] = {48, 104, 196};
    colours[kToolBrown] = {150, 92, 44};
    colours[kToolGlass] = {170, 210, 240};
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
            image.at(x, y) = static_cast<std::uint8_t>(edge ? kToolRim : colour);
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
        kToolGreen);
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
        kToolRed);
    // A white cross on it.
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            const double dx = x + 0.5 - 12.0;
            const double dy = y + 0.5 - 12.0;
            const bool onCross = std::abs(dx - dy) <= 1.2 || std::abs(dx + dy) <= 1.2;
            if (onCross && std::max(std::abs(dx), std::abs(dy)) <= 5.5) {
                image.at(x, y) = kToolWhite;
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
        kToolBlue);
    return image;
}

IndexedImage drawHomeIcon() {
    IndexedImage image(kIconSize, kIconSize);
    fillShape(
        image, [](double x, double y) { return x >= 5 && x <= 19 && y >= 11 && y <= 21; },
        kToolBrown);
    fillShape(
        image, [](double x, double y) { return y >= 2 && y <= 12 && std::abs(x - 12.0) <= y - 1; },
        kToolRed);
    fillShape(
        image, [](double x, double y) { return x >= 10 && x <= 14 && y >= 15 && y <= 21; },
        kToolWhite);
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
        kToolBrown);
    fillShape(
        image,
        [](double x, double y) {
            const double dx = x - 10.0;
            const double dy = y - 10.0;
            return dx * dx + dy * dy <= 7.5 * 7.5;
        },
        kToolGlass);
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
