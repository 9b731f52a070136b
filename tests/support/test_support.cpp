#include "tests/support/test_support.h"

#include "all_windows.h"
#include "shell/appearance.h"
#include "shell/design_palette.h"
#include "shell/desktop_input.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTimerEvent>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace dentivel::test {

TestProgram::TestProgram(const QLocale& locale)
    : windows([this] { ++endCount; }), services{windows, messages, locale}
{
    registerAllWindows(services, printer, calculator);
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

namespace {

QList<const QObject*>* renameNotices = nullptr;

void noteRename(QAccessibleEvent* event)
{
    if (renameNotices && event->type() == QAccessible::NameChanged && event->object())
        *renameNotices << event->object();
}

QString describe(const QWidget* widget, const QString& text, QSize needed, QSize available)
{
    return QStringLiteral("%1 '%2' needs %3x%4, has %5x%6")
        .arg(widget->objectName(), text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(available.width())
        .arg(available.height());
}

void checkLabel(const QLabel* label, QStringList& clipped)
{
    // Trailing blanks are part of some captions but show nothing.
    QString text = label->text();
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    if (!label->isVisible() || !label->pixmap().isNull())
        return;
    const QFontMetrics fm = label->fontMetrics();
    const QRect area = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                      -label->margin(), -label->margin());
    // An empty label is where a result shows later, and a result may reach
    // down to the descenders of its font: a whole line must fit.
    if (text.isEmpty()) {
        if (fm.height() > area.height())
            clipped << describe(label, QStringLiteral("(a line of its font)"),
                                QSize(area.width(), fm.height()), area.size());
        return;
    }
    const Qt::Alignment alignment = label->alignment();
    if (label->wordWrap()) {
        const QRect needed = fm.boundingRect(area, int(alignment) | Qt::TextWordWrap, text);
        if (needed.height() > area.height() || needed.width() > area.width())
            clipped << describe(label, text, needed.size(), area.size());
        return;
    }
    // A single line is judged by its ink: a rule of hyphens in a low label
    // shows whole even though a full line of text would not fit.
    int top = area.top() + (area.height() - fm.height()) / 2;
    if (alignment & Qt::AlignTop)
        top = area.top();
    else if (alignment & Qt::AlignBottom)
        top = area.bottom() + 1 - fm.height();
    const QRect ink = fm.tightBoundingRect(text).translated(area.left(), top + fm.ascent());
    const int advance = fm.horizontalAdvance(text);
    if (advance > area.width() || ink.top() < area.top() || ink.bottom() > area.bottom())
        clipped << describe(label, text, QSize(advance, ink.height()), area.size());
}

void checkButton(const QAbstractButton* button, QStringList& clipped)
{
    // Disabled buttons are the decorative frames behind real ones: their
    // captions are meant to be covered.
    if (button->text().isEmpty() || !button->isEnabled() || !button->isVisible())
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect area =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QFontMetrics fm = button->fontMetrics();
    const QSize needed(fm.horizontalAdvance(button->text()), fm.height());
    if (needed.width() > area.width() || needed.height() > area.height())
        clipped << describe(button, button->text(), needed, area.size());
}

void checkGroupBox(const QGroupBox* frame, QStringList& clipped)
{
    if (frame->title().isEmpty() || !frame->isVisible())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, frame);
    const QSize needed(frame->fontMetrics().horizontalAdvance(frame->title()), label.height());
    if (!frame->rect().contains(label) || label.width() < needed.width())
        clipped << describe(frame, frame->title(), needed, label.size());
}

} // namespace

QStringList clippedTexts(QWidget* window)
{
    QStringList clipped;
    for (const QLabel* label : window->findChildren<QLabel*>())
        checkLabel(label, clipped);
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        checkButton(button, clipped);
    for (const QGroupBox* frame : window->findChildren<QGroupBox*>())
        checkGroupBox(frame, clipped);
    return clipped;
}

ModalWatchdog::ModalWatchdog()
{
    startTimer(500);
}

void ModalWatchdog::timerEvent(QTimerEvent*)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != m_seen) {
        m_seen = modal;
        m_ticks = 0;
        return;
    }
    if (modal && ++m_ticks >= 6) {
        qCritical("A modal box titled '%s' was left open; closing it.",
                  qPrintable(modal->windowTitle()));
        ++m_stuck;
        modal->close();
        m_seen = nullptr;
    }
}

int runTests(QObject& tests, int argc, char** argv)
{
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();
    useDesignPalette();
    installToolkitTranslation(*QCoreApplication::instance());
    ModalWatchdog watchdog;
    const int failed = QTest::qExec(&tests, argc, argv);
    return failed + watchdog.stuckBoxes();
}

RenameNotices::RenameNotices()
{
    renameNotices = &m_renamed;
    // Qt tells the handler only while a screen reader is listening.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QAccessible::installUpdateHandler(noteRename);
}

RenameNotices::~RenameNotices()
{
    QAccessible::installUpdateHandler(nullptr);
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    renameNotices = nullptr;
}

} // namespace dentivel::test
