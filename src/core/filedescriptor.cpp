#include "filedescriptor.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace skarde {

int openForReading(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
#else
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
#endif
}

int openForReading(const std::string& utf8Path) {
#ifdef _WIN32
    return openForReading(std::filesystem::u8path(utf8Path));
#else
    return ::open(utf8Path.c_str(), O_RDONLY | O_CLOEXEC);
#endif
}

int openNewFile(const std::filesystem::path::value_type* path) {
#ifdef _WIN32
    return _wopen(path, _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return ::open(path, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
#endif
}

int closeDescriptor(int descriptor) {
#ifdef _WIN32
    return _close(descriptor);
#else
    return ::close(descriptor);
#endif
}

std::int64_t lengthOf(int descriptor) {
#ifdef _WIN32
    struct _stat64 status {};
    return _fstat64(descriptor, &status) == 0 ? status.st_size : -1;
#else
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 ? status.st_size : -1;
#endif
}

std::int64_t readAt(int descriptor, std::uint8_t* to, std::int64_t count, std::int64_t offset) {
#ifdef _WIN32
    if (_lseeki64(descriptor, offset, SEEK_SET) < 0)
        return -1;
    const unsigned chunk = static_cast<unsigned>(std::min<std::int64_t>(count, 1 << 30));
    return _read(descriptor, to, chunk);
#else
    return ::pread(descriptor, to, static_cast<std::size_t>(count), static_cast<off_t>(offset));
#endif
}

std::size_t readFully(int descriptor, std::span<std::uint8_t> into) {
    std::size_t done = 0;
    while (done < into.size()) {
        const std::size_t chunk = std::min<std::size_t>(into.size() - done, 1 << 30);
#ifdef _WIN32
        const int got = _read(descriptor, into.data() + done, static_cast<unsigned>(chunk));
#else
        const ssize_t got = ::read(descriptor, into.data() + done, chunk);
#endif
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t readFullyAndLookBeyond(int descriptor, std::span<std::uint8_t> into, bool& more) {
    std::uint8_t beyond = 0;
    std::size_t done = 0;
#ifndef _WIN32
    // A regular file reads short only at its end: one call fills the span and tries one more.
    iovec parts[2] = {{into.data(), into.size()}, {&beyond, 1}};
    ssize_t got = -1;
    do
        got = ::readv(descriptor, parts, 2);
    while (got < 0 && errno == EINTR);
    if (got <= 0) {
        more = false;
        return 0;
    }
    more = static_cast<std::size_t>(got) > into.size();
    if (static_cast<std::size_t>(got) >= into.size())
        return into.size();
    done = static_cast<std::size_t>(got);
#endif
    done += readFully(descriptor, into.subspan(done));
    more = done == into.size() && readFully(descriptor, std::span(&beyond, 1)) != 0;
    return done;
}

} // namespace skarde
