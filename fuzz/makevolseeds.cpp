// Writes a few small, well-formed archives as the fuzzer's starting corpus.

#include "testsupport/volbuilder.h"

#include <iostream>

namespace {

using skarde::Bytes;
using skarde::filebuilders::VolFields;
using skarde::filebuilders::VolMemberFields;

VolMemberFields member(std::string name, Bytes data, std::uint8_t compression = 0) {
    VolMemberFields fields;
    fields.name = std::move(name);
    fields.data = std::move(data);
    fields.compressionType = compression;
    return fields;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: makevolseeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    VolFields plain;
    plain.members = {member("a.txt", {1, 2, 3}), member("textures\\rock.bmp", {'P', 'B', 'M', 'P'}),
                     member("packed.lzh", {9, 9}, 3)};
    skarde::filebuilders::writeVol(folder / "plain.vol", plain);

    VolFields shifted = plain;
    shifted.magic = "VOLN";
    shifted.padValue = 0xEE;
    shifted.members[0].name = "odd";
    skarde::filebuilders::writeVol(folder / "shifted.vol", shifted);

    VolFields unsafe;
    unsafe.members = {member("..\\x", {1}), member("C:\\y", {}), member("", {2}),
                      member("caf\xE9", {3})};
    unsafe.members[0].terminatingZeros = 2;
    skarde::filebuilders::writeVol(folder / "names.vol", unsafe);

    skarde::filebuilders::writeVol(folder / "empty.vol", VolFields{});
    return 0;
}
