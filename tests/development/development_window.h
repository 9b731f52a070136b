#pragma once

#include "development/form3.h"
#include "development/updown.h"
#include "tests/support/test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dentivel::test {

// A development window opened through the registry of a whole program.
struct DevelopmentWindow {
    explicit DevelopmentWindow(const QLocale& locale = kEnglish) : program(locale)
    {
        window = program.show<Form3>(WindowName::Form3);
    }

    // Shows the window again after it was closed: a new instance.
    void reopen() { window = program.show<Form3>(WindowName::Form3); }

    template <typename Widget> Widget* child(const QString& name) const
    {
        return window->findChild<Widget*>(name);
    }
    QComboBox* combo(const QString& name) const { return child<QComboBox>(name); }
    QLabel* label(const QString& name) const { return child<QLabel>(name); }
    QLineEdit* revolutions() const { return child<QLineEdit>(QStringLiteral("Combo3")); }
    UpDown* spin() const { return child<UpDown>(QStringLiteral("UpDown1")); }

    // Fills the inputs without moving the focus, then clicks the button.
    void calculate(const QString& chainring, const QString& sprocket, const QString& turns)
    {
        combo(QStringLiteral("Combo1"))->setEditText(chainring);
        combo(QStringLiteral("Combo2"))->setEditText(sprocket);
        revolutions()->setText(turns);
        child<QPushButton>(QStringLiteral("Command1"))->click();
    }

    // Label6, Label1, Label5 and aff, in that order.
    QStringList results() const
    {
        QStringList texts;
        for (const char* name : {"Label6", "Label1", "Label5", "aff"})
            texts << label(QLatin1String(name))->text();
        return texts;
    }

    void showEarlierResults()
    {
        for (const char* name : {"Label6", "Label1", "Label5", "aff"})
            label(QLatin1String(name))->setText(QStringLiteral("earlier ") + QLatin1String(name));
    }

    TestProgram program;
    Form3* window = nullptr;
};

} // namespace dentivel::test
