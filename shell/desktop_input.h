#pragma once

class QCoreApplication;
class QString;
class QWidget;

namespace dentivel {

// Makes the keyboard and the mouse behave in `window` as on the desktops the
// program is used on, where Qt's defaults differ:
// - an editable list keeps exactly what was typed (Qt completes "4" into the
//   first entry starting with it, and that completed text would be computed);
// - Enter presses the focused button, as Space does (Qt presses only a
//   dialog's auto-default buttons);
// - the mouse wheel changes a closed list's entry only once the user has put
//   the focus in it, so scrolling over a window never changes an input, and
//   the wheel does not move the focus either.
// The window registry applies it to every window it creates.
void adoptDesktopInput(QWidget& window);

// Qt's own texts (the inputs' context menus, among others) in French, the
// program's only language, whatever the system's. Returns false, leaving
// Qt's English texts, when the translation cannot be loaded from
// `directory`; nothing else depends on it.
bool installToolkitTranslation(QCoreApplication& application, const QString& directory);
// The same from the directory Qt's translations are installed in.
bool installToolkitTranslation(QCoreApplication& application);

} // namespace dentivel
