#include "shell/gearing.h"
#include "table/column_label.h"
#include "table/form2.h"
#include "tests/support/test_support.h"

#include <QPushButton>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;

const int kChainrings[] = {28, 30, 32, 34, 38, 39, 42, 46, 48, 49, 50, 51, 52};
const int kSprockets[] = {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 28, 30};

// chainring / sprocket x the metres per pedal turn, in hundredths, worked out
// in whole numbers so it is exact, a half rounded up; always a comma and two
// decimals, whatever the user's locale.
QString development(int chainring, int sprocket)
{
    constexpr int centimetresPerTurn = int(kMetresPerTurn * 100 + 0.5);
    const int hundredths = (2 * chainring * centimetresPerTurn + sprocket) / (2 * sprocket);
    return QStringLiteral("%1,%2")
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

// The table as the window shows it: cells are found by their row number and
// by the sprocket above them, not by the names of the controls.
struct Table {
    explicit Table(const QLocale& locale) : program(locale)
    {
        window = program.show<Form2>(WindowName::Form2);
        header = window->findChild<ColumnLabel*>(QStringLiteral("Label43"));
    }

    QLabel* rowNumber(int chainring) const
    {
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->x() < header->x() && label->text() == QString::number(chainring))
                return label;
        }
        return nullptr;
    }

    ColumnLabel* line(int chainring) const
    {
        const QLabel* number = rowNumber(chainring);
        for (ColumnLabel* label : window->findChildren<ColumnLabel*>()) {
            if (number && label != header && label->y() == number->y())
                return label;
        }
        return nullptr;
    }

    test::TestProgram program;
    Form2* window = nullptr;
    ColumnLabel* header = nullptr;
};

QColor background(const QWidget* widget)
{
    return widget->autoFillBackground() ? widget->palette().color(QPalette::Window) : QColor();
}

} // namespace

class TestTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void everyCell_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("chainring");
        QTest::addColumn<int>("sprocket");
        QTest::addColumn<QString>("expected");
        for (const auto& [tag, locale] : {std::pair{"en", kEnglish}, std::pair{"fr", kFrench}}) {
            for (int chainring : kChainrings) {
                for (int sprocket : kSprockets) {
                    QTest::addRow("%s %d/%d", tag, chainring, sprocket)
                        << locale << chainring << sprocket << development(chainring, sprocket);
                }
            }
        }
        // The two halves the table must round upwards, spelled out.
        QTest::newRow("fr 52/16 is 6.825") << kFrench << 52 << 16 << QStringLiteral("6,83");
        QTest::newRow("fr 50/24 is 4.375") << kFrench << 50 << 24 << QStringLiteral("4,38");
    }

    // Each value stands in the line of its chainring, in the column of its
    // sprocket, and is drawn under that sprocket's number.
    void everyCell()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, chainring);
        QFETCH(int, sprocket);
        QFETCH(QString, expected);
        Table table(locale);
        const int column = int(table.header->items().indexOf(QString::number(sprocket)));
        QVERIFY(column >= 0);
        const ColumnLabel* line = table.line(chainring);
        QVERIFY(line);
        QCOMPARE(line->items().size(), qsizetype(16));
        QCOMPARE(line->items().at(column), expected);

        const QRect value = line->itemRect(column).translated(line->pos());
        const QRect number = table.header->itemRect(column).translated(table.header->pos());
        QVERIFY2(qAbs(value.center().x() - number.center().x()) <= 1,
                 qPrintable(QStringLiteral("value at %1, sprocket at %2")
                                .arg(value.center().x())
                                .arg(number.center().x())));
        QVERIFY(line->geometry().contains(value));
        // Clear of its neighbours, so no two values run together.
        if (column > 0)
            QVERIFY(line->itemRect(column - 1).right() < line->itemRect(column).left());
        if (column < 15)
            QVERIFY(line->itemRect(column).right() < line->itemRect(column + 1).left());
    }

    // Nothing beyond the 13 x 16 values: no stray line, header or cell.
    void tableHoldsExactlyItsCells()
    {
        Table table(kFrench);
        QStringList sprockets;
        for (int sprocket : kSprockets)
            sprockets << QString::number(sprocket);
        QCOMPARE(table.header->items(), sprockets);
        int cells = 0;
        for (const ColumnLabel* line : table.window->findChildren<ColumnLabel*>()) {
            if (line != table.header)
                cells += int(line->items().size());
        }
        QCOMPARE(cells, 208);
    }

    void linesAlternateCyanAndWhite()
    {
        Table table(kEnglish);
        const QColor face = table.window->palette().color(QPalette::Button);
        QCOMPARE(background(table.window), QColor(Qt::white));
        QCOMPARE(background(table.header), face);
        for (int row = 0; row < 13; ++row) {
            const int chainring = kChainrings[row];
            QVERIFY(table.line(chainring));
            QCOMPARE(background(table.line(chainring)),
                     row % 2 == 0 ? QColor(0, 255, 255) : QColor(255, 255, 255));
            QCOMPARE(background(table.rowNumber(chainring)), face);
            // One line every 16 pixels, from the top of the first.
            QCOMPARE(table.line(chainring)->y(), 32 + 16 * row);
        }
    }

    void windowAsDesigned()
    {
        Table table(kEnglish);
        QWidget* window = table.window;
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Table des developpements. roues de 700, (/) 2.10"));
        QCOMPARE(window->size(), QSize(595, 310));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->windowType(), Qt::Window);
        QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        auto* button = window->findChild<QPushButton*>(QStringLiteral("Command1"));
        QCOMPARE(button->text(), QStringLiteral("Pour les pinailleurs..."));
        // The button is the only control that takes the focus.
        for (const QWidget* child : window->findChildren<QWidget*>())
            QCOMPARE(bool(child->focusPolicy() & Qt::TabFocus), child == button);
        // The row numbers carry the names of the design, in its order.
        const char* names[] = {"Label13", "Label3",  "Label1", "Label2", "Label4",
                               "Label5",  "Label6",  "Label7", "Label8", "Label9",
                               "Label10", "Label11", "Label12"};
        for (int row = 0; row < 13; ++row)
            QCOMPARE(table.rowNumber(kChainrings[row])->objectName(), QLatin1String(names[row]));
    }
};

DENTIVEL_TEST_MAIN(TestTable)
#include "test_table.moc"
