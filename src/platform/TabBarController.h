#pragma once

#include "TabBarItem.h"
#include "ViewController.h"

#include <QAbstractButton>
#include <QColor>
#include <QList>

class QStackedWidget;

// One tab of the bar.
class TabBarButton : public QAbstractButton {
    Q_OBJECT
public:
    TabBarButton(const TabBarItem& item, QWidget* parent);
    void setTintColor(const QColor& tint);
    const TabBarItem& item() const { return m_item; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TabBarItem m_item;
    QColor m_tint;
};

// The bar at the bottom of a tab bar controller.
class TabBar : public QWidget {
    Q_OBJECT
public:
    enum class BarStyle { Default, Black };
    static constexpr int kHeight = 49;

    explicit TabBar(QWidget* parent = nullptr);

    void setItems(const QList<TabBarItem>& items);
    TabBarButton* button(int index) const;
    int count() const { return int(m_buttons.size()); }

    void setTintColor(const QColor& tint);
    QColor tintColor() const { return m_tint; }
    void setTranslucent(bool translucent);
    bool isTranslucent() const { return m_translucent; }
    void setBarStyle(BarStyle style);
    BarStyle barStyle() const { return m_style; }

    void setSelectedIndex(int index);

signals:
    void tabSelected(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QList<TabBarButton*> m_buttons;
    QColor m_tint{0, 122, 255};
    bool m_translucent = false;
    BarStyle m_style = BarStyle::Default;
};

// Pages as tabs: the selected page fills the area above a tab bar at the
// bottom. Switching tabs is the container's own business.
class TabBarController : public ViewController {
    Q_OBJECT
public:
    explicit TabBarController(QObject* parent = nullptr);

    // Takes the pages, in tab order; each page's tabBarItem labels its tab.
    void setViewControllers(const QList<ViewController*>& controllers);
    QList<ViewController*> viewControllers() const { return m_controllers; }

    void setSelectedIndex(int index);
    int selectedIndex() const { return m_selected; }
    ViewController* selectedViewController() const { return m_controllers.value(m_selected); }

    TabBar* tabBar();

protected:
    QWidget* loadView() override;

private:
    void install();

    QList<ViewController*> m_controllers;
    int m_selected = 0;
    TabBar* m_tabBar = nullptr;
    QStackedWidget* m_stack = nullptr;
};
