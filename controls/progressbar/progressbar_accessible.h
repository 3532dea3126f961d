#pragma once
// The progress bar as screen readers see it: a read-only value between Min and Max.
#include <QAccessibleInterface>
#include <QString>

namespace kelvane::controls {

// The progress bar's accessibility factory (controls/accessibility.h installs it).
QAccessibleInterface* ProgressBarAccessibleFactory(const QString& className, QObject* object);

}  // namespace kelvane::controls
