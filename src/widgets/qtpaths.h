#pragma once

// The one place where Qt text and the core's paths meet.

#include <QString>

#include <filesystem>
#include <string_view>

namespace skarde::gui {

QString toQString(const std::filesystem::path& path);
QString toQString(std::string_view utf8);
std::filesystem::path toPath(const QString& text);

} // namespace skarde::gui
