#include "voldirectory.h"

#include "core/fileio.h"
#include "core/guardedstep.h"
#include "core/problem.h"

#include <algorithm>
#include <string>

namespace skarde {

namespace fs = std::filesystem;

namespace {

struct DirectoryLayout {
    VolFileHeader header;
    std::int64_t start = 0; // the names block header
    Tag namesTag{};
    std::int32_t namesLength = 0;
};

std::string count(std::int64_t value, const char* unit) {
    return std::to_string(value) + " " + unit;
}

[[noreturn]] void refuse(const VolArchive& archive, const std::string& reason) {
    throw Problem::refusal(archive.name(), "This is not a usable VOL archive: " + reason);
}

DirectoryLayout locateDirectory(VolArchive& archive) {
    if (!archive.holds(0, kVolFileHeaderSize))
        refuse(archive, "the file is shorter than the 8-byte archive header.");
    const Bytes headerBytes = archive.read(0, kVolFileHeaderSize);
    const VolFileHeader header = readVolFileHeader(ByteReader(headerBytes));
    DirectoryLayout layout;
    layout.header = header;
    layout.start = directoryStart(header);
    if (!archive.holds(layout.start, kVolBlockHeaderSize))
        refuse(archive, "its directory would start at byte " + std::to_string(layout.start) +
                            ", outside the file of " + count(archive.length(), "bytes") + ".");
    const Bytes namesHeader = archive.read(layout.start, kVolBlockHeaderSize);
    const VolBlockHeader namesBlock = readVolBlockHeader(ByteReader(namesHeader), 0);
    layout.namesTag = namesBlock.tag;
    layout.namesLength = namesBlock.length;
    if (layout.namesLength < 0)
        refuse(archive, "its names block has a negative length (" +
                            std::to_string(layout.namesLength) + ").");
    return layout;
}

// The pad byte after an odd names block keeps the entries block at an even position.
std::int64_t entriesHeaderPosition(const DirectoryLayout& layout) {
    return layout.start + kVolBlockHeaderSize + layout.namesLength + (layout.namesLength % 2);
}

std::vector<VolEntry> readEntries(VolArchive& archive, const DirectoryLayout& layout,
                                  Tag& entriesTag) {
    const std::int64_t headerPosition = entriesHeaderPosition(layout);
    if (!archive.holds(headerPosition, kVolBlockHeaderSize))
        refuse(archive, "its names block of " + count(layout.namesLength, "bytes") +
                            " runs past the end of the file.");
    const Bytes entriesHeader = archive.read(headerPosition, kVolBlockHeaderSize);
    const VolBlockHeader entriesBlock = readVolBlockHeader(ByteReader(entriesHeader), 0);
    entriesTag = entriesBlock.tag;
    const std::int32_t entriesLength = entriesBlock.length;
    if (entriesLength < 0 || entriesLength % kVolEntrySize != 0)
        refuse(archive, "its entries block is " + count(entriesLength, "bytes") +
                            " long, not a whole number of 17-byte entries.");
    const std::int64_t entriesPosition = headerPosition + kVolBlockHeaderSize;
    if (!archive.holds(entriesPosition, entriesLength))
        refuse(archive, "its entries block of " + count(entriesLength, "bytes") +
                            " runs past the end of the file.");
    const Bytes block = archive.read(entriesPosition, entriesLength);
    const ByteReader reader(block);
    std::vector<VolEntry> entries(block.size() / kVolEntrySize);
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = readVolEntry(reader, i * kVolEntrySize);
    return entries;
}

void checkEntries(const VolArchive& archive, const std::vector<VolEntry>& entries,
                  std::int32_t namesLength) {
    std::int32_t previousNameOffset = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const VolEntry& entry = entries[i];
        const std::string which = "entry " + std::to_string(i + 1) + " ";
        if (entry.nameOffset < 0 || entry.nameOffset > namesLength)
            refuse(archive, which + "has its name at " + std::to_string(entry.nameOffset) +
                                ", outside the names block of " + count(namesLength, "bytes") +
                                ".");
        if (entry.nameOffset < previousNameOffset)
            refuse(archive, which + "has its name before the name of the entry ahead of it.");
        previousNameOffset = entry.nameOffset;
    }
}

// A member's data is its own business: one entry pointing outside the file must not keep the
// intact members from being listed and extracted.
void markDamagedEntries(const VolArchive& archive, std::vector<VolEntry>& entries) {
    for (VolEntry& entry : entries)
        entry.damaged =
            entry.dataOffset < 0 ||
            !archive.holds(std::int64_t{entry.dataOffset} + kVolBlockHeaderSize, entry.size);
}

// Each name runs from its own offset to the next entry's, or to the end of the block; the
// first zero byte ends it early.
void assignNames(std::vector<VolEntry>& entries, const Bytes& names) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto begin = names.begin() + entries[i].nameOffset;
        const auto end =
            i + 1 < entries.size() ? names.begin() + entries[i + 1].nameOffset : names.end();
        entries[i].name.assign(begin, std::find(begin, end, std::uint8_t{0}));
    }
}

} // namespace

VolDirectory readVolDirectory(VolArchive& archive) {
    const DirectoryLayout layout = locateDirectory(archive);
    VolDirectory directory;
    std::vector<VolEntry> entries = readEntries(archive, layout, directory.entriesTag);
    checkEntries(archive, entries, layout.namesLength);
    markDamagedEntries(archive, entries);
    assignNames(entries, archive.read(layout.start + kVolBlockHeaderSize, layout.namesLength));

    directory.fileHeader = layout.header;
    directory.namesTag = layout.namesTag;
    directory.directoryEntries = std::move(entries);
    for (std::size_t i = 0; i < directory.directoryEntries.size(); ++i)
        (directory.directoryEntries[i].isStored() ? directory.storedRows : directory.compressedRows)
            .push_back(i);
    return directory;
}

VolDirectory readVolDirectory(const fs::path& archivePath) {
    VolArchive archive(archivePath);
    VolDirectory directory = readVolDirectory(archive);
    directory.archivePath = archivePath;
    return directory;
}

VolDirectory LoadVolDirectory(const fs::path& archivePath, UserPrompts& prompts) {
    VolDirectory directory;
    directory.archivePath = archivePath;
    runGuarded(prompts, displayPath(archivePath), [&] {
        directory = readVolDirectory(archivePath);
        return true;
    });
    return directory;
}

} // namespace skarde
