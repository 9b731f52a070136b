#include "table/column_label.h"

#include <QPainter>
#include <QRegularExpression>

namespace dentivel {

ColumnLabel::ColumnLabel(QWidget* parent) : QLabel(parent) {}

QStringList ColumnLabel::items() const
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text().split(blanks, Qt::SkipEmptyParts);
}

QRect ColumnLabel::itemRect(int index) const
{
    const QStringList all = items();
    if (index < 0 || index >= all.size())
        return {};
    const QRect area = contentsRect();
    const int left = area.left() + area.width() * index / int(all.size());
    const int right = area.left() + area.width() * (index + 1) / int(all.size());
    const QFontMetrics metrics = fontMetrics();
    const int width = metrics.horizontalAdvance(all.at(index));
    return {left + (right - left - width) / 2, area.top(), width, metrics.height()};
}

void ColumnLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QStringList all = items();
    for (int i = 0; i < all.size(); ++i)
        painter.drawText(itemRect(i), Qt::AlignLeft | Qt::AlignTop, all.at(i));
}

} // namespace dentivel
