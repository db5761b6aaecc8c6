#include "monkeytree.h"

#include "samplefiles.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"

#include <cstdio>
#include <string>

namespace skarde::monkey {

namespace fs = std::filesystem;

MonkeyTree::MonkeyTree(const fs::path& base, const fs::path& hostileData) : folder_(base) {
    writeSamples();
    copyHostileFiles(hostileData);
    writeLargeArchive();
    writeAwkwardNames();
    fs::create_directories(root() / "empty");
    fs::create_directories(root() / "out");
    makeUnreadableFolders();
}

MonkeyTree::~MonkeyTree() {
    // Readable again, so that the folder can be removed.
    std::error_code ignored;
    for (const fs::path& folder : unreadable_)
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
}

void MonkeyTree::writeSamples() {
    // The palettes the samples name land in the tree too: more files a user may point at.
    samples::writeSamples(root() / "samples", root() / "samples" / "pals");
}

void MonkeyTree::copyHostileFiles(const fs::path& hostileData) {
    fs::copy(hostileData, root() / "data", fs::copy_options::recursive);
}

// Mostly plain data members in a few folders, with a game bitmap every hundredth member so
// that previews and conversions have work among them.
void MonkeyTree::writeLargeArchive() {
    filebuilders::VolFields archive;
    archive.members.reserve(kArchiveMembers);
    const Bytes bitmap = filebuilders::makePbmpOfSize(4, 3);
    for (int i = 0; i < kArchiveMembers; ++i) {
        char name[32];
        const bool isBitmap = i % 100 == 0;
        std::snprintf(name, sizeof name, "part%d\\m%05d.%s", i % 7, i, isBitmap ? "bmp" : "dat");
        archive.members.push_back(filebuilders::volMember(
            name, isBitmap ? bitmap : Bytes{static_cast<std::uint8_t>(i), 2, 3}));
    }
    filebuilders::writeVol(root() / "large archive" / "thirty thousand.vol", archive);
}

void MonkeyTree::writeAwkwardNames() {
    const fs::path folder = root() / fs::u8path("Grüße aus Åre");
    fs::create_directories(folder / fs::u8path("sous-dossier élevé"));
    fs::copy_file(root() / "samples" / "dunes.bmp",
                  folder / fs::u8path("dünen mit leerzeichen.bmp"));
    fs::copy_file(root() / "samples" / "icons.pba", folder / fs::u8path("ícones é.pba"));
    fs::copy_file(root() / "samples" / "game.vol", folder / fs::u8path("jeu à deux.vol"));
    fs::copy_file(root() / "samples" / "worlds.ppl",
                  folder / fs::u8path("sous-dossier élevé") / fs::u8path("mondes ñ.ppl"));
}

// Mode 0 keeps out everybody but root; the monkey drops root's override before it starts (see
// FileAccessOverride), so that these stay unreadable in CI too.
void MonkeyTree::makeUnreadableFolders() {
    const fs::path locked = root() / "locked";
    const fs::path lockedWithFiles = root() / "samples" / "locked samples";
    fs::create_directories(locked);
    fs::create_directories(lockedWithFiles);
    fs::copy_file(root() / "samples" / "frost.bmp", lockedWithFiles / "frost.bmp");
    fs::copy_file(root() / "samples" / "game.vol", lockedWithFiles / "game.vol");
    for (const fs::path& folder : {locked, lockedWithFiles}) {
        fs::permissions(folder, fs::perms::none);
        unreadable_.push_back(folder);
    }
}

} // namespace skarde::monkey
