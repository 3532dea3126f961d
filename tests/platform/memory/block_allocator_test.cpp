#include "platform/memory/block_allocator.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <set>
#include <vector>

#include "platform/memory/handle_table.h"
#include "platform/memory/page_block.h"
#include "tests/platform/memory/temp_dir.h"

namespace kelvane::mem {
namespace {

constexpr std::size_t kBlockBytes = 40000;
constexpr std::uint64_t kMiB = 1024 * 1024;

std::uint64_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::uint64_t size = 0;
  std::uint64_t resident = 0;
  statm >> size >> resident;
  return resident * PageSize();
}

// The live system, with a cap so a test never takes more than it means to.
PageBlockAllocatorOptions Capped(std::uint64_t cap) {
  PageBlockAllocatorOptions options;
  options.headroomCap = cap;
  return options;
}

TEST(HandleEncoding, GenerationWrapSkipsZero) {
  const std::uint32_t last = NextGeneration(kHandleGenerations - 2);
  EXPECT_NE(EncodeHandle({0, NextGeneration(last)}), 0u);
  EXPECT_EQ(DecodeHandle(EncodeHandle({kHandleSlots - 1, last})).generation, last);
}

TEST(PageBlockAllocator, HandlesAreNonzeroDistinctAndUsable) {
  PageBlockAllocator allocator(Capped(64 * kMiB));
  std::set<std::uint32_t> handles;
  for (int i = 0; i < 50; ++i) {
    for (std::uint32_t flags : {GMEM_MOVEABLE, GMEM_FIXED}) {
      const std::uint32_t handle = allocator.GlobalAlloc(flags, kBlockBytes);
      ASSERT_NE(handle, 0u);
      void* address = allocator.BlockAddress(handle);
      ASSERT_NE(address, nullptr);
      std::memset(address, 0xA5, kBlockBytes);
      handles.insert(handle);
    }
  }
  EXPECT_EQ(handles.size(), 100u);
  EXPECT_EQ(allocator.blockCount(), 100u);
  EXPECT_EQ(allocator.heldBytes(), 100u * RoundUpToPages(kBlockBytes, PageSize()).value());
  for (auto it = handles.rbegin(); it != handles.rend(); ++it) allocator.GlobalFree(*it);
  EXPECT_EQ(allocator.blockCount(), 0u);
  EXPECT_EQ(allocator.heldBytes(), 0u);
}

TEST(PageBlockAllocator, FreeingZeroUnknownOrTwiceIsHarmless) {
  PageBlockAllocator allocator(Capped(kMiB));
  const std::uint32_t kept = allocator.GlobalAlloc(GMEM_FIXED, kBlockBytes);
  const std::uint32_t freed = allocator.GlobalAlloc(GMEM_MOVEABLE, kBlockBytes);
  ASSERT_NE(kept, 0u);
  ASSERT_NE(freed, 0u);
  allocator.GlobalFree(freed);
  for (std::uint32_t bogus : {0u, freed, freed, 0xFFFFFFFFu, EncodeHandle({12345, 1})}) {
    allocator.GlobalFree(bogus);
  }
  EXPECT_EQ(allocator.blockCount(), 1u);
  EXPECT_NE(allocator.BlockAddress(kept), nullptr);
}

TEST(PageBlockAllocator, StaleHandleDoesNotReachTheSlotsNextBlock) {
  PageBlockAllocator allocator(Capped(kMiB));
  const std::uint32_t first = allocator.GlobalAlloc(GMEM_MOVEABLE, kBlockBytes);
  allocator.GlobalFree(first);
  const std::uint32_t second = allocator.GlobalAlloc(GMEM_MOVEABLE, kBlockBytes);
  ASSERT_NE(second, 0u);
  EXPECT_EQ(DecodeHandle(first).index, DecodeHandle(second).index);
  EXPECT_NE(first, second);
  EXPECT_EQ(allocator.BlockAddress(first), nullptr);
  allocator.GlobalFree(first);
  EXPECT_NE(allocator.BlockAddress(second), nullptr);
  EXPECT_EQ(allocator.blockCount(), 1u);
}

TEST(PageBlockAllocator, ZeroBytesIsRefused) {
  PageBlockAllocator allocator(Capped(kMiB));
  EXPECT_EQ(allocator.GlobalAlloc(GMEM_FIXED, 0), 0u);
  EXPECT_EQ(allocator.GlobalAlloc(GMEM_FIXED, SIZE_MAX), 0u);
}

TEST(PageBlockAllocator, RefusalEndsAReservationLoop) {
  constexpr std::uint64_t kCap = 1 * kMiB;
  PageBlockAllocator allocator(Capped(kCap));
  const std::size_t blockLength = RoundUpToPages(kBlockBytes, PageSize()).value();
  std::vector<std::uint32_t> held;
  constexpr int kCapPairs = 32000;
  int pairs = 0;
  for (bool stop = false; !stop && pairs < kCapPairs; ++pairs) {
    held.push_back(allocator.GlobalAlloc(GMEM_MOVEABLE, kBlockBytes));
    held.push_back(allocator.GlobalAlloc(GMEM_FIXED, kBlockBytes));
    stop = held[held.size() - 2] == 0 || held.back() == 0;
  }
  EXPECT_EQ(allocator.blockCount(), kCap / blockLength);
  EXPECT_EQ(pairs, static_cast<int>(kCap / blockLength / 2 + 1));
  for (auto it = held.rbegin(); it != held.rend(); ++it) allocator.GlobalFree(*it);
  EXPECT_EQ(allocator.blockCount(), 0u);
}

TEST(PageBlockAllocator, RefusesWhenTheSystemFigureIsUnreadable) {
  test_support::TempDir dir;
  PageBlockAllocatorOptions options;
  options.meminfoPath = dir.Write("meminfo", "MemTotal: many kB\n");
  PageBlockAllocator allocator(options);
  EXPECT_EQ(allocator.GlobalAlloc(GMEM_MOVEABLE, kBlockBytes), 0u);
}

TEST(PageBlockAllocator, BlocksAreResidentUntilFreed) {
  constexpr int kBlocks = 512;  // 20 MiB: well above the noise of a test process
  PageBlockAllocator allocator(Capped(64 * kMiB));
  const std::uint64_t before = ResidentBytes();
  std::vector<std::uint32_t> handles;
  for (int i = 0; i < kBlocks; ++i) handles.push_back(allocator.GlobalAlloc(GMEM_FIXED, kBlockBytes));
  const std::uint64_t held = allocator.heldBytes();
  ASSERT_EQ(allocator.blockCount(), static_cast<std::size_t>(kBlocks));
  // Resident before GlobalAlloc returned, without anyone touching the pages.
  EXPECT_GE(ResidentBytes(), before + held * 95 / 100);
  for (auto it = handles.rbegin(); it != handles.rend(); ++it) allocator.GlobalFree(*it);
  EXPECT_LE(ResidentBytes(), before + 2 * kMiB);
}

// The path taken on kernels without populate support.
TEST(PageBlock, TouchingMakesEveryPageResident) {
  constexpr std::size_t kLength = 8 * kMiB;
  const std::uint64_t before = ResidentBytes();
  PageBlock block = PageBlock::Map(kLength);
  ASSERT_TRUE(block);
  TouchPages(block.data(), block.size(), PageSize());
  EXPECT_GE(ResidentBytes(), before + kLength * 95 / 100);
  block.reset();
  EXPECT_LE(ResidentBytes(), before + kMiB);
}

TEST(PageBlockAllocator, DestructionReturnsHeldBlocks) {
  const std::uint64_t before = ResidentBytes();
  {
    PageBlockAllocator allocator(Capped(64 * kMiB));
    for (int i = 0; i < 256; ++i) allocator.GlobalAlloc(GMEM_MOVEABLE, kBlockBytes);
    EXPECT_GE(ResidentBytes(), before + 9 * kMiB);
  }
  EXPECT_LE(ResidentBytes(), before + 2 * kMiB);
}

}  // namespace
}  // namespace kelvane::mem
