#pragma once

#include "LoopbackHttpServer.h"

#include <QTranslator>

// One loopback server for every web page of the test run: the engine reads
// where to send its requests once, when it is first loaded.
inline LoopbackHttpServer& webTestServer()
{
    static LoopbackHttpServer server;
    static const bool pointed = [] {
        const QUrl base = server.baseUrl();
        qputenv("KORVANE_WEB_HOST",
                QStringLiteral("%1:%2").arg(base.host()).arg(base.port()).toUtf8());
        return true;
    }();
    Q_UNUSED(pointed);
    return server;
}

// A display name of the tester's choice, as a translation would give it.
class DisplayNameTranslator : public QTranslator {
public:
    explicit DisplayNameTranslator(QString name) : m_name(std::move(name)) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return qstrcmp(context, "InfoPlist") == 0 && qstrcmp(source, "CFBundleDisplayName") == 0
                   ? m_name
                   : QString();
    }

private:
    QString m_name;
};
