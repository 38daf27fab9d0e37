#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QTcpServer>
#include <QThread>
#include <QUrl>
#include <functional>

// A small HTTP/1.1 server on 127.0.0.1 for tests. It runs on a thread of its
// own so that clients that block (synchronous lookups on a worker thread) and
// clients on the test's thread both get answers.
class LoopbackHttpServer {
public:
    struct Request {
        QByteArray method;
        QByteArray target; // path and query, as sent
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
    };
    struct Response {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/json";
        QByteArray extraHeaders = {}; // raw lines, each ending in "\r\n"
        // Never answer: the connection stays open until the client gives up.
        bool hang = false;
        // Above zero: the headers at once, then the body one byte every this
        // many milliseconds, so the client is never silent for long.
        int dripMs = 0;
    };
    using Handler = std::function<Response(const Request&)>;

    LoopbackHttpServer();
    ~LoopbackHttpServer();

    void setHandler(Handler handler);
    QUrl baseUrl() const;
    QList<Request> requests() const;

private:
    class Worker;
    QThread m_thread;
    Worker* m_worker = nullptr;
    quint16 m_port = 0;
};
