#pragma once
// A broken promise of the code under test: libFuzzer keeps the input that caused it.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(cond)                                                            \
  do {                                                                              \
    if (!(cond)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                 \
    }                                                                               \
  } while (false)

// A message someone can read: not empty, one line, no bytes that end it early or move the cursor.
inline bool Readable(std::string_view message) {
  if (message.empty()) return false;
  for (const char c : message) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  }
  return true;
}
