#include "WebView.h"

#include "StageAccessibility.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QStringList>

#include <cstdio>

namespace {

// Installed beside the other libraries; in a build tree beside the targets.
QStringList moduleCandidates()
{
    const QString app = QCoreApplication::applicationDirPath();
    return {QDir(app).filePath(QStringLiteral("../" KORVANE_INSTALL_LIBDIR
                                              "/korvane/korvane_webengine.so")),
            QStringLiteral(KORVANE_WEBENGINE_BUILD_PATH)};
}

QtMessageHandler s_previousHandler = nullptr;

// The engine's notices that it was loaded late and renders without a shared
// GL context: the app does both on purpose (see main.cpp), so they are no
// news to the user. Some come as the module loads, so the filter is set
// before it; everything else passes on.
void quietEngineNotices(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    static const char* const known[] = {"Qt WebEngine seems to be initialized from a plugin",
                                        "WebEngineContext used before",
                                        "No suitable graphics backend found"};
    for (const char* notice : known)
        if (text.startsWith(QLatin1String(notice)))
            return;
    if (s_previousHandler)
        s_previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

KorvaneCreateWebView s_create = nullptr;
bool s_tried = false;

KorvaneCreateWebView factory()
{
    if (s_tried)
        return s_create;
    s_tried = true;
    s_previousHandler = qInstallMessageHandler(quietEngineNotices);
    QString errors;
    for (const QString& path : moduleCandidates()) {
        if (!QFile::exists(path))
            continue;
        QLibrary library(path);
        if (auto f = reinterpret_cast<KorvaneCreateWebView>(
                library.resolve("korvane_create_web_view"))) {
            s_create = f;
            return s_create;
        }
        errors = library.errorString();
    }
    std::fprintf(stderr, "korvane: web pages are unavailable: %s\n",
                 qPrintable(errors.isEmpty() ? QStringLiteral("browser module not installed")
                                             : errors));
    return nullptr;
}

} // namespace

WebView* WebView::create(WebViewDelegate* delegate, QWidget* parent)
{
    KorvaneCreateWebView f = factory();
    WebView* view = f ? f(delegate, parent) : nullptr;
    // The engine's view installs an accessibility factory of its own, which
    // would answer before ours and report the view at its size in points.
    if (view)
        StageAccessibility::install();
    return view;
}

bool WebView::engineLoaded()
{
    return s_create != nullptr;
}
