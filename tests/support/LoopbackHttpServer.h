#pragma once
#include <algorithm>

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

namespace zephrix::test {

// A tiny HTTP server on 127.0.0.1: records every request line and answers each with its script's next
// step (the last repeats). It runs on the test's own event loop, so the code under test must be waiting
// in one (as the program's fetches do).
class LoopbackHttpServer {
  public:
    enum class Behaviour {
        Answer,  // 200 with the body
        Silent,  // keeps the connection open and never answers
        Garbage, // writes bytes that are not HTTP and hangs up
    };
    struct Step {
        Behaviour behaviour = Behaviour::Answer;
        QByteArray body;
    };

    LoopbackHttpServer()
    {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { accept(); });
    }

    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

    void script(QList<Step> steps) { steps_ = std::move(steps); }
    void answer(const QByteArray& body) { script({{Behaviour::Answer, body}}); }

    // "GET /path?query HTTP/1.1" of each request received, in order.
    const QStringList& requestLines() const { return requestLines_; }

    bool waitForRequests(int count, int milliseconds = 10000)
    {
        QDeadlineTimer deadline(milliseconds);
        while (requestLines_.size() < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return requestLines_.size() >= count;
    }

    // A port on 127.0.0.1 where nothing listens: connections are refused.
    static quint16 refusingPort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return port;
    }

  private:
    void accept()
    {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(&server_);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
        }
    }

    void read(QTcpSocket* socket)
    {
        QByteArray& buffer = pending_[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        requestLines_.append(QString::fromLatin1(buffer.left(buffer.indexOf("\r\n"))));
        pending_.remove(socket);

        const Step step = steps_.isEmpty() ? Step{Behaviour::Answer, "OK"}
                                           : steps_.at(std::min<qsizetype>(served_, steps_.size() - 1));
        ++served_;
        if (step.behaviour == Behaviour::Silent)
            return;
        socket->write(
            step.behaviour == Behaviour::Garbage
                ? QByteArray("\x01\x02 not http at all \xff\r\n\r\n")
                : "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(step.body.size()) + "\r\n\r\n" + step.body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QList<Step> steps_;
    qsizetype served_ = 0;
    QStringList requestLines_;
    QHash<QTcpSocket*, QByteArray> pending_;
};

} // namespace zephrix::test
