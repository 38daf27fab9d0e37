#pragma once

#include "TabBarItem.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

// A screen: owns its view and presents other screens modally on top of it.
// A presented screen covers the presenter inside the same window and is
// released when dismissed.
class ViewController : public QObject {
    Q_OBJECT
public:
    enum class Transition { CoverVertical, FlipHorizontal };

    explicit ViewController(QObject* parent = nullptr);
    ~ViewController() override;

    // Loads the view on first use, then calls viewDidLoad.
    QWidget* view();
    bool isViewLoaded() const { return m_view != nullptr; }
    void setView(QWidget* view);

    // Takes ownership of the presented controller until it is dismissed.
    void presentViewController(ViewController* controller, bool animated);
    // Dismisses what this controller presents (or, called on the presented
    // one, itself).
    void dismissViewControllerAnimated(bool animated);
    ViewController* presentedViewController() const { return m_presented; }
    ViewController* presentingViewController() const { return m_presenting; }

    Transition modalTransitionStyle = Transition::CoverVertical;
    // What this screen shows on its tab inside a tab bar controller.
    TabBarItem tabBarItem;

    // Orientations the screen is laid out for; the stage decides the window's.
    virtual Qt::Orientations supportedInterfaceOrientations() const
    {
        return Qt::Horizontal | Qt::Vertical;
    }
    virtual bool shouldAutorotate() const { return true; }
    // Transitions take this long; presenting and dismissing never wait for them.
    static constexpr int kTransitionMs = 400;

protected:
    // Creates the view; the default is an empty widget.
    virtual QWidget* loadView();
    virtual void viewDidLoad() {}
    // Each time the view is about to show.
    virtual void viewWillAppear() {}
    // Escape reached the view unhandled; true when the screen took it.
    virtual bool escapePressed() { return false; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_view;
    QPointer<ViewController> m_presented;
    QPointer<ViewController> m_presenting;
};
