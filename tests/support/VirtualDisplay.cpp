#include "VirtualDisplay.h"

#include <QRegularExpression>
#include <QStandardPaths>

namespace {
constexpr int kStartWaitMs = 30000;
constexpr int kToolWaitMs = 60000;
} // namespace

VirtualDisplay::VirtualDisplay()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        m_error = QStringLiteral("Xvfb is not installed (scripts/install-deps installs it)");
        return;
    }
    // The server picks a free display itself and writes its number to the
    // given descriptor once it accepts connections.
    m_server.setProgram(xvfb);
    m_server.setArguments({"-displayfd", "1", "-screen", "0", "1024x768x24", "-dpi", "96",
                           "-nolisten", "tcp",
                           // A client that comes and goes (the accessibility bus launcher) must
                           // not reset the server under the next one.
                           "-noreset"});
    m_server.setProcessChannelMode(QProcess::SeparateChannels);
    m_server.start();
    if (!m_server.waitForStarted(kStartWaitMs)) {
        m_error = QStringLiteral("Xvfb did not start: %1").arg(m_server.errorString());
        return;
    }
    QByteArray out;
    while (!out.contains('\n')) {
        if (!m_server.waitForReadyRead(kStartWaitMs)) {
            m_error = QStringLiteral("Xvfb named no display: %1")
                          .arg(QString::fromLocal8Bit(m_server.readAllStandardError()));
            return;
        }
        out += m_server.readAllStandardOutput();
    }
    m_name = u':' + QString::fromLatin1(out.trimmed());
}

VirtualDisplay::~VirtualDisplay()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(kStartWaitMs))
        m_server.kill();
    m_server.waitForFinished(kStartWaitMs);
}

bool VirtualDisplay::click(const QString& title, QPoint at)
{
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty()) {
        m_error = QStringLiteral("xdotool is not installed (scripts/install-deps installs it)");
        return false;
    }
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_name);
    tool.setProcessEnvironment(env);
    tool.start(xdotool, {"search", "--sync", "--onlyvisible", "--name",
                         u'^' + QRegularExpression::escape(title) + u'$', "mousemove", "--window",
                         "%1", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    if (!tool.waitForFinished(kToolWaitMs) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        m_error = QStringLiteral("xdotool failed: %1")
                      .arg(QString::fromLocal8Bit(tool.readAllStandardError()));
        if (tool.state() != QProcess::NotRunning) {
            tool.kill();
            tool.waitForFinished();
        }
        return false;
    }
    return true;
}
