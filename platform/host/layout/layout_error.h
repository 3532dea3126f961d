#pragma once
// A stored layout that cannot be used; the message names the control and the key at fault.
#include <stdexcept>
#include <string>

namespace kelvane::host::layout {

class LayoutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kelvane::host::layout
