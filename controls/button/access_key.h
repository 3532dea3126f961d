#pragma once
#include <QString>

namespace kelvane::controls {

// The caption's access key in lower case, or empty. Looks through one doubled "&&" only.
QString ParseAccessKey(const QString& caption);

}  // namespace kelvane::controls
