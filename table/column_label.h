#pragma once

#include <QLabel>
#include <QStringList>

namespace dentivel {

// A label whose caption is a row of items separated by blanks. Each item is
// drawn centred in its own equal share of the width, so rows of the same
// width and item count line up in columns whatever the widths of the font's
// characters; the caption itself stays the text it was designed with.
class ColumnLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ColumnLabel(QWidget* parent = nullptr);

    QStringList items() const;
    // Where an item is drawn, in the label's coordinates.
    QRect itemRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace dentivel
