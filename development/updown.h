#pragma once

#include <QWidget>

class QToolButton;

namespace dentivel {

// A vertical pair of arrows stepping a whole number between a minimum and a
// maximum, with no text of its own: the window decides what the value means.
class UpDown final : public QWidget {
    Q_OBJECT
    // Designer writes a form's properties in this order, and the code made
    // from the form sets them in it: the value comes after the limits, or a
    // designed value beyond the default ones would be cut to them.
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int singleStep READ singleStep WRITE setSingleStep)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged)

public:
    explicit UpDown(QWidget* parent = nullptr);

    int value() const { return m_value; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int singleStep() const { return m_step; }

    void setValue(int value);
    void setMinimum(int minimum);
    void setMaximum(int maximum);
    // A step below 1 would leave the arrows stuck or turned round: it is
    // refused, and the step stays as it was.
    void setSingleStep(int step);

    void stepUp() { stepBy(1); }
    void stepDown() { stepBy(-1); }

    QSize sizeHint() const override { return QSize(16, 25); }

Q_SIGNALS:
    // Only a real change is announced: an arrow pressed at its limit says nothing.
    void valueChanged(int value);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void stepBy(int steps);

    QToolButton* m_up;
    QToolButton* m_down;
    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 99;
    int m_step = 1;
};

} // namespace dentivel
