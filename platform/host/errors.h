#pragma once
// Run-time errors the host raises into the code that assigned a property or called a service.
#include <QString>
#include <cstdint>
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

// Error numbers callers may test for; they are the numbers stored layouts and their scripts know.
inline constexpr int kErrInvalidProcedureCall = 5;
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrTypeMismatch = 13;
inline constexpr int kErrResourceNotFound = 326;
inline constexpr int kErrInvalidPropertyValue = 380;

// Whole-number conversions of stored values: the nearest whole number, halves to
// even (2.5 -> 2, 3.5 -> 4); a value outside the target range (or not a number) raises Overflow.
double RoundHalfEven(double v);
std::int16_t CInt(double v);
std::int32_t CLng(double v);

// Text from outside (a key, a stored value, a name) made fit for a message: UTF-8 with control
// characters written as \uXXXX, so a NUL cannot end the message early nor a newline split it.
std::string MessageText(const QString& text);

}  // namespace kelvane::host
