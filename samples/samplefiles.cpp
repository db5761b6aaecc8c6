#include "samplefiles.h"

#include "gamefiles.h"

#include "converters/pixelrows.h"
#include "core/fileio.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>

namespace skarde::samples {
namespace {

using ColourAt = std::function<int(int x, int y)>;

Rgb mix(Rgb from, Rgb to, double t) {
    auto channel = [t](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
    };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

// A palette through the given colours, evenly spaced from index 0 to index 255.
Colours ramp(std::initializer_list<Rgb> stops) {
    const std::vector<Rgb> points(stops);
    Colours colours{};
    const double segments = static_cast<double>(points.size() - 1);
    for (int i = 0; i < 256; ++i) {
        const double at = i / 255.0 * segments;
        const auto segment = std::min(static_cast<std::size_t>(at), points.size() - 2);
        colours[i] = mix(points[segment], points[segment + 1], at - static_cast<double>(segment));
    }
    return colours;
}

Colours desertColours() {
    return ramp({{28, 14, 6}, {120, 62, 24}, {204, 138, 62}, {240, 206, 140}, {255, 248, 224}});
}
Colours humanColours() {
    return ramp({{20, 10, 10}, {110, 50, 40}, {200, 130, 100}, {244, 200, 170}, {255, 240, 230}});
}
Colours iceColours() {
    return ramp({{4, 8, 36}, {30, 70, 160}, {110, 180, 230}, {200, 240, 255}, {255, 255, 255}});
}

int clampIndex(double value) {
    return std::clamp(static_cast<int>(value), 0, 255);
}

// Rows top first, each padded with zero bytes to its stride.
Picture draw(std::int32_t width, std::int32_t height, const ColourAt& colourAt) {
    Picture picture{width, height, {}};
    const auto rowLength = static_cast<std::size_t>(stride(width));
    picture.rows.assign(rowLength * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.rows[static_cast<std::size_t>(y) * rowLength + static_cast<std::size_t>(x)] =
                static_cast<std::uint8_t>(colourAt(x, y));
        }
    }
    return picture;
}

// Sand dunes under a pale sky, for the desert palette.
Picture dunes() {
    return draw(150, 90, [](int x, int y) {
        const double ridge = 46 + 10 * std::sin(x / 13.0) + 5 * std::sin(x / 4.3 + 1);
        if (y < ridge) {
            return clampIndex(250 - y * 0.6);
        }
        const double shade = 150 + 60 * std::sin((x + 2.0 * y) / 9.0) - (y - ridge) * 1.2;
        return clampIndex(shade);
    });
}

// A frost crystal, for whichever world the user picks.
Picture frost() {
    return draw(97, 97, [](int x, int y) {
        const double dx = x - 48;
        const double dy = y - 48;
        const double radius = std::sqrt(dx * dx + dy * dy);
        const double arms = std::abs(std::cos(3 * std::atan2(dy, dx)));
        return clampIndex(40 + 200 * arms * std::exp(-radius / 40) + 15 * std::sin(radius / 2));
    });
}

Picture sun() {
    return draw(24, 24, [](int x, int y) {
        const double radius = std::hypot(x - 11.5, y - 11.5);
        return radius < 8 ? 250 : clampIndex(200 - radius * 12);
    });
}

Picture diamond() {
    return draw(21, 19, [](int x, int y) {
        const int distance = std::abs(x - 10) + std::abs(y - 9);
        return distance <= 9 ? 255 - distance * 20 : 10;
    });
}

Picture stripes() {
    return draw(31, 9, [](int x, int y) { return ((x + y) / 3) % 2 == 0 ? 230 : 70; });
}

// A shield for the BMP to PBMP tool.
Picture crest() {
    return draw(37, 45, [](int x, int y) {
        const double half = y < 28 ? 16 : 16 - (y - 28) * 0.95;
        if (std::abs(x - 18) > half) {
            return 0;
        }
        const bool band = std::abs(x - 18) < 4 || std::abs(y - 18) < 4;
        return band ? 245 : clampIndex(120 + y * 1.5);
    });
}

Bytes text(std::string_view content) {
    return Bytes(content.begin(), content.end());
}

// Bytes that stand in for a compressed member: the program lists it and leaves it alone.
Bytes packedNoise(std::size_t count) {
    Bytes bytes(count);
    std::uint32_t state = 77;
    for (std::uint8_t& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

constexpr std::int32_t kDesertPalette = 500;
constexpr std::int32_t kHumanPalette = 503;
constexpr std::int32_t kIcePalette = 504;
constexpr std::int32_t kWorldPalette = 1071;

} // namespace

void writeSamples(const std::filesystem::path& samplesFolder,
                  const std::filesystem::path& palsFolder) {
    std::filesystem::create_directories(samplesFolder / "out");
    std::filesystem::create_directories(palsFolder);

    writeFileWhole(palsFolder / "500.pal", makePalFile(desertColours()));
    writeFileWhole(palsFolder / "IceWorld.pal", makePalFile(iceColours()));

    writeFileWhole(samplesFolder / "dunes.bmp", makePbmpFile(dunes(), kDesertPalette));
    writeFileWhole(samplesFolder / "frost.bmp", makePbmpFile(frost(), kWorldPalette));
    writeFileWhole(samplesFolder / "crest-windows.bmp", makeBmpFile(crest(), desertColours()));
    writeFileWhole(samplesFolder / "icons.pba", makePbaFile({{sun(), kDesertPalette, true},
                                                             {stripes(), kDesertPalette, false},
                                                             {diamond(), kWorldPalette, true}}));
    writeFileWhole(samplesFolder / "worlds.ppl", makePplFile({{desertColours(), kDesertPalette},
                                                              {humanColours(), kHumanPalette},
                                                              {iceColours(), kIcePalette}}));
    writeFileWhole(
        samplesFolder / "game.vol",
        makeVolFile(
            {{"textures\\dunes.bmp", makePbmpFile(dunes(), kDesertPalette), 0},
             {"sounds\\wind.wav", packedNoise(700), 3},
             {"textures\\frost.bmp", makePbmpFile(frost(), kWorldPalette), 0},
             {"interface\\icons\\sun.bmp", makePbmpFile(sun(), kDesertPalette), 0},
             {"readme.txt", text("Sample archive made for trying the VOL extractor.\r\n"), 0}}));
}

} // namespace skarde::samples
