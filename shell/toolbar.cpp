#include "shell/toolbar.h"

#include "shell/pictures.h"

#include <QToolBar>
#include <QToolButton>

namespace dentivel {

namespace {

constexpr const char* kKeyProperty = "dentivelToolbarKey";

QString accessibleNameOf(const ToolbarButton& button)
{
    if (!button.Caption.trimmed().isEmpty())
        return button.Caption;
    if (!button.ToolTipText.isEmpty())
        return button.ToolTipText;
    return button.Key;
}

} // namespace

bool ImageList::add(const QString& key, const QString& path)
{
    const QImage normal = picture(path, kToolbarPictureSize, 1, transparentColour());
    if (normal.isNull())
        return false;
    QIcon icon(QPixmap::fromImage(normal));
    if (const QImage sharp = picture(path, kToolbarPictureSize, 2, transparentColour());
        !sharp.isNull())
        icon.addPixmap(QPixmap::fromImage(sharp));
    m_images.insert(key, normal);
    m_icons.insert(key, icon);
    return true;
}

void fillToolbar(QToolBar& toolbar, const std::vector<ToolbarButton>& buttons,
                 const ImageList& images, std::function<void(const QString& key)> onClick)
{
    toolbar.setMovable(false);
    toolbar.setFloatable(false);
    toolbar.setIconSize(kToolbarPictureSize);
    for (const ToolbarButton& description : buttons) {
        if (description.Style == ButtonStyle::Separator) {
            toolbar.addSeparator();
            continue;
        }
        // Tool buttons made from actions would take their text and tip from
        // the action, which drops a trailing "..." and blanks and fills an
        // empty tip with the caption; set directly, the texts stay as given.
        auto* button = new QToolButton(&toolbar);
        button->setText(description.Caption);
        button->setToolTip(description.ToolTipText);
        button->setAccessibleName(accessibleNameOf(description));
        button->setIcon(images.icon(description.Image));
        button->setIconSize(toolbar.iconSize());
        button->setToolButtonStyle(description.Caption.isEmpty() ? Qt::ToolButtonIconOnly
                                                                 : Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        // Reachable with Tab, but a click leaves the focus where it was.
        button->setFocusPolicy(Qt::TabFocus);
        button->setProperty(kKeyProperty, description.Key);
        toolbar.addWidget(button);
        QObject::connect(button, &QToolButton::clicked, &toolbar,
                         [onClick, key = description.Key] { onClick(key); });
    }
}

QList<QToolButton*> toolbarButtons(const QToolBar& toolbar)
{
    QList<QToolButton*> buttons;
    for (QAction* action : toolbar.actions()) {
        auto* button = qobject_cast<QToolButton*>(toolbar.widgetForAction(action));
        if (button && button->property(kKeyProperty).isValid())
            buttons << button;
    }
    return buttons;
}

void chainToolbarTabOrder(const QToolBar& toolbar, QWidget* before, QWidget* after)
{
    QWidget* previous = before;
    for (QToolButton* button : toolbarButtons(toolbar)) {
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }
    if (previous && after)
        QWidget::setTabOrder(previous, after);
}

QToolButton* toolbarButton(const QToolBar& toolbar, const QString& key)
{
    for (QToolButton* button : toolbarButtons(toolbar)) {
        if (button->property(kKeyProperty).toString() == key)
            return button;
    }
    return nullptr;
}

} // namespace dentivel
