#pragma once

#include <QPoint>
#include <QProcess>
#include <QString>

// A private X server (Xvfb) for tests that drive the real app's window from
// the outside, the way a user's mouse would, with xdotool.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();

    // Empty when the server could not be started; error() says why.
    QString name() const { return m_name; }
    QString error() const { return m_error; }

    // Clicks the left button at `at` (window coordinates) in the first
    // visible top-level window titled exactly `title`, waiting for it to
    // appear. False, with error() set, when that fails.
    bool click(const QString& title, QPoint at);

private:
    QProcess m_server;
    QString m_name;
    QString m_error;
};
