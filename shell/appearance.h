#pragma once

#include <Qt>

class QWidget;

namespace dentivel {

// The windows are designed for "MS Sans Serif" and "Arial". Neither exists on
// a usual Linux desktop, and fontconfig's own pick for the first is a much
// wider face that clips captions in fixed-size controls; both map to a sans
// with Arial's metrics instead. On Windows the first becomes "Microsoft Sans
// Serif". In a browser, which lends a page none of its faces, the program
// brings Liberation Sans itself. Called once the application object exists.
void installFontSubstitutes();

// A fixed single border that cannot be resized, with a close button and,
// when asked, a minimise button; never a maximise button. Where the title
// bar is drawn by Qt's Wayland decorations, which show all three buttons
// whatever the flags say, a maximise request leaves the window as it was.
// A tool window (`type` Qt::Tool) stays out of the task bar, under X11 too.
enum class TitleButtons { Close, CloseAndMinimise };
void setFixedBorder(QWidget* window, TitleButtons buttons, Qt::WindowType type = Qt::Window);

// A fixed frame without title bar or buttons, out of the task bar. Under X11
// the frame is a thin line the window draws itself. Qt's Wayland decorations
// have no frame without a title bar: there the window goes without any frame.
void setFixedFrameWithoutTitle(QWidget* window);

// Whether the program chooses where its windows open. Wayland keeps that to
// the compositor; the two functions below then leave the window alone.
bool programPlacesWindows();
// First position of the windows that open in the middle of the screen: the
// middle of their frame, once the window manager has put one around them.
void centreOnScreen(QWidget* window);
// First position of the windows that open where their design placed them,
// counted from the top left corner of the screen's free area.
void placeOnScreen(QWidget* window, int left, int top);

} // namespace dentivel
