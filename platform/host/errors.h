#pragma once
// Run-time errors the host raises into the code that assigned a property or called a service.
#include <stdexcept>
#include <string>

namespace kelvane::host {

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& message) : std::runtime_error(message), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

// The classic error numbers callers may test for.
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrInvalidPropertyValue = 380;

}  // namespace kelvane::host
