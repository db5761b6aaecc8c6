#include "localwebserver.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

namespace skarde::test {
namespace {

QByteArray page(const char* title, const char* body) {
    const QByteArray html = QByteArrayLiteral("<html><head><title>") + title +
                            QByteArrayLiteral("</title></head><body>") + body +
                            QByteArrayLiteral("</body></html>");
    return QByteArrayLiteral("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: ") +
           QByteArray::number(html.size()) + QByteArrayLiteral("\r\nConnection: close\r\n\r\n") +
           html;
}

} // namespace

LocalWebServer::LocalWebServer() : server_(new QTcpServer(this)) {
    EXPECT_TRUE(server_->listen(QHostAddress::LocalHost, 0)) << "no free local port";
    connect(server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(*socket); });
        }
    });
}

LocalWebServer::~LocalWebServer() = default;

QString LocalWebServer::address(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(server_->serverPort()).arg(path);
}

void LocalWebServer::answer(QTcpSocket& socket) {
    const QByteArray request = socket.peek(4096);
    if (!request.contains("\r\n\r\n")) {
        return; // the rest of the request is still on its way
    }
    socket.readAll();
    const QByteArray path = request.split(' ').value(1);
    if (path == "/slow") {
        return;
    }
    if (path == "/") {
        socket.write(page("Site Root", "root"));
    } else if (path == "/a") {
        socket.write(page("Page A", "<a id=\"next\" href=\"/b\">next</a>"));
    } else if (path == "/b") {
        socket.write(page("Page B", "second"));
    } else {
        socket.write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    }
    socket.disconnectFromHost();
}

} // namespace skarde::test
