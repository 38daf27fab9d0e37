#pragma once

#include <QWidget>

class Button;
class Property;
class QLabel;
namespace Ui {
class SettingsViewControllerPhone;
class SettingsViewControllerPad;
} // namespace Ui

// The settings page's view: the unit row, the trip read-out with its reset,
// and the keys for the FAQ, Feedback and the maker's store page.
class SettingsViewPhone : public QWidget {
    Q_OBJECT
public:
    explicit SettingsViewPhone(QWidget* parent = nullptr);

    Button* m_unit_kmh_button = nullptr;
    Button* m_unit_mph_button = nullptr;
    Button* m_unit_knot_button = nullptr;
    Button* m_FAQ_button = nullptr;
    Button* m_Feedback_button = nullptr;
    QLabel* m_reset_Lable = nullptr;
    QLabel* m_dis_Unit_Lable = nullptr;
    QLabel* m_dist_Value_Lable = nullptr;
    Button* m_dist_reset_button = nullptr;
    Button* m_moreApps_button = nullptr;
    QLabel* m_unit_Title_Lable = nullptr;
    QLabel* m_dist_Title_Lable = nullptr;
    Property* m_prop = nullptr;

    // Binds the outlets from the phone's or the tablet's form and wires the
    // page's own keys.
    template <class Form> void bindOutlets(const Form& form);

    void setProperty(Property* store);
    void unite_kmh_button() { unitChange(0); }
    void unite_mph_button() { unitChange(1); }
    void unite_knot_button() { unitChange(2); }
    void unitChange(int32_t unit);
    void setUnitButtons();
    void setUniteTitles();
    void resetDistance();
    void moreAppsButtonAction();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_showingSelection = false; // checks set by setUnitButtons are no choice
};

// The tablet's view: the same controls on a panel that stays centred.
class SettingsViewPad : public SettingsViewPhone {
    Q_OBJECT
public:
    explicit SettingsViewPad(QWidget* parent = nullptr);

    QWidget* m_ViewTop_Left = nullptr;

    void layoutSubviews();
    // The tablet's fingerprint effect does nothing.
    void startFingerPrintEffectAnimation() {}
    bool stopFingerPrintEffectAnimation() { return true; }
    void fingerPrintEffectAnimationControllFunc() {}

protected:
    void resizeEvent(QResizeEvent* event) override;
};
