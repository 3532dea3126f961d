#pragma once
// The window and its stock controls as screen readers see them: labels read as static text, a frame
// as a named group, the stock progress bar as a read-only value. Picture boxes and shapes are scenery:
// they are left out, and what a picture box holds belongs to the picture box's own container. An
// unnamed picture and whatever lies outside its container are left out too.
#include <QAccessibleInterface>
#include <QList>
#include <QString>

class QWidget;

namespace kelvane::host {

// The accessibility factory of the form window and the stock controls (controls/accessibility.h
// installs it with the controls' own).
QAccessibleInterface* HostAccessibleFactory(const QString& className, QObject* object);

// The figure beside a caption reads as one text with it ("Total : 24210.000 MB"), and the caption
// leaves the tree: a reader reads a focused group's texts of three words or more, unless related to
// something, and flat review reads the line once. Both must be labels.
void NameFigureByCaption(QWidget& caption, QWidget& figure);

// Whether a reader finds `control` in the tree: not decoration, and not outside its container.
bool InReadersTree(const QWidget& control);
// Whether a change of `control` is worth an event: a reader listens and the control is in its tree.
bool ReadersHearOf(const QWidget& control);

// The widgets a screen reader finds directly inside `container`, in creation order.
QList<QWidget*> ReadableChildren(const QWidget& container);

// Whether a control lies wholly outside its container's area, where nobody can see it.
bool LiesOutsideItsContainer(const QWidget& control);

}  // namespace kelvane::host
