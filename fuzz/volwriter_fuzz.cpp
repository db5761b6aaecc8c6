// Applies changes chosen by the input to the archive that follows them: the first byte says how
// many changes (0 to 7), three bytes each say which (replace, add or remove), of which member,
// and with how many new bytes; the rest is the archive. Every update either is refused with a
// Problem or writes an archive that the directory reader reads back whole, with no damaged
// member, holding the new members' bytes.

#include "archive/membercontent.h"
#include "archive/membername.h"
#include "archive/voldirectory.h"
#include "archive/volmember.h"
#include "archive/volwriter.h"
#include "core/problem.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace skarde;

// Some names the writer must refuse, some it must take.
const char* const kAddedNames[] = {"new.txt", "dir\\new.bmp", "CON",     "a\\..\\..\\b",
                                   "x:y",     "caf\xC3\xA9",  "NEW.TXT", ""};

const fs::path& workFolder() {
    static const fs::path folder = [] {
        fs::path path =
            fs::temp_directory_path() / ("volwriter_fuzz." + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

struct Input {
    std::vector<VolChange> changes;
    Bytes archive;
};

Bytes pattern(std::size_t size, std::uint8_t seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 31);
    return bytes;
}

Input splitInput(const std::uint8_t* data, std::size_t size, const VolDirectory* directory) {
    Input input;
    const std::size_t count = size > 0 ? data[0] % 8 : 0;
    std::size_t at = 1;
    std::vector<std::array<std::uint8_t, 3>> picks;
    for (std::size_t i = 0; i < count && at + 3 <= size; ++i, at += 3)
        picks.push_back({data[at], data[at + 1], data[at + 2]});
    input.archive.assign(data + std::min(at, size), data + size);
    if (directory == nullptr)
        return input;
    const auto& entries = directory->directoryEntries;
    for (const auto& [kind, which, length] : picks) {
        const Bytes bytes = pattern(length, which);
        const std::string stored = entries.empty()
                                       ? std::string("none")
                                       : decodeMemberName(entries[which % entries.size()].name);
        switch (kind % 3) {
        case 0:
            input.changes.push_back(replaceMember(stored, memberBytes("fuzz", bytes)));
            break;
        case 1:
            input.changes.push_back(
                addMember(kAddedNames[which % std::size(kAddedNames)], memberBytes("fuzz", bytes)));
            break;
        default:
            input.changes.push_back(removeMember(stored));
            break;
        }
    }
    return input;
}

void writeFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void checkWritten(const fs::path& path) {
    VolArchive archive(path);
    const VolDirectory directory = readVolDirectory(archive);
    for (const VolEntry& entry : directory.directoryEntries) {
        if (entry.damaged)
            __builtin_trap();
        if (ReadMemberData(archive, entry).size() != static_cast<std::size_t>(entry.size))
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input raw = splitInput(data, size, nullptr);
    VolDirectory directory;
    try {
        VolArchive archive("fuzz.vol", raw.archive);
        directory = readVolDirectory(archive);
    } catch (const Problem&) {
        return 0; // the writer starts from what the reader accepts
    }
    const Input input = splitInput(data, size, &directory);
    const fs::path original = workFolder() / "game.vol";
    const fs::path written = workFolder() / "new.vol";
    writeFile(original, input.archive);
    std::error_code ignored;
    fs::remove(written, ignored);
    try {
        updateVolArchive(original, input.changes, written);
    } catch (const Problem&) {
        if (fs::exists(written))
            __builtin_trap(); // a refused update left a file behind
        return 0;
    }
    checkWritten(written);
    return 0;
}
