#include "invocation.h"

#include <system_error>

#ifdef _WIN32
#include <memory>

#include <windows.h>

#include <shellapi.h>
#endif

namespace skarde::cli {

namespace fs = std::filesystem;

#ifdef _WIN32

namespace {

std::string utf8From(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back(); // the terminating zero
    return text;
}

} // namespace

std::vector<std::string> utf8Arguments(int, char**) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(utf8From(wide.get()[i]));
    return arguments;
}

fs::path executableFolder(const char* argv0) {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            break;
        if (length < name.size()) {
            name.resize(length);
            return fs::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
    std::error_code error;
    return fs::absolute(fs::path(argv0), error).parent_path();
}

#else

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

fs::path executableFolder(const char* argv0) {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.parent_path();
    return fs::absolute(fs::path(argv0), error).parent_path();
}

#endif

} // namespace skarde::cli
