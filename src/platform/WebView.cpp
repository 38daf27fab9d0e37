#include "WebView.h"

#include "StageAccessibility.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

#include <cstdio>

namespace {

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
    const QStringList candidates = WebView::moduleCandidates();
    for (const QString& path : candidates) {
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
                 qPrintable(errors.isEmpty() ? QStringLiteral("browser module not found at %1")
                                                               .arg(candidates.join(QStringLiteral(" or ")))
                                             : errors));
    return nullptr;
}

} // namespace

QStringList WebView::moduleCandidates()
{
    // Never a path fixed at build time: a copied or packaged binary would
    // load whatever file lay there (for a build under /tmp, anyone's).
    const QString chosen = qEnvironmentVariable(kModuleVariable);
    if (!chosen.isEmpty())
        return {QFileInfo(chosen).absoluteFilePath()}; // never a library search path
    const QDir app(QCoreApplication::applicationDirPath());
    return {app.filePath(QStringLiteral("../" KORVANE_INSTALL_LIBDIR "/korvane/korvane_webengine.so")),
            app.filePath(QStringLiteral("korvane_webengine.so"))};
}

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
