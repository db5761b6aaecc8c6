#pragma once

// A small web server on a free local port, for the browser tests: no network is needed.
//   /       "Site Root"
//   /a      "Page A", with a link to /b
//   /b      "Page B"
//   /slow   never answers while the server lives, so that a load stays busy

#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace skarde::test {

class LocalWebServer : public QObject {
    Q_OBJECT
public:
    LocalWebServer();
    ~LocalWebServer() override;

    // "http://127.0.0.1:PORT/path".
    QString address(const QString& path) const;

private:
    void answer(QTcpSocket& socket);

    QTcpServer* server_ = nullptr;
};

} // namespace skarde::test
