// The yardsticks for Optimize: the same 64,000 blocks of 40,000 bytes mapped and made resident, then
// unmapped newest first, with nothing else; or, with --floor, the physical floor: the same pages
// faulted in by one mapping of the same total size, unmapped at once. Prints both phases in seconds.
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kBlocks = 2 * 32000;
constexpr std::size_t kBlockBytes = 40000;
constexpr int kMadvPopulateWrite = 23;  // older headers lack it

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

void Populate(void* p, std::size_t length, std::size_t page) {
  if (::madvise(p, length, kMadvPopulateWrite) != 0) {
    auto* bytes = static_cast<volatile unsigned char*>(p);
    for (std::size_t at = 0; at < length; at += page) bytes[at] = 0;
  }
}

int Floor(std::size_t length, std::size_t page) {
  const std::size_t total = length * kBlocks;
  const auto start = Clock::now();
  void* p = ::mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return 1;
  Populate(p, total, page);
  const auto reserved = Clock::now();
  ::munmap(p, total);
  const auto released = Clock::now();
  std::printf("blocks %d reserve_s %.3f release_s %.3f total_s %.3f\n", kBlocks, Seconds(start, reserved),
              Seconds(reserved, released), Seconds(start, released));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const std::size_t length = (kBlockBytes + page - 1) / page * page;
  if (argc > 1 && std::strcmp(argv[1], "--floor") == 0) return Floor(length, page);
  std::vector<void*> blocks;
  blocks.reserve(kBlocks);

  const auto start = Clock::now();
  for (int i = 0; i < kBlocks; ++i) {
    void* p = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) break;
    Populate(p, length, page);
    blocks.push_back(p);
  }
  const auto reserved = Clock::now();
  for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) ::munmap(*it, length);
  const auto released = Clock::now();

  std::printf("blocks %zu reserve_s %.3f release_s %.3f total_s %.3f\n", blocks.size(),
              Seconds(start, reserved), Seconds(reserved, released), Seconds(start, released));
  return blocks.size() == kBlocks ? 0 : 1;
}
