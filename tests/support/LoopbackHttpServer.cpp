#include "LoopbackHttpServer.h"

#include <QMetaObject>
#include <QSemaphore>
#include <QTcpSocket>
#include <QTimer>

class LoopbackHttpServer::Worker : public QTcpServer {
public:
    mutable QMutex mutex;
    Handler handler;
    QList<Request> requests;

    void serve(QTcpSocket* socket)
    {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            const qsizetype headerEnd = buffer->indexOf("\r\n\r\n");
            if (headerEnd < 0)
                return;
            Request request;
            const QList<QByteArray> lines = buffer->left(headerEnd).split('\n');
            const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
            request.method = first.value(0);
            request.target = first.value(1);
            qsizetype length = 0;
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines[i].indexOf(':');
                if (colon < 0)
                    continue;
                const QByteArray name = lines[i].left(colon).trimmed();
                const QByteArray value = lines[i].mid(colon + 1).trimmed();
                request.headers.append({name, value});
                if (name.compare("content-length", Qt::CaseInsensitive) == 0)
                    length = value.toLongLong();
            }
            if (buffer->size() < headerEnd + 4 + length)
                return;
            request.body = buffer->mid(headerEnd + 4, length);
            buffer->clear();
            Handler h;
            {
                QMutexLocker lock(&mutex);
                requests.append(request);
                h = handler;
            }
            const Response response = h ? h(request) : Response{404, "not found", "text/plain"};
            if (response.hang)
                return;
            QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + " X\r\n";
            out += "Content-Type: " + response.contentType + "\r\n";
            out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
            out += response.extraHeaders;
            out += "Connection: close\r\n\r\n";
            if (response.dripMs > 0) {
                socket->write(out);
                auto* timer = new QTimer(socket); // goes with the socket
                connect(timer, &QTimer::timeout, socket,
                        [socket, timer, body = response.body, sent = qsizetype(0)]() mutable {
                            if (sent >= body.size()) {
                                timer->stop();
                                socket->disconnectFromHost();
                                return;
                            }
                            socket->write(body.mid(sent++, 1));
                        });
                timer->start(response.dripMs);
                return;
            }
            out += response.body;
            socket->write(out);
            socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        serve(socket);
    }
};

LoopbackHttpServer::LoopbackHttpServer()
{
    m_worker = new Worker;
    m_worker->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_worker,
        [this] {
            m_worker->listen(QHostAddress::LocalHost, 0);
            m_port = m_worker->serverPort();
        },
        Qt::BlockingQueuedConnection);
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    QMetaObject::invokeMethod(m_worker, [this] { delete m_worker; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void LoopbackHttpServer::setHandler(Handler handler)
{
    QMutexLocker lock(&m_worker->mutex);
    m_worker->handler = std::move(handler);
}

QUrl LoopbackHttpServer::baseUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_port));
}

QList<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const
{
    QMutexLocker lock(&m_worker->mutex);
    return m_worker->requests;
}
