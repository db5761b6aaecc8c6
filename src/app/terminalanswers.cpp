#include "terminalanswers.h"

#include "programversion.h"

#include <QCommandLineParser>

namespace skarde::gui {

std::optional<std::string> terminalAnswer(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("SkardeTools: converts the game Skarde's images, image arrays and palette "
                       "lists, and lists and extracts its VOL archives.\n"
                       "Started without these options, it opens its window; each FILE given "
                       "(a game image, image array, palette list or archive) opens in the tool "
                       "window that fits it. skardetools-cli offers the same converters for "
                       "scripts."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // Qt's own options and any file are for the application; only these two are answered here.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser.parse(arguments);
    if (parser.isSet(version))
        return "skardetools " + std::string(kVersionText) + '\n';
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The parser names the running file, or a placeholder before the application exists.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')),
                     QStringLiteral("Usage: skardetools [options] [FILE...]"));
        return text.toStdString();
    }
    return std::nullopt;
}

} // namespace skarde::gui
