#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

class AlertView;

class AlertViewDelegate {
public:
    virtual ~AlertViewDelegate() = default;
    virtual void alertView_clickedButtonAtIndex(AlertView*, int) {}
    virtual void alertView_didDismissWithButtonIndex(AlertView*, int) {}
    virtual void willPresentAlertView(AlertView*) {}
};

// A modal alert drawn inside the main window. Button 0 is the cancel button
// when there is one, the other buttons follow in order. Without a window
// (headless runs) the alert is written to stderr and waits for a programmatic
// answer.
class AlertView : public QWidget {
    Q_OBJECT
public:
    AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
              const QString& cancelButtonTitle, const QStringList& otherButtonTitles = {});
    ~AlertView() override;

    QString title() const { return m_title; }
    QString message() const { return m_message; }
    int numberOfButtons() const { return int(m_buttons.size()); }
    QString buttonTitleAtIndex(int index) const { return m_buttons.value(index); }
    int cancelButtonIndex() const { return m_cancelIndex; }
    bool isVisibleAlert() const { return m_shown; }
    AlertViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(AlertViewDelegate* d) { m_delegate = d; }

    void show();
    // Answers as if the user pressed the button; the alert goes away.
    void dismissWithClickedButtonIndex(int index, bool animated = true);

    // Alerts currently shown, oldest first.
    static QList<AlertView*> visibleAlerts();
    // Window that hosts alerts; none means headless.
    static void setHostWindow(QWidget* window);
    // Told of every alert as it is shown, so a run without a screen can
    // report it; none by default.
    static void setShowObserver(std::function<void(const AlertView&)> observer);

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutInHost();

    QString m_title;
    QString m_message;
    QStringList m_buttons;
    int m_cancelIndex = -1;
    AlertViewDelegate* m_delegate;
    bool m_shown = false;
    QWidget* m_panel = nullptr;
};
