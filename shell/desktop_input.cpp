#include "shell/desktop_input.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QTranslator>

namespace dentivel {

namespace {

class DesktopInputFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            auto* button = qobject_cast<QAbstractButton*>(watched);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if (button && enter && plain) {
                // A held Enter key would otherwise press the button over and
                // over, and each press may open a message box.
                if (!key->isAutoRepeat() && button->isEnabled())
                    button->click();
                return true;
            }
        } else if (event->type() == QEvent::Wheel) {
            auto* combo = qobject_cast<QComboBox*>(watched);
            if (combo && !combo->hasFocus()) {
                // Passed on, the wheel scrolls whatever holds the list, if anything.
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void adoptDesktopInput(QWidget& window)
{
    auto* filter = new DesktopInputFilter(&window);
    for (QComboBox* combo : window.findChildren<QComboBox*>()) {
        if (combo->isEditable())
            combo->setCompleter(nullptr);
        combo->setFocusPolicy(Qt::StrongFocus);
        combo->installEventFilter(filter);
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        button->installEventFilter(filter);
}

bool installToolkitTranslation(QCoreApplication& application, const QString& directory)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_fr"), directory)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

bool installToolkitTranslation(QCoreApplication& application)
{
#ifdef Q_OS_WASM
    // A page has no Qt installed beside it: the texts come inside the program.
    return installToolkitTranslation(application, QStringLiteral(":/translations"));
#else
    return installToolkitTranslation(application,
                                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
#endif
}

} // namespace dentivel
