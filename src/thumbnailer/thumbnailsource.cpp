#include "thumbnailsource.h"

#include "archive/gamefilekind.h"
#include "archive/membername.h"
#include "archive/voldirectory.h"
#include "archive/volmember.h"
#include "converters/pbaformat.h"
#include "converters/pbmptobmp.h"
#include "core/fileio.h"
#include "core/problem.h"

#include <algorithm>
#include <string>

namespace skarde {

namespace fs = std::filesystem;

namespace {

// Keeps what the archive reader would have told the user, to tell it by name instead.
class QuietPrompts : public UserPrompts {
public:
    void showMessage(std::string_view text, MessageKind) override { last = text; }
    void reportProblem(std::string_view subject, std::string_view text) override {
        last = std::string(subject) + ": " + std::string(text);
    }
    bool askYesNo(std::string_view) override { return false; }
    std::string ChooseWorldPalette() override { return {}; }

    std::string last;
};

bool startsWith(std::span<const std::uint8_t> data, std::string_view tag) {
    return data.size() >= tag.size() && std::equal(tag.begin(), tag.end(), data.begin());
}

ThumbnailSource gameImageIn(std::span<const std::uint8_t> data, const std::string& name) {
    GameImage image = decodeGameImage(data, name);
    const std::int32_t palette = image.trailer.paletteNumber;
    return {std::move(image), palette};
}

ThumbnailSource firstArrayImage(std::span<const std::uint8_t> data, const std::string& name) {
    const ByteReader reader(data);
    if (!reader.fits(0, kPbaHeaderSize))
        throw Problem::refusal(name, "The file is shorter than an image array header.");
    if (readPbaHeader(reader).bitmapCount < 1)
        throw Problem::refusal(name, "The image array holds no image.");
    PbaEntry entry;
    try {
        entry = locatePbaEntry(reader, kPbaHeaderSize);
    } catch (const MalformedPbaEntry& malformed) {
        throw Problem::refusal(name, std::string("The first image: ") + malformed.what());
    }
    ThumbnailSource source;
    source.image.header = entry.header;
    source.image.pixelRows.columns = static_cast<std::int32_t>(entry.stride);
    source.image.pixelRows.rows = entry.header.height;
    const auto rows = reader.slice(static_cast<std::size_t>(entry.rowsOffset()), entry.rowBytes);
    source.image.pixelRows.data.assign(rows.begin(), rows.end());
    if (entry.trailer)
        source.paletteNumber = entry.trailer->paletteNumber;
    return source;
}

ThumbnailSource firstArchiveImage(const fs::path& file) {
    QuietPrompts prompts;
    const VolDirectory directory = LoadVolDirectory(file, prompts);
    if (directory.directoryEntries.empty())
        throw Problem::refusal(displayPath(file), prompts.last.empty()
                                                      ? "The archive holds no members."
                                                      : prompts.last);
    for (std::size_t row = 0; row < directory.storedRows.size(); ++row) {
        const VolEntry& entry = directory.storedEntry(row);
        if (entry.damaged || !isBitmapMemberName(entry.name))
            continue;
        const Bytes data = ReadMemberData(file, entry);
        if (startsWith(data, "PBMP"))
            return gameImageIn(data, decodeMemberName(entry.name));
    }
    throw Problem::refusal(displayPath(file), "The archive holds no stored game image.");
}

} // namespace

ThumbnailSource findThumbnailSource(const fs::path& file) {
    const std::string name = displayPath(file);
    switch (identifyGameFile(file)) {
    case GameFileKind::GameImage:
        return gameImageIn(readWholeFile(file), name);
    case GameFileKind::ImageArray:
        return firstArrayImage(readWholeFile(file), name);
    case GameFileKind::Archive:
        return firstArchiveImage(file);
    case GameFileKind::PaletteList:
    case GameFileKind::Unknown:
        break;
    }
    throw Problem::refusal(name, "This is not a game image, image array or archive.");
}

} // namespace skarde
