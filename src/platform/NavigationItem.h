#pragma once

#include <QWidget>

class Button;
class QLabel;

// A page's title bar: the title in the middle and a Done button on the right.
class NavigationItem : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
public:
    static constexpr int kHeight = 44;

    explicit NavigationItem(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const;
    // The bar's right button; its caption is "Done" unless changed.
    Button* doneButton() const { return m_done; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The bar spans its page's width, whatever the orientation.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fitTitle();

    QLabel* m_title = nullptr;
    Button* m_done = nullptr;
};
