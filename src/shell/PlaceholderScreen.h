#pragma once

#include "ViewController.h"

#include <functional>

// NOT YET BUILT: stands in for the page container (info, settings, more
// apps) and the paid-edition tour until those screens exist. It shows the
// screen's name and a Done button that closes it through the controller,
// so the navigation around the gauge already works end to end.
class PlaceholderScreen : public ViewController {
    Q_OBJECT
public:
    PlaceholderScreen(const QString& title, std::function<void(QObject*)> done);
    QString title() const { return m_title; }
    void done();

protected:
    QWidget* loadView() override;

private:
    QString m_title;
    std::function<void(QObject*)> m_done;
};
