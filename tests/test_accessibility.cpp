#include "main_window/form1.h"
#include "shell/qt_message_service.h"
#include "tests/support/test_support.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

using namespace dentivel;

namespace {

QString nameOf(QAccessibleInterface* node)
{
    return node->text(QAccessible::Name);
}

// The texts of the labels a screen reader announces with this node.
QStringList labelsOf(QAccessibleInterface* node)
{
    QStringList texts;
    const auto relations = node->relations(QAccessible::Label);
    for (const auto& relation : relations)
        texts << nameOf(relation.first).trimmed();
    return texts;
}

// Walks the tree below `node`, checking that parent and child agree, and
// collects every node met.
void walk(QAccessibleInterface* node, QList<QAccessibleInterface*>& seen, QStringList& faults)
{
    seen << node;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child || !child->isValid()) {
            faults << QStringLiteral("child %1 of '%2' is invalid").arg(i).arg(nameOf(node));
            continue;
        }
        if (child->parent() != node || node->indexOfChild(child) != i)
            faults << QStringLiteral("'%1' does not lead back to '%2'")
                          .arg(nameOf(child), nameOf(node));
        walk(child, seen, faults);
    }
}

QString describe(QObject* object)
{
    return object ? object->objectName() : QStringLiteral("?");
}

// Every input announced with its caption, every button and window with a
// name, and every label read out as the very text it shows.
QStringList accessibilityFaults(QWidget* window)
{
    QStringList faults;
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
    if (!root)
        return {QStringLiteral("no accessible interface")};
    if (nameOf(root) != window->windowTitle())
        faults << QStringLiteral("window named '%1'").arg(nameOf(root));
    QList<QAccessibleInterface*> nodes;
    walk(root, nodes, faults);

    for (QAccessibleInterface* node : nodes) {
        QWidget* widget = qobject_cast<QWidget*>(node->object());
        if (!widget || !widget->isVisible())
            continue;
        const QString name = nameOf(node);
        switch (node->role()) {
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::SpinBox: {
            // A combo box's own line edit is announced with the combo box.
            if (qobject_cast<QComboBox*>(widget->parentWidget()))
                break;
            const QStringList labels = labelsOf(node);
            // The second half of a gear shares its caption with the first and
            // can only carry a name of its own.
            if ((labels.isEmpty() && widget->accessibleName().isEmpty()) ||
                labels.contains(QString()))
                faults << QStringLiteral("input %1 has no caption").arg(describe(widget));
            // Where the name is not the input's own text, it is the caption.
            if (qobject_cast<QLineEdit*>(widget) &&
                (labels.isEmpty() || name.trimmed() != labels.first()))
                faults << QStringLiteral("input %1 is named '%2'").arg(describe(widget), name);
            break;
        }
        case QAccessible::PushButton:
        case QAccessible::ButtonMenu:
            if (name.trimmed().isEmpty() && widget->isEnabled())
                faults << QStringLiteral("button %1 has no name").arg(describe(widget));
            break;
        default:
            break;
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            // An empty label is read as its frame's title; there is nothing else to read.
            if (!label->accessibleName().isEmpty() ||
                (!label->text().isEmpty() && name != label->text()))
                faults << QStringLiteral("label %1 reads '%2' but shows '%3'")
                              .arg(describe(label), name, label->text());
        }
        if ((widget->focusPolicy() & Qt::TabFocus) && name.trimmed().isEmpty() &&
            labelsOf(node).isEmpty() && !qobject_cast<QComboBox*>(widget->parentWidget()))
            faults << QStringLiteral("%1 takes the focus unnamed").arg(describe(widget));
    }
    return faults;
}

QAccessibleInterface* findNamed(QAccessibleInterface* node, const QString& text)
{
    if (nameOf(node) == text || node->text(QAccessible::Value) == text ||
        node->text(QAccessible::Description) == text)
        return node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* found = findNamed(node->child(i), text))
            return found;
    return nullptr;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { test::settle(); }

    void everyWindowReadsWell_data()
    {
        QTest::addColumn<QString>("window");
        test::TestProgram program;
        for (const QString& name : program.windows.registeredWindows())
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyWindowReadsWell()
    {
        QFETCH(QString, window);
        test::TestProgram program;
        QWidget* shown = program.windows.show(window);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        const QStringList faults = accessibilityFaults(shown);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void captionsNameTheirInputs_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Form1 P1") << "Form1"
                                  << "Combo1"
                                  << "Plateau n°1 :";
        QTest::newRow("Form1 S1") << "Form1"
                                  << "Combo3"
                                  << "Pignon n° 1 :";
        QTest::newRow("Form1 P2") << "Form1"
                                  << "Combo2"
                                  << "Plateau n° 2 :";
        QTest::newRow("Form1 elevation") << "Form1"
                                         << "Combo5"
                                         << "Elévation :";
        QTest::newRow("Form1 gradient") << "Form1"
                                        << "Combo4"
                                        << "% de pente";
        QTest::newRow("Form3 chainring") << "Form3"
                                         << "Combo1"
                                         << "Plateau :";
        QTest::newRow("Form3 sprocket") << "Form3"
                                        << "Combo2"
                                        << "Pignon :";
        QTest::newRow("Form3 turns") << "Form3"
                                     << "Combo3"
                                     << "Nb de tours de pedaliers :";
        QTest::newRow("Form4 speed") << "Form4"
                                     << "Text1"
                                     << "Votre vitesse :";
        QTest::newRow("Form4 chainring") << "Form4"
                                         << "Combo1"
                                         << "Votre braquet :";
    }

    void sprocketBesideItsChainringIsNamed()
    {
        test::TestProgram program;
        QWidget* form4 = program.windows.show(QStringLiteral("Form4"));
        auto* sprocket = form4->findChild<QComboBox*>(QStringLiteral("Combo3"));
        QCOMPARE(sprocket->accessibleName(), QStringLiteral("Votre braquet : pignon"));
    }

    void captionsNameTheirInputs()
    {
        QFETCH(QString, window);
        QFETCH(QString, input);
        QFETCH(QString, caption);
        test::TestProgram program;
        QWidget* shown = program.windows.show(window);
        auto* widget = shown->findChild<QWidget*>(input);
        QVERIFY(widget);
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
        QVERIFY2(labelsOf(node).contains(caption), qPrintable(labelsOf(node).join(" | ")));
    }

    // A result is read out as soon as it is shown, exactly as shown.
    void resultIsReadOut()
    {
        test::TestProgram program;
        auto* form1 = program.show<Form1>(QStringLiteral("Form1"));
        form1->findChild<QComboBox*>(QStringLiteral("Combo1"))
            ->setCurrentText(QStringLiteral("53"));
        form1->findChild<QComboBox*>(QStringLiteral("Combo3"))
            ->setCurrentText(QStringLiteral("17"));
        form1->findChild<QComboBox*>(QStringLiteral("Combo2"))
            ->setCurrentText(QStringLiteral("39"));
        QTest::mouseClick(form1->findChild<QAbstractButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        auto* sprocket = form1->findChild<QLabel*>(QStringLiteral("Label7"));
        QCOMPARE(sprocket->text(), QStringLiteral("13"));
        QCOMPARE(nameOf(QAccessible::queryAccessibleInterface(sprocket)), QStringLiteral("13"));
        const QStringList faults = accessibilityFaults(form1);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void messageBoxIsReadOut_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::newRow("OK") << int(MessageButtons::Ok);
        QTest::newRow("Oui/Non") << int(MessageButtons::YesNo);
    }

    void messageBoxIsReadOut()
    {
        QFETCH(int, buttons);
        const QString prompt = QStringLiteral("Vous avez oublié de choisir un pignon !");
        const QString title = QStringLiteral("Oubli");
        QStringList faults;
        bool walked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            walked = true;
            QAccessibleInterface* root = QAccessible::queryAccessibleInterface(box);
            QList<QAccessibleInterface*> nodes;
            walk(root, nodes, faults);
            if (nameOf(root) != title)
                faults << QStringLiteral("box named '%1'").arg(nameOf(root));
            if (!findNamed(root, prompt))
                faults << QStringLiteral("prompt not readable");
            for (QAbstractButton* button : box->buttons()) {
                QAccessibleInterface* node = QAccessible::queryAccessibleInterface(button);
                if (nameOf(node) != button->text())
                    faults << QStringLiteral("button '%1' named '%2'")
                                  .arg(button->text(), nameOf(node));
            }
            box->reject();
        });
        QtMessageService service;
        service.showMessage(prompt, MessageIcon::Exclamation, MessageButtons(buttons), title);
        QVERIFY(walked);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

DENTIVEL_TEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
