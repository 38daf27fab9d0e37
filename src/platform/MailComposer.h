#pragma once

#include "ViewController.h"

#include <QByteArray>
#include <QList>
#include <QString>

class MailComposer;

enum class MailComposeResult { Cancelled, Saved, Sent, Failed };

class MailComposeViewControllerDelegate {
public:
    virtual ~MailComposeViewControllerDelegate() = default;
    virtual void mailComposeController_didFinishWithResult(MailComposer* controller,
                                                           MailComposeResult result,
                                                           const QString& error) = 0;
};

// A message for the user's own mail client. Presented, it shows a short
// "opening your mail client" sheet while it hands subject, body and
// attachments over (the desktop portal when sandboxed, else xdg-email), then
// reports to its delegate, which dismisses it.
class MailComposer : public ViewController {
    Q_OBJECT
public:
    struct Attachment {
        QByteArray data;
        QString mimeType;
        QString fileName;
    };

    explicit MailComposer(QObject* parent = nullptr);
    ~MailComposer() override;

    MailComposeViewControllerDelegate* mailComposeDelegate = nullptr;

    void setSubject(const QString& subject) { m_subject = subject; }
    void setMessageBody(const QString& body, bool isHTML);
    void addAttachmentData(const QByteArray& data, const QString& mimeType,
                           const QString& fileName);

    QString subject() const { return m_subject; }
    QString messageBody() const { return m_body; }
    bool isHTML() const { return m_isHTML; }
    const QList<Attachment>& attachments() const { return m_attachments; }

    // Whether a mail client is configured (a mailto handler, or the portal),
    // as the desktop last answered in the background.
    static bool canSendMail();

    // Mail clients reached through a mailto link or the portal take plain
    // text (RFC 6068): line breaks for <br> and paragraphs, a link as its
    // text and <address>, entities decoded, no tags.
    static QString plainTextOf(const QString& html);
    // The body as it is handed to the mail client.
    QString handedOverBody() const { return m_isHTML ? plainTextOf(m_body) : m_body; }

    // The command that hands the message over (xdg-email and its arguments),
    // with each attachment written to `attachmentDir`.
    QStringList handOverCommand(const QString& attachmentDir) const;

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;

private:
    void handOver();
    void finish(MailComposeResult result, const QString& error);
    bool handOverThroughPortal(const QString& attachmentDir);

    QString m_subject;
    QString m_body;
    bool m_isHTML = false;
    QList<Attachment> m_attachments;
    bool m_handedOver = false;
    bool m_finished = false;
};
