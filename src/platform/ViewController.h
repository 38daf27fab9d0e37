#pragma once

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

protected:
    // Creates the view; the default is an empty widget.
    virtual QWidget* loadView();
    virtual void viewDidLoad() {}

private:
    QPointer<QWidget> m_view;
    QPointer<ViewController> m_presented;
    QPointer<ViewController> m_presenting;
};
