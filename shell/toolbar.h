#pragma once

#include "shell/toolbar_button.h"

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

class QToolBar;
class QToolButton;
class QWidget;

namespace dentivel {

// The pictures a toolbar draws from, each under a text key. Every picture is
// brought to kToolbarPictureSize when it is added, and silver pixels become
// transparent, so pictures may be drawn on a silver ground.
class ImageList {
public:
    static QColor transparentColour() { return QColor(192, 192, 192); }

    // Drawn by picture(), and at twice the size for high-density screens.
    // False, and nothing added, when the picture cannot be read.
    bool add(const QString& key, const QString& path);

    bool contains(const QString& key) const { return m_images.contains(key); }
    // The picture at its size; a null image for an unknown key.
    QImage image(const QString& key) const { return m_images.value(key); }
    // Also carries a sharper rendition for high-density screens.
    QIcon icon(const QString& key) const { return m_icons.value(key); }

private:
    QHash<QString, QImage> m_images;
    QHash<QString, QIcon> m_icons;
};

// Puts the buttons on the toolbar left to right. Clicking a Button calls
// onClick with its Key; the handler compares it as exact text. Keys are
// data, not object names: they may hold blanks and apostrophes.
void fillToolbar(QToolBar& toolbar, const std::vector<ToolbarButton>& buttons,
                 const ImageList& images, std::function<void(const QString& key)> onClick);

// The buttons fillToolbar made, left to right, separators left out. They take
// the focus from Tab only; a window chains them into its tab order where its
// design puts the toolbar.
QList<QToolButton*> toolbarButtons(const QToolBar& toolbar);

// Puts the toolbar's buttons into the window's tab order between two inputs;
// `before` may be null when the toolbar comes first.
void chainToolbarTabOrder(const QToolBar& toolbar, QWidget* before, QWidget* after);

// The button carrying this key, or nullptr.
QToolButton* toolbarButton(const QToolBar& toolbar, const QString& key);

} // namespace dentivel
