// Writes a few small, well-formed archives as the fuzzer's starting corpus.

#include "testsupport/volbuilder.h"

#include <iostream>

namespace {

using skarde::Bytes;
using skarde::filebuilders::VolFields;
using skarde::filebuilders::volMember;
using skarde::filebuilders::VolMemberFields;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: makevolseeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    VolFields plain;
    plain.members = {volMember("a.txt", {1, 2, 3}),
                     volMember("textures\\rock.bmp", {'P', 'B', 'M', 'P'}),
                     volMember("packed.lzh", {9, 9}, 3)};
    skarde::filebuilders::writeVol(folder / "plain.vol", plain);

    VolFields shifted = plain;
    shifted.magic = "VOLN";
    shifted.padValue = 0xEE;
    shifted.members[0].name = "odd";
    skarde::filebuilders::writeVol(folder / "shifted.vol", shifted);

    VolFields unsafe;
    unsafe.members = {volMember("..\\x", {1}), volMember("C:\\y", {}), volMember("", {2}),
                      volMember("caf\xE9", {3})};
    unsafe.members[0].terminatingZeros = 2;
    skarde::filebuilders::writeVol(folder / "names.vol", unsafe);

    skarde::filebuilders::writeVol(folder / "empty.vol", VolFields{});
    return 0;
}
