#pragma once

#include <QStringList>
#include <QWidget>

class Button;

// A row of segments of which at most one is selected. Choosing a segment
// emits valueChanged; setting the selection in code does not, as on the
// handheld toolkit.
class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNoSegment = -1;

    explicit SegmentedControl(QWidget* parent = nullptr);

    void setTitles(const QStringList& titles);
    int numberOfSegments() const { return int(m_segments.size()); }
    Button* segment(int index) const { return m_segments.value(index); }

    int selectedSegmentIndex() const { return m_selected; }
    void setSelectedSegmentIndex(int index);

signals:
    void valueChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QList<Button*> m_segments;
    int m_selected = kNoSegment;
};
