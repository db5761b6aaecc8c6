#include "qtpaths.h"

#include <QDir>

namespace skarde::gui {

// Windows names files in UTF-16, as QString holds text: the wide form goes across unchanged, with
// Qt's "/" between folders on Qt's side and the system's "\" on the other, so that a path the
// program names in a message has one kind of separator. Elsewhere file names are bytes, taken
// as UTF-8.
#ifdef Q_OS_WIN

QString toQString(const std::filesystem::path& path) {
    return QDir::fromNativeSeparators(QString::fromStdWString(path.native()));
}

std::filesystem::path toPath(const QString& text) {
    return std::filesystem::path(QDir::toNativeSeparators(text).toStdWString());
}

#else

QString toQString(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                             static_cast<qsizetype>(text.size()));
}

std::filesystem::path toPath(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.constData()),
                                               static_cast<std::size_t>(utf8.size())));
}

#endif

QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace skarde::gui
