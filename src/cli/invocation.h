#pragma once

// How the program was started: its arguments and the folder it lies in.

#include <filesystem>
#include <string>
#include <vector>

namespace skarde::cli {

// The arguments after the program name, in UTF-8 on every platform. Windows hands `argv` over in
// the ANSI code page, which cannot hold every file name; there they come from the wide command
// line instead.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// The folder of the running executable, whatever folder it was started from or through.
std::filesystem::path executableFolder(const char* argv0);

} // namespace skarde::cli
