#pragma once
// The button as screen readers see it: a push button, or a check box while CheckBoxBehaviour is on.
#include <QString>

namespace kelvane::controls {

// The caption as it reads on screen: access-key "&" dropped, "&&" read as one "&".
QString AccessibleButtonName(const QString& caption);

// "Alt+O" for a caption whose access key is "o"; empty without one.
QString AccessibleButtonShortcut(const QString& caption);

// Installs the button's accessibility factory; later calls do nothing.
void InstallButtonAccessibility();

}  // namespace kelvane::controls
