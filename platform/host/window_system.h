#pragma once
// Window-system functions over Qt widgets: parent, device context, shape, hit testing, mouse capture.
#include <QWidget>
#include <functional>

#include "platform/gdi/dc.h"
#include "platform/gdi/rect.h"
#include "platform/gdi/region.h"

namespace kelvane::host {

QWidget* GetParent(const QWidget* w);
// The window's top-left corner in GetParent's coordinates.
QPoint PositionInParent(const QWidget* w);
// (0, 0, width, height); false and the rectangle untouched for no window.
bool GetClientRect(const QWidget* w, gdi::Rect& out);

// A context over the window's current rendering (its children included), read when its pixels are
// first needed; its background and text colours are the window's palette colours. Drawing on it
// reaches only that copy. No window gives a context over nothing.
gdi::Dc GetDC(QWidget* w);
inline int ReleaseDC(QWidget* /*w*/, gdi::Dc /*dc*/) { return 1; }

// The window takes the region's pixels as its shape (a copy: the caller's handle stays valid but
// no longer matters). No region restores the full rectangle; an empty one hides the whole window.
bool SetWindowRgn(QWidget* w, gdi::Region region, bool redraw);

// Starts following the pointer through the window system's reports, so that GetCursorPos and
// WindowFromPoint need not ask the display server while the pointer rests in one of our windows.
// GetCursorPos starts it too; controls start it early so that the first question is answered
// from what is known.
void WatchPointer();
// True while the pointer's place is known from those reports: it rests in one of our windows with
// no button held. Then nothing changes what lies under it without a report.
bool PointerSettled();
// Calls `wake` once, at the next report that may change what lies under the pointer: the pointer
// entering, moving over or leaving one of our windows, a mouse button, a widget moving, resizing,
// showing, hiding, restacking or changing its enabled state, a window blocked or unblocked by a
// modal one, or a new window shape. Dropped if `owner` is destroyed first.
void WakeOnPointerChange(QObject* owner, std::function<void()> wake);
bool GetCursorPos(gdi::Point& out);
// The deepest visible widget under the global point whose shape holds it; the cut-away part of a
// shaped child belongs to what lies beneath. A disabled child gives the point to its parent, as it
// does the pointer's input. Null when no window of this program is there, or when the window there
// is blocked by a modal one.
QWidget* WindowFromPoint(gdi::Point global);
// The same, in the one window `topLevel` (a window that was told of the pointer there, whatever
// other windows share the place).
QWidget* WindowFromPointIn(QWidget* topLevel, gdi::Point global);
// The widget that held the mouse before, or null.
QWidget* SetCapture(QWidget* w);
bool ReleaseCapture();
QWidget* GetCapture();

}  // namespace kelvane::host
