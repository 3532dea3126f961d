#pragma once
// A stored layout that cannot be used; the message names the control and the key at fault.
#include <QString>
#include <stdexcept>
#include <string>

#include "platform/host/errors.h"

namespace kelvane::host::layout {

class LayoutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // Names and keys come from the stored text, so their control characters are escaped.
  explicit LayoutError(const QString& message) : std::runtime_error(MessageText(message)) {}
};

}  // namespace kelvane::host::layout
