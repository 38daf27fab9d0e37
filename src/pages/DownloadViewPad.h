#pragma once

#include <QWidget>

class QLabel;
namespace Ui {
class DownloadViewControllerPad;
}

// The more-apps page's view; the tablet's places its groups for the
// orientation.
class DownloadViewPhone : public QWidget {
    Q_OBJECT
public:
    explicit DownloadViewPhone(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class DownloadViewPad : public DownloadViewPhone {
    Q_OBJECT
public:
    explicit DownloadViewPad(QWidget* parent = nullptr);

    QWidget* m_top_apps_View = nullptr;
    QWidget* m_button_apps_View = nullptr;
    QLabel* m_top_of_top_apps_top_tittle_Label = nullptr;
    QLabel* m_top_of_top_apps_top_descrption_Label = nullptr;

    void bindOutlets(const Ui::DownloadViewControllerPad& form);
    // The paid edition's own box.
    void loadLocal();
    void layoutSubviews();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Only this view places these.
    QWidget* m_recomend_title_View = nullptr;
    QWidget* m_top_of_top_apps_View = nullptr;
    QWidget* m_zentrik_logo_link_View = nullptr;
};
