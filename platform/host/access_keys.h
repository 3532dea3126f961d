#pragma once
// Alt + a control's access key reaches that control, wherever the focus is in its window.
#include <QChar>

class QWidget;

namespace kelvane::host {

class Control;

// Installs the application-wide filter once per application object.
void EnsureAccessKeyFilter();
// The control of an enabled, visible widget of `window` (its own included) whose AccessKeys holds `key`
// (compared without case), or nullptr.
Control* FindAccessKeyOwner(QWidget* window, QChar key);

}  // namespace kelvane::host
