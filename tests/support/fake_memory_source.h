#pragma once
// Memory figures a test sets by hand; counts how often it was asked.
#include <cstdint>

#include "platform/memory/memory_status.h"

namespace kelvane::test {

class FakeMemorySource final : public mem::MemoryStatusSource {
 public:
  FakeMemorySource(std::uint64_t totalPhys, std::uint64_t availPhys) : status_{totalPhys, availPhys} {}

  void SetFigures(std::uint64_t totalPhys, std::uint64_t availPhys) { status_ = {totalPhys, availPhys}; }
  int sampleCount() const { return sampleCount_; }

  mem::MemoryStatus Sample() override {
    ++sampleCount_;
    return status_;
  }

 private:
  mem::MemoryStatus status_;
  int sampleCount_ = 0;
};

}  // namespace kelvane::test
