#include "test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace dentivel;

namespace {

using test::kEnglish;
using test::kFrench;
const QString kHeading = QStringLiteral("Votre cadence de pédalage est de :");

struct CadenceWindow {
    explicit CadenceWindow(const QLocale& locale = kEnglish) : program(locale)
    {
        window = program.windows.show(WindowName::Form4);
    }

    template <typename W> W* find(const char* name) const
    {
        return window->findChild<W*>(QLatin1String(name));
    }

    void calculate(const QString& speed, const QString& chainring, const QString& sprocket)
    {
        find<QLineEdit>("Text1")->setText(speed);
        find<QComboBox>("Combo1")->setEditText(chainring);
        find<QComboBox>("Combo3")->setEditText(sprocket);
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
    }

    test::TestProgram program;
    QWidget* window = nullptr;
};

} // namespace

class TestCadence : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void opensWithDesignedContents()
    {
        CadenceWindow form;
        QCOMPARE(form.window->windowTitle(), QStringLiteral("Fréquence de pédalage"));
        QCOMPARE(form.window->size(), QSize(248, 290));
        QVERIFY(!(form.window->windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(form.window->focusWidget(), form.find<QLineEdit>("Text1"));
        QCOMPARE(form.find<QComboBox>("Combo1")->count(), 20);
        QCOMPARE(form.find<QComboBox>("Combo1")->itemText(8), QStringLiteral("42"));
        QCOMPARE(form.find<QComboBox>("Combo3")->count(), 17);
        QCOMPARE(form.find<QLabel>("Label5")->text(), QString());
        QCOMPARE(form.find<QLabel>("Label6")->text(), QString());
        QCOMPARE(form.find<QLabel>("Label1")->font().pointSizeF(), 9.75);
        QCOMPARE(form.find<QLabel>("Label6")->palette().color(QPalette::WindowText),
                 QColor(0, 0, 255));
        for (const char* decoration : {"Command5", "Command4_0", "Command4_1"})
            QVERIFY(!form.find<QPushButton>(decoration)->isEnabled());
    }

    void calculation_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("chainring");
        QTest::addColumn<QString>("sprocket");
        QTest::addColumn<QString>("cadence");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("prompt");
        const QString kept = QStringLiteral("earlier");
        const QString high = QStringLiteral("'ttention !");
        const QString low = QStringLiteral("ça monte dur !");
        const QString incomplete = QStringLiteral("Non mais !");
        const QString incompletePrompt =
            QStringLiteral("Vous ne voulez pas en plus que je devine ? Complètez !");
        const QString highPrompt = QStringLiteral(
            " rpm ! T'es pas fous! Tu te mets dans le rouge ! Change de braquet : tombe les "
            "dents ou monte sur la plaque. Au dessus de 130, tu ressembles à une mobylette (mets "
            "plus gros)");
        const QString lowPrompt =
            QStringLiteral(" rpm : Vous êtes dans un mur ? Changer de braquet "
                           "pour approcher 50/60 rpm si possible ou marchez un peu !");
        auto row = [](const char* name, const QLocale& locale, const char* speed,
                      const char* chainring, const char* sprocket, const QString& cadence,
                      const QString& title = {}, const QString& prompt = {}) {
            QTest::newRow(name) << locale << QString::fromUtf8(speed)
                                << QString::fromUtf8(chainring) << QString::fromUtf8(sprocket)
                                << cadence << title << prompt;
        };
        row("30 on 52x17", kEnglish, "30", "52", "17", "78 rpm");
        row("fr 30 on 52x17", kFrench, "30", "52", "17", "78 rpm");
        row("50 on 39x21 too high", kEnglish, "50", "39", "21", "214 rpm", high,
            "214" + highPrompt);
        row("5 on 53x13 too low", kEnglish, "5", "53", "13", "10 rpm", low, "10" + lowPrompt);
        row("12 on 53x13 not crawling", kEnglish, "12", "53", "13", "23 rpm");
        row("shows 120, no warning", kEnglish, "15.1704", "50", "50", "120 rpm");
        row("shows 121, warning", kEnglish, "15.1956", "50", "50", "121 rpm", high,
            "121" + highPrompt);
        row("shows 40, no warning", kEnglish, "4.9896", "50", "50", "40 rpm");
        row("shows 39, warning", kEnglish, "4.9644", "50", "50", "39 rpm", low, "39" + lowPrompt);
        row("fr shows 39, warning", kFrench, "4.9644", "50", "50", "39 rpm", low, "39" + lowPrompt);
        row("negative speed", kEnglish, "-20", "50", "20", "-63 rpm", low, "-63" + lowPrompt);
        row("typed chainring off the list", kEnglish, "30", "55", "17", "74 rpm");
        row("speed empty", kEnglish, "", "52", "17", kept, incomplete, incompletePrompt);
        row("speed zero", kEnglish, "0", "52", "17", kept, incomplete, incompletePrompt);
        row("speed in letters", kEnglish, "vite", "52", "17", kept, incomplete, incompletePrompt);
        row("speed with comma reads 0", kFrench, "0,5", "52", "17", kept, incomplete,
            incompletePrompt);
        row("both lists empty", kEnglish, "20", "", "", kept, incomplete, incompletePrompt);
        row("sprocket empty", kEnglish, "20", "50", "", kept);
        row("chainring empty", kEnglish, "20", "", "17", kept);
        row("speed beyond range", kEnglish, "1e400", "52", "17", kept, incomplete,
            incompletePrompt);
        row("metres beyond range", kEnglish, "1e306", "52", "17", kept, incomplete,
            incompletePrompt);
    }

    void calculation()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, speed);
        QFETCH(QString, chainring);
        QFETCH(QString, sprocket);
        QFETCH(QString, cadence);
        QFETCH(QString, title);
        QFETCH(QString, prompt);
        CadenceWindow form(locale);
        form.find<QLabel>("Label5")->setText(QStringLiteral("earlier"));
        form.find<QLabel>("Label6")->setText(QStringLiteral("earlier"));
        form.calculate(speed, chainring, sprocket);
        QCOMPARE(form.find<QLabel>("Label6")->text(), cadence);
        QCOMPARE(form.find<QLabel>("Label5")->text(),
                 cadence == QStringLiteral("earlier") ? cadence : kHeading);
        const auto& shown = form.program.messages.shown;
        QCOMPARE(shown.size(), std::size_t(title.isEmpty() ? 0 : 1));
        if (!title.isEmpty()) {
            QCOMPARE(shown.front().title, title);
            QCOMPARE(shown.front().prompt, prompt);
            QCOMPARE(shown.front().buttons, MessageButtons::Ok);
            QCOMPARE(shown.front().icon, title == QStringLiteral("'ttention !")
                                             ? MessageIcon::Critical
                                             : MessageIcon::Exclamation);
        }
    }

    void buttonsNavigate()
    {
        CadenceWindow form;
        auto* infos = form.find<QPushButton>("Command3");
        QTest::mouseClick(infos, Qt::LeftButton);
        QWidget* example = form.program.windows.instance(WindowName::Form5);
        QVERIFY(example && example->isVisible());
        QTest::mouseClick(infos, Qt::LeftButton);
        QCOMPARE(form.program.windows.instance(WindowName::Form5), example);

        QTest::mouseClick(form.find<QPushButton>("Command2"), Qt::LeftButton); // Fermer
        test::settle();
        QCOMPARE(form.program.windows.loadedWindows(), QStringList{QStringLiteral("Form5")});
        QVERIFY(example->isVisible());
        QCOMPARE(form.program.endCount, 0);

        QTest::mouseClick(example->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        test::settle();
        QVERIFY(form.program.windows.loadedWindows().isEmpty());
        QCOMPARE(form.program.endCount, 1);
    }

    void exampleWindowShowsItsTable()
    {
        test::TestProgram program;
        QWidget* example = program.windows.show(WindowName::Form5);
        QCOMPARE(example->windowTitle(), QStringLiteral("Exemple"));
        QVERIFY(example->windowFlags() & Qt::WindowMaximizeButtonHint);
        auto text = [&](const QString& name) { return example->findChild<QLabel*>(name)->text(); };
        QCOMPARE(
            text(QStringLiteral("Label1")),
            QStringLiteral("Pour vous éclairer, sachez que pour respecter seulement 75 /min :"));
        QCOMPARE(text(QStringLiteral("Label2")), QStringLiteral("Sivous grimpez à : "));
        QCOMPARE(text(QStringLiteral("Label3")),
                 QStringLiteral("Votre braquet ne devra pas dépasser : "));
        // Rows from top to bottom: the speed label's index, its text, the gear.
        const struct {
            int speedIndex;
            const char* speed;
            const char* gear;
        } rows[] = {{0, "14 km/h", "32 X 21     ou équivalent"},
                    {6, "13 km/h", "32 X 22     \""},
                    {5, "12 km/h", "32 X 24     \""},
                    {4, "11 km/h", "30 X 24     \""},
                    {3, "10 km/h", "30 X 27     \""},
                    {2, "9 km/h", "30 X 30     \""},
                    {1, "8 km/h", "30 X 32     \""}};
        int previousTop = 0;
        for (int gearIndex = 0; gearIndex < 7; ++gearIndex) {
            auto* speed = example->findChild<QLabel*>(
                QStringLiteral("Label4_%1").arg(rows[gearIndex].speedIndex));
            auto* gear = example->findChild<QLabel*>(QStringLiteral("Label5_%1").arg(gearIndex));
            QCOMPARE(speed->text(), QString::fromUtf8(rows[gearIndex].speed));
            QCOMPARE(gear->text(), QString::fromUtf8(rows[gearIndex].gear));
            QCOMPARE(speed->y(), gear->y());
            QVERIFY(speed->y() > previousTop);
            previousTop = speed->y();
        }
        // Only "Ok" takes the focus; enlarging the window moves nothing.
        auto* ok = example->findChild<QPushButton*>(QStringLiteral("Command1"));
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QCOMPARE(example->focusWidget(), ok);
        const QRect before = ok->geometry();
        example->resize(600, 600);
        QCOMPARE(ok->geometry(), before);
    }
};

DENTIVEL_TEST_MAIN(TestCadence)
#include "test_cadence.moc"
