#pragma once

// Faults planted in the program on purpose, only in the monkey's own tests, to show that the
// monkey catches each kind: a window that writes into its source folder, a modal dialog that
// nobody can answer, and a crash on a rare click. Installed as an application-wide event
// filter; the shipped program has none of them.

#include <QObject>

#include <optional>
#include <string>

namespace skarde::monkey {

class PlantedFault : public QObject {
public:
    enum class Kind { WriteIntoSource, UnansweredDialog, CrashOnRareClick };

    // "write-into-source", "unanswered-dialog", "crash-on-rare-click"; nothing for other names.
    static std::optional<Kind> named(const std::string& name);

    explicit PlantedFault(Kind kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeIntoSourceFolder(const QWidget& files);
    void openUnanswerableDialog();
    void crash(const QWidget& clicked);

    Kind kind_;
};

} // namespace skarde::monkey
