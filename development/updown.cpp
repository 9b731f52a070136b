#include "development/updown.h"

#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QToolButton>

#include <algorithm>

namespace dentivel {

namespace {

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(arrow == Qt::UpArrow ? QStringLiteral("up") : QStringLiteral("down"));
    button->setAccessibleName(name);
    button->setAutoRepeat(true);
    // The arrows are parts of this control, which takes the focus for them.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), m_up(makeArrow(this, Qt::UpArrow, QStringLiteral("Augmenter"))),
      m_down(makeArrow(this, Qt::DownArrow, QStringLiteral("Diminuer")))
{
    setFocusPolicy(Qt::TabFocus);
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setValue(int value)
{
    const int bounded = std::clamp(value, m_minimum, m_maximum);
    if (bounded == m_value)
        return;
    m_value = bounded;
    Q_EMIT valueChanged(m_value);
}

void UpDown::stepBy(int steps)
{
    // Worked out in 64 bits, so a step past the int range lands on the limit.
    const qint64 target = qint64(m_value) + qint64(steps) * m_step;
    setValue(int(std::clamp<qint64>(target, m_minimum, m_maximum)));
}

void UpDown::setMinimum(int minimum)
{
    m_minimum = minimum;
    m_maximum = std::max(m_maximum, minimum);
    setValue(m_value);
}

void UpDown::setMaximum(int maximum)
{
    m_maximum = maximum;
    m_minimum = std::min(m_minimum, maximum);
    setValue(m_value);
}

void UpDown::setSingleStep(int step)
{
    if (step >= 1)
        m_step = step;
}

void UpDown::resizeEvent(QResizeEvent*)
{
    // A one-pixel rim is left free for the focus mark.
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    const int half = inner.height() / 2;
    m_up->setGeometry(inner.x(), inner.y(), inner.width(), half);
    m_down->setGeometry(inner.x(), inner.y() + half, inner.width(), inner.height() - half);
}

void UpDown::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        stepUp();
    else if (event->key() == Qt::Key_Down)
        stepDown();
    else
        QWidget::keyPressEvent(event);
}

void UpDown::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

} // namespace dentivel
