#include "SegmentedControl.h"

#include "Button.h"

namespace {
constexpr int kSegmentCap = 11;

const char* backgroundName(int index, int count, bool on)
{
    if (index == 0)
        return on ? "multi_left_buttom_background_on_img.png" : "multi_left_buttom_background_img.png";
    if (index == count - 1)
        return on ? "multi_right_buttom_background_on_img.png"
                  : "multi_right_buttom_background_img.png";
    return on ? "multi_middle_buttom_background_on_img.png" : "multi_middle_buttom_background_img.png";
}
} // namespace

SegmentedControl::SegmentedControl(QWidget* parent) : QWidget(parent) {}

void SegmentedControl::setTitles(const QStringList& titles)
{
    qDeleteAll(m_segments);
    m_segments.clear();
    m_selected = kNoSegment;
    for (int i = 0; i < titles.size(); ++i) {
        auto* b = new Button(this);
        b->setText(titles[i]);
        b->setBackgroundImage(QLatin1String(backgroundName(i, int(titles.size()), false)),
                              kSegmentCap, kSegmentCap);
        b->setBackgroundImage(QLatin1String(backgroundName(i, int(titles.size()), true)),
                              kSegmentCap, kSegmentCap, Button::State::Selected);
        b->setTitleColor(QColor(176, 180, 188));
        b->setTitleColor(Qt::white, Button::State::Selected);
        connect(b, &QAbstractButton::clicked, this, [this, i] {
            setSelectedSegmentIndex(i);
            emit valueChanged();
        });
        b->show();
        m_segments.append(b);
    }
    resizeEvent(nullptr);
}

void SegmentedControl::setSelectedSegmentIndex(int index)
{
    m_selected = index >= 0 && index < m_segments.size() ? index : kNoSegment;
    for (int i = 0; i < m_segments.size(); ++i)
        m_segments[i]->setSelected(i == m_selected);
}

void SegmentedControl::resizeEvent(QResizeEvent*)
{
    const int n = int(m_segments.size());
    for (int i = 0; i < n; ++i) {
        // Neighbours overlap by one point so their edges meet without a seam.
        const int x0 = width() * i / n;
        const int x1 = width() * (i + 1) / n;
        m_segments[i]->setGeometry(x0, 0, x1 - x0 + (i < n - 1 ? 1 : 0), height());
    }
}
