#pragma once

#include "MainView.h"

#include <QPointer>
#include <memory>

class TextureView;
namespace Ui {
class MainViewPad;
}

// The tablet gauge: the phone gauge's behaviour with its own layout for
// both orientations, a larger wheel and its own accuracy needle.
class MainViewPad : public MainView {
    Q_OBJECT
public:
    // Loads the tablet layout ("MainViewPad.ui").
    explicit MainViewPad(QWidget* parent = nullptr);
    ~MainViewPad() override;

    // The needles; its centre stays on the dial centre.
    NeedleContainer* m_speedElementsView = nullptr;
    // The maker's apps and the paid edition.
    QWidget* m_ZentrikAppsView = nullptr;
    // Info, settings and sharing.
    QWidget* m_ISView = nullptr;
    // The controller's ad panel, handed over once its view is loaded; the
    // gauge itself leaves it alone.
    QPointer<QWidget> m_adsShowDismissViewMainRef;

    // Places face, needles, title and panels for the application's
    // orientation; runs on every resize and when shown.
    void layoutSubviews();

    void touchesBegan(QPointF point) override;
    float touchAngleOnWheel(QPointF point) const override;
    float touchRadiusOnWheel(QPointF point) const override;
    void setViewInit() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::MainViewPad> m_ui;
    TextureView* m_backdropView = nullptr;
};
