#pragma once
// The window and its stock controls as screen readers see them: labels read as static text, a frame
// as a named group, the stock progress bar as a read-only value. Picture boxes and shapes are scenery:
// they are left out, and what a picture box holds belongs to the picture box's own container.
#include <QList>

class QWidget;

namespace kelvane::host {

// Installs the accessibility factory of the form window and the stock controls; later calls do
// nothing.
void InstallHostAccessibility();

// The widgets a screen reader finds directly inside `container`, in creation order.
QList<QWidget*> ReadableChildren(const QWidget& container);

// Whether a control lies wholly outside its container's area, where nobody can see it.
bool LiesOutsideItsContainer(const QWidget& control);

}  // namespace kelvane::host
