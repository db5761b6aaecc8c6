#pragma once

// Plain file descriptors, the one place where the POSIX calls and their Windows counterparts
// differ. Plain descriptors, not streams: a buffered stream costs a call more per file, which
// counts when an archive holds tens of thousands of them. Windows paths are wide, so there files
// are opened by their UTF-16 names.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace skarde {

// -1 (and errno set) when the file cannot be opened.
int openForReading(const std::filesystem::path& path);
// The same for a UTF-8 path: no path object to build, which counts for thousands of small files.
int openForReading(const std::string& utf8Path);
// Creates the file only when none is there.
int openNewFile(const std::filesystem::path::value_type* path);
// 0 when closed cleanly.
int closeDescriptor(int descriptor);

// The file's length, or -1.
std::int64_t lengthOf(int descriptor);
// One read at the given position: what was read, 0 at the end, -1 on an error. Windows has no
// such call for descriptors, and there a seek comes first.
std::int64_t readAt(int descriptor, std::uint8_t* to, std::int64_t count, std::int64_t offset);
// As many bytes as fit, or fewer at the end of the file (or on an error).
std::size_t readFully(int descriptor, std::span<std::uint8_t> into);
// readFully, and whether the file holds a byte more after those: found in the same call where
// the system allows, so that the end of a small file costs no read of its own.
std::size_t readFullyAndLookBeyond(int descriptor, std::span<std::uint8_t> into, bool& more);

} // namespace skarde
