// skardetools-thumbnailer: the thumbnails of the game's files for file managers that follow the
// desktop's thumbnailer convention (share/thumbnailers/skardetools.thumbnailer).
//   skardetools-thumbnailer [-s SIZE] INPUT OUTPUT.png
// Exit status 0 with the PNG written; 1, with nothing written, for a file it cannot show;
// 2 for a wrong command line.

#include "cli/invocation.h"
#include "converters/palsfolder.h"
#include "core/problem.h"
#include "thumbnailwriter.h"

#include <charconv>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kDefaultSize = 128;
constexpr std::int32_t kLargestSize = 4096;

struct Request {
    std::int32_t size = kDefaultSize;
    std::vector<std::string> files;
};

// The size, 1 to 4096; none for anything else.
std::optional<std::int32_t> sizeFrom(const std::string& text) {
    std::int32_t size = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    if (error != std::errc() || end != text.data() + text.size() || size < 1 || size > kLargestSize)
        return std::nullopt;
    return size;
}

std::optional<Request> requestFrom(const std::vector<std::string>& arguments) {
    Request request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "-s" && i + 1 < arguments.size()) {
            const auto size = sizeFrom(arguments[++i]);
            if (!size)
                return std::nullopt;
            request.size = *size;
        } else {
            request.files.push_back(arguments[i]);
        }
    }
    if (request.files.size() != 2)
        return std::nullopt;
    return request;
}

} // namespace

int main(int argc, char** argv) {
    const auto request = requestFrom(skarde::cli::utf8Arguments(argc, argv));
    if (!request) {
        std::cerr << "usage: skardetools-thumbnailer [-s SIZE] INPUT OUTPUT.png\n"
                     "  writes a PNG of INPUT's game image (a game image, an image array's first\n"
                     "  image, an archive's first stored game image), at most SIZE pixels on its\n"
                     "  longer side (default 128)\n";
        return 2;
    }
    try {
        skarde::writeThumbnail(std::filesystem::u8path(request->files[0]),
                               std::filesystem::u8path(request->files[1]), request->size,
                               skarde::findPalsFolder(skarde::cli::executableFolder(argv[0])));
        return 0;
    } catch (const skarde::Problem& problem) {
        std::cerr << "skardetools-thumbnailer: "
                  << (problem.subject().empty() ? request->files[0] : problem.subject()) << ": "
                  << problem.what() << '\n';
    } catch (const std::exception& error) {
        std::cerr << "skardetools-thumbnailer: " << request->files[0] << ": " << error.what()
                  << '\n';
    }
    return 1;
}
