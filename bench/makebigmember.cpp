// Writes a VOL archive of one stored member of any size (bench/bigmember.sh), a buffer at a
// time, so that writing it takes no more memory than extracting it should.
// Usage: makebigmember ARCHIVE SIZE [NAME]

#include "testsupport/volbuilder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

using namespace skarde;

constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
// The file header and the member's data block header, 8 bytes each.
constexpr std::size_t kHeadBytes = 16;

// The names block and the entries that follow the data: what the builder writes after an
// archive whose one member claims `size` bytes but brings none.
Bytes directoryBytes(const std::string& name, std::int32_t size) {
    filebuilders::VolFields fields;
    filebuilders::VolMemberFields member;
    member.name = name;
    member.size = size;
    fields.members.push_back(member);
    const Bytes empty = filebuilders::makeVol(fields);
    return Bytes(empty.begin() + kHeadBytes, empty.end());
}

void writeArchive(const char* path, std::int32_t size, const std::string& name) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    Bytes head;
    ByteWriter writer(head);
    writer.tag(makeTag("PVOL"));
    writer.i32(static_cast<std::int32_t>(kHeadBytes) + size); // the directory
    writer.tag(makeTag("VBLK"));
    writer.i32(size);
    out.write(reinterpret_cast<const char*>(head.data()),
              static_cast<std::streamsize>(head.size()));
    // Bytes that vary, so that nothing on the way can take a shortcut over zeros.
    Bytes buffer(kBufferBytes);
    std::uint64_t written = 0;
    while (written < static_cast<std::uint64_t>(size)) {
        const auto count = std::min<std::uint64_t>(buffer.size(), size - written);
        for (std::size_t i = 0; i < count; ++i)
            buffer[i] = static_cast<std::uint8_t>((written + i) * 7 + (written + i) / 4099);
        out.write(reinterpret_cast<const char*>(buffer.data()),
                  static_cast<std::streamsize>(count));
        written += count;
    }
    const Bytes directory = directoryBytes(name, size);
    out.write(reinterpret_cast<const char*>(directory.data()),
              static_cast<std::streamsize>(directory.size()));
    if (!out.flush())
        throw std::runtime_error(std::string("cannot write ") + path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: makebigmember ARCHIVE SIZE [NAME]\n";
        return 2;
    }
    const long long size = std::atoll(argv[2]);
    if (size < 0 ||
        size > std::numeric_limits<std::int32_t>::max() - static_cast<long long>(kHeadBytes)) {
        std::cerr << "makebigmember: the size must lie between 0 and 2 GiB\n";
        return 2;
    }
    try {
        writeArchive(argv[1], static_cast<std::int32_t>(size), argc == 4 ? argv[3] : "big.dat");
    } catch (const std::exception& error) {
        std::cerr << "makebigmember: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
