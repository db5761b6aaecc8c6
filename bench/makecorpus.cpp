// Writes the corpus bench/run.sh times: game bitmaps, raw pixels of the same images, two VOL
// archives and the folder trees they hold (for tar).
// Usage: makecorpus DIR

#include "fixtures/tempfolder.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace skarde;

constexpr int kImages = 2000;
constexpr int kImageFolders = 20;
constexpr int kRawImages = 200;
constexpr int kSmallMembers = 30000;
constexpr int kSmallFolders = 50;
constexpr int kSide = 256;

// Built by appending: g++ 12 warns (-Wrestrict, wrongly) about a chain of operator+ here.
std::string numbered(const char* prefix, int number, int digits) {
    const std::string text = std::to_string(number);
    std::string name = prefix;
    name.append(static_cast<std::size_t>(digits) - text.size(), '0');
    name += text;
    return name;
}

Bytes imageRows(int index) {
    return filebuilders::patternRows(kSide, kSide, static_cast<std::uint8_t>(index));
}

Bytes gameImage(int index) {
    filebuilders::PbmpFields fields;
    fields.width = kSide;
    fields.height = kSide;
    fields.rows = imageRows(index);
    return filebuilders::makePbmp(fields);
}

// The same members twice: in a VOL archive, and as a folder tree for tar.
void writeArchiveAndTree(const fs::path& archive, const fs::path& tree,
                         const std::vector<filebuilders::VolMemberFields>& members) {
    filebuilders::VolFields fields;
    fields.members = members;
    filebuilders::writeVol(archive, fields);
    for (const auto& member : members) {
        std::string relative = member.name;
        for (char& c : relative)
            if (c == '\\')
                c = '/';
        test::writeFile(tree / relative, member.data);
    }
}

void writeImages(const fs::path& corpus) {
    std::vector<filebuilders::VolMemberFields> members;
    for (int i = 0; i < kImages; ++i) {
        const std::string name = numbered("img", i, 4) + ".bmp";
        const Bytes image = gameImage(i);
        test::writeFile(corpus / "pbmp" / name, image);
        if (i < kRawImages)
            test::writeFile(corpus / "raw" / (numbered("img", i, 4) + ".gray"), imageRows(i));
        filebuilders::VolMemberFields member;
        member.name = numbered("f", i % kImageFolders, 2) + "\\" + name;
        member.data = image;
        members.push_back(std::move(member));
    }
    writeArchiveAndTree(corpus / "images.vol", corpus / "images-tree", members);
}

void writeSmallMembers(const fs::path& corpus) {
    std::vector<filebuilders::VolMemberFields> members;
    for (int i = 0; i < kSmallMembers; ++i) {
        filebuilders::VolMemberFields member;
        member.name = numbered("d", i % kSmallFolders, 2) + "\\" + numbered("m", i, 5) + ".txt";
        member.data =
            Bytes(static_cast<std::size_t>(64 + (i * 37) % 448), static_cast<std::uint8_t>(i));
        members.push_back(std::move(member));
    }
    writeArchiveAndTree(corpus / "small.vol", corpus / "small-tree", members);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: makecorpus DIR\n";
        return 2;
    }
    const fs::path corpus = argv[1];
    fs::remove_all(corpus);
    writeImages(corpus);
    writeSmallMembers(corpus);
    return 0;
}
