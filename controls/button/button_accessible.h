#pragma once
// The button as screen readers see it: a push button, or a check box while CheckBoxBehaviour is on.
#include <QAccessibleInterface>
#include <QString>

namespace kelvane::controls {

// The caption as it reads on screen: access-key "&" dropped, "&&" read as one "&".
QString AccessibleButtonName(const QString& caption);

// "Alt+O" for a caption whose access key is "o"; empty without one.
QString AccessibleButtonShortcut(const QString& caption);

// The button's accessibility factory (controls/accessibility.h installs it).
QAccessibleInterface* ButtonAccessibleFactory(const QString& className, QObject* object);

}  // namespace kelvane::controls
