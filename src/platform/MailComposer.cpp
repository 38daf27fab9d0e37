#include "MailComposer.h"

#include "Localization.h"
#include "SchemeHandlers.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusUnixFileDescriptor>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
// A client that opens at once keeps xdg-email waiting for as long as it
// runs; after this long the message counts as handed over.
constexpr int kHandOverMs = 3000;

bool isSandboxed()
{
    return QFile::exists(QStringLiteral("/.flatpak-info"));
}

QString attachmentDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/mail");
}

// Mail clients take an attachment's type from its file name, so a PNG
// travels with its extension whatever name the message gives it.
QString attachmentPath(const QString& dir, const MailComposer::Attachment& a)
{
    QString name = a.fileName.isEmpty() ? QStringLiteral("attachment") : a.fileName;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (a.mimeType == QLatin1String("image/png") && !name.endsWith(QLatin1String(".png")))
        name += QStringLiteral(".png");
    return QDir(dir).filePath(name);
}
} // namespace

MailComposer::MailComposer(QObject* parent) : ViewController(parent) {}
MailComposer::~MailComposer() = default;

void MailComposer::setMessageBody(const QString& body, bool isHTML)
{
    m_body = body;
    m_isHTML = isHTML;
}

void MailComposer::addAttachmentData(const QByteArray& data, const QString& mimeType,
                                     const QString& fileName)
{
    m_attachments.append({data, mimeType, fileName});
}

bool MailComposer::canSendMail()
{
    return isSandboxed() || SchemeHandlers::hasHandler(QStringLiteral("mailto"));
}

QString MailComposer::plainTextOf(const QString& html)
{
    static const QRegularExpression token(
        QStringLiteral("<\\s*(/?)\\s*([a-zA-Z0-9]+)([^>]*)>|&(#x[0-9a-fA-F]+|#[0-9]+|[a-zA-Z]+);"));
    static const QRegularExpression hrefAttr(
        QStringLiteral("\\bhref\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
        QRegularExpression::CaseInsensitiveOption);
    static const QHash<QString, QString> named{
        {QStringLiteral("amp"), QStringLiteral("&")},  {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},   {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")}, {QStringLiteral("nbsp"), QString(QChar(0xa0))}};
    auto decode = [](const QString& entity) -> QString {
        if (entity.startsWith(QLatin1String("#x")) || entity.startsWith(QLatin1String("#X"))) {
            bool ok = false;
            const uint code = entity.mid(2).toUInt(&ok, 16);
            return ok && QChar::isPrint(char32_t(code)) ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1) : QString();
        }
        if (entity.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const uint code = entity.mid(1).toUInt(&ok, 10);
            return ok && QChar::isPrint(char32_t(code)) ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1) : QString();
        }
        return named.value(entity, QLatin1Char('&') + entity + QLatin1Char(';'));
    };

    QString out;
    // Open anchors, innermost last: each with its address and where its text begins.
    struct Anchor {
        QString href;
        qsizetype textStart;
    };
    QList<Anchor> anchors;
    qsizetype pos = 0;
    auto it = token.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += html.mid(pos, m.capturedStart() - pos);
        pos = m.capturedEnd();
        if (m.capturedLength(4) > 0) {
            out += decode(m.captured(4));
            continue;
        }
        const bool closing = !m.captured(1).isEmpty();
        const QString tag = m.captured(2).toLower();
        if (tag == QLatin1String("br")) {
            out += QLatin1Char('\n');
        } else if ((tag == QLatin1String("p") || tag == QLatin1String("div")) && !closing) {
            if (!out.isEmpty() && !out.endsWith(QLatin1Char('\n')))
                out += QLatin1Char('\n');
        } else if (tag == QLatin1String("a") && !closing) {
            const QRegularExpressionMatch h = hrefAttr.match(m.captured(3));
            QString href;
            for (int i = 1; i <= 3 && h.hasMatch(); ++i)
                if (h.capturedLength(i) > 0)
                    href = h.captured(i);
            QString decoded;
            auto e = token.globalMatch(href);
            qsizetype hp = 0;
            while (e.hasNext()) {
                const QRegularExpressionMatch em = e.next();
                decoded += href.mid(hp, em.capturedStart() - hp);
                decoded += em.capturedLength(4) > 0 ? decode(em.captured(4)) : QString();
                hp = em.capturedEnd();
            }
            decoded += href.mid(hp);
            anchors.append({decoded.trimmed(), out.size()});
        } else if (tag == QLatin1String("a") && !anchors.isEmpty()) {
            const Anchor a = anchors.takeLast();
            const QString text = out.mid(a.textStart).trimmed();
            if (!a.href.isEmpty() && text != a.href)
                out += (text.isEmpty() ? QString() : QStringLiteral(" ")) + QLatin1Char('<') +
                       a.href + QLatin1Char('>');
        }
    }
    out += html.mid(pos);
    return out;
}

QStringList MailComposer::handOverCommand(const QString& attachmentDir) const
{
    QStringList args{QStringLiteral("--utf8"), QStringLiteral("--subject"), m_subject,
                     QStringLiteral("--body"), handedOverBody()};
    for (const Attachment& a : m_attachments)
        args << QStringLiteral("--attach") << attachmentPath(attachmentDir, a);
    return args;
}

QWidget* MailComposer::loadView()
{
    auto* view = new QWidget;
    view->setAutoFillBackground(true);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, QColor(20, 22, 26));
    palette.setColor(QPalette::WindowText, Qt::white);
    view->setPalette(palette);
    auto* layout = new QVBoxLayout(view);
    auto* label = new QLabel(Localization::translate("MailComposer", "Opening")
                                 .orDefault(QStringLiteral("Opening your mail client…")));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    layout->addWidget(label);
    return view;
}

void MailComposer::viewDidLoad()
{
    if (m_handedOver)
        return;
    m_handedOver = true;
    // The view loads when the sheet is presented; handing over starts after
    // the presentation, so the delegate may dismiss at once.
    QTimer::singleShot(0, this, &MailComposer::handOver);
}

void MailComposer::handOver()
{
    const QString dir = attachmentDirectory();
    QDir().mkpath(dir);
    for (const Attachment& a : m_attachments) {
        QFile file(attachmentPath(dir, a));
        if (!file.open(QIODevice::WriteOnly) || file.write(a.data) != a.data.size()) {
            finish(MailComposeResult::Failed, file.errorString());
            return;
        }
    }
    if (isSandboxed() && handOverThroughPortal(dir))
        return;

    // Owned by the application, not this sheet: the client may outlive it.
    // Its messages go straight to our stderr, where a terminal user sees them.
    auto* process = new QProcess(qApp);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            process->deleteLater();
    });
    // Reports go to this sheet only while it exists; the first one counts.
    auto* deadline = new QTimer(this);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [this] { finish(MailComposeResult::Sent, {}); });
    connect(process, &QProcess::finished, this, [this, deadline](int code) {
        deadline->stop();
        if (code == 0)
            finish(MailComposeResult::Sent, {});
        else
            finish(MailComposeResult::Failed, QStringLiteral("xdg-email exited with %1").arg(code));
    });
    connect(process, &QProcess::errorOccurred, this,
            [this, process, deadline](QProcess::ProcessError e) {
                if (e != QProcess::FailedToStart)
                    return;
                deadline->stop();
                finish(MailComposeResult::Failed, process->errorString());
            });
    process->start(QStringLiteral("xdg-email"), handOverCommand(dir));
    deadline->start(kHandOverMs);
}

bool MailComposer::handOverThroughPortal(const QString& dir)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Email"), QStringLiteral("ComposeEmail"));
    QList<QDBusUnixFileDescriptor> fds;
    for (const Attachment& a : m_attachments) {
        const int fd =
            ::open(QFile::encodeName(attachmentPath(dir, a)).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        fds.append(QDBusUnixFileDescriptor(fd));
        ::close(fd); // QDBusUnixFileDescriptor keeps its own duplicate
    }
    QVariantMap options{{QStringLiteral("subject"), m_subject}, {QStringLiteral("body"), handedOverBody()}};
    options.insert(QStringLiteral("attachment_fds"), QVariant::fromValue(fds));
    call << QString() << options;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        if (w->isError())
            finish(MailComposeResult::Failed, w->error().message());
        else
            finish(MailComposeResult::Sent, {});
    });
    return true;
}

void MailComposer::finish(MailComposeResult result, const QString& error)
{
    if (m_finished)
        return;
    m_finished = true;
    if (result == MailComposeResult::Failed)
        std::fprintf(stderr, "korvane: the mail client could not be opened: %s\n",
                     qPrintable(error));
    if (mailComposeDelegate)
        mailComposeDelegate->mailComposeController_didFinishWithResult(this, result, error);
}
