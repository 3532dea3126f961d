#include "platform/memory/block_allocator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <vector>

#include <sys/mman.h>

#include "platform/memory/file_io.h"
#include "platform/memory/handle_table.h"
#include "platform/memory/page_block.h"
#include "tests/platform/memory/temp_dir.h"

namespace kelvane::mem {
namespace {

constexpr std::size_t kBlockBytes = 40000;
constexpr std::uint64_t kMiB = 1024 * 1024;

// Pages of [first, first + length) the process holds: the blocks themselves, not the whole process,
// whose own figure moves with whatever a sanitizer's runtime keeps resident. None where nothing is
// mapped any more.
std::size_t ResidentPages(const void* first, std::size_t length) {
  std::vector<unsigned char> in(length / PageSize());
  if (::mincore(const_cast<void*>(first), length, in.data()) != 0)
    return errno == ENOMEM ? 0 : ~std::size_t{0};
  return static_cast<std::size_t>(std::count_if(in.begin(), in.end(), [](unsigned char c) { return c & 1; }));
}

// Resident pages of each block, summed.
std::size_t ResidentPages(const std::vector<void*>& blocks, std::size_t blockLength) {
  std::size_t pages = 0;
  for (const void* block : blocks) pages += ResidentPages(block, blockLength);
  return pages;
}

// The live system, with a cap so a test never takes more than it means to.
PageBlockAllocatorOptions Capped(std::uint64_t cap) {
  PageBlockAllocatorOptions options;
  options.headroomCap = cap;
  return options;
}

void FreeAll(PageBlockAllocator& allocator, const std::vector<std::uint32_t>& handles) {
  for (auto it = handles.rbegin(); it != handles.rend(); ++it) allocator.GlobalFree(*it);
}

TEST(HandleEncoding, GenerationWrapSkipsZero) {
  const std::uint32_t last = NextGeneration(kHandleGenerations - 2);
  EXPECT_NE(EncodeHandle({0, NextGeneration(last)}), 0u);
  EXPECT_EQ(DecodeHandle(EncodeHandle({kHandleSlots - 1, last})).generation, last);
}

TEST(PageBlockAllocator, StaleUnknownOrRepeatedFreesAndBadSizesAreHarmless) {
  PageBlockAllocator allocator(Capped(kMiB));
  const std::uint32_t first = allocator.GlobalAlloc(GMEM_MOVEABLE, kBlockBytes);
  allocator.GlobalFree(first);
  const std::uint32_t second = allocator.GlobalAlloc(GMEM_FIXED, kBlockBytes);
  ASSERT_NE(second, 0u);
  // The slot is reused under a new generation, so the old handle no longer reaches it.
  EXPECT_EQ(DecodeHandle(first).index, DecodeHandle(second).index);
  EXPECT_NE(first, second);
  EXPECT_EQ(allocator.BlockAddress(first), nullptr);
  for (std::uint32_t bogus : {0u, first, first, 0xFFFFFFFFu, EncodeHandle({12345, 1})})
    allocator.GlobalFree(bogus);
  EXPECT_EQ(allocator.blockCount(), 1u);
  EXPECT_NE(allocator.BlockAddress(second), nullptr);
  EXPECT_EQ(allocator.GlobalAlloc(GMEM_FIXED, 0), 0u);
  EXPECT_EQ(allocator.GlobalAlloc(GMEM_FIXED, SIZE_MAX), 0u);
}

TEST(PageBlockAllocator, RefusalEndsAReservationLoop) {
  constexpr std::uint64_t kCap = kMiB;
  PageBlockAllocator allocator(Capped(kCap));
  const std::size_t blockLength = RoundUpToPages(kBlockBytes, PageSize()).value();
  std::vector<std::uint32_t> held;
  int pairs = 0;
  for (bool stop = false; !stop && pairs < 32000; ++pairs) {
    held.push_back(allocator.GlobalAlloc(GMEM_MOVEABLE, kBlockBytes));
    held.push_back(allocator.GlobalAlloc(GMEM_FIXED, kBlockBytes));
    stop = held[held.size() - 2] == 0 || held.back() == 0;
  }
  EXPECT_EQ(allocator.blockCount(), kCap / blockLength);
  EXPECT_EQ(pairs, static_cast<int>(kCap / blockLength / 2 + 1));
  FreeAll(allocator, held);
  EXPECT_EQ(allocator.blockCount(), 0u);
}

TEST(PageBlockAllocator, RefusesWhenTheSystemFigureIsUnreadable) {
  test_support::TempDir dir;
  PageBlockAllocatorOptions options;
  options.meminfoPath = dir.Write("meminfo", "MemTotal: many kB\n");
  EXPECT_EQ(PageBlockAllocator(options).GlobalAlloc(GMEM_MOVEABLE, kBlockBytes), 0u);
}

// Every way a block can get its pages: carved from the reserved range (systems that overcommit),
// mapped one by one (strict accounting, or an unreadable setting), touched instead of populated.
struct BlockPath {
  const char* name;
  const char* overcommit;  // the setting's file; nullptr leaves it unreadable
  bool touch;
  bool carved;
};

class PageBlockPaths : public testing::TestWithParam<BlockPath> {};

TEST_P(PageBlockPaths, BlocksAreDistinctUsableAndResidentUntilFreedOrDestroyed) {
  test_support::TempDir dir;
  PageBlockAllocatorOptions options = Capped(64 * kMiB);
  options.overcommitPath =
      GetParam().overcommit ? dir.Write("overcommit", GetParam().overcommit) : (dir.path() / "none").string();
  options.touchInsteadOfPopulate = GetParam().touch;
  const std::size_t blockLength = RoundUpToPages(kBlockBytes, PageSize()).value();
  const std::size_t blockPages = blockLength / PageSize();
  std::vector<void*> refilled;
  {
    PageBlockAllocator allocator(options);
    std::vector<std::uint32_t> handles;
    std::vector<void*> blocks;
    for (int i = 0; i < 512; ++i) {
      handles.push_back(allocator.GlobalAlloc(i % 2 ? GMEM_FIXED : GMEM_MOVEABLE, kBlockBytes));
      ASSERT_NE(handles.back(), 0u);
      EXPECT_EQ(allocator.IsCarved(handles.back()), GetParam().carved);
      blocks.push_back(allocator.BlockAddress(handles.back()));
      ASSERT_NE(blocks.back(), nullptr);
    }
    EXPECT_EQ(std::set<std::uint32_t>(handles.begin(), handles.end()).size(), 512u);
    EXPECT_EQ(std::set<void*>(blocks.begin(), blocks.end()).size(), 512u);
    EXPECT_EQ(allocator.heldBytes(), 512u * blockLength);
    // Resident before GlobalAlloc returned, without anyone touching the pages.
    EXPECT_EQ(ResidentPages(blocks, blockLength), 512u * blockPages);
    for (void* block : blocks) std::memset(block, 0xA5, kBlockBytes);
    // Half given back: their pages leave at once (a carved block's may wait for a batch), the rest stay.
    const std::vector<void*> kept(blocks.begin(), blocks.begin() + 256),
        given(blocks.begin() + 256, blocks.end());
    FreeAll(allocator, {handles.begin() + 256, handles.end()});
    EXPECT_EQ(ResidentPages(kept, blockLength), 256u * blockPages);
    EXPECT_LT(ResidentPages(given, blockLength), BlockRange::kGiveBatch * blockPages);
    // A block handed out again starts from zeroed pages.
    const std::uint32_t again = allocator.GlobalAlloc(GMEM_FIXED, kBlockBytes);
    ASSERT_NE(again, 0u);
    const auto* bytes = static_cast<const unsigned char*>(allocator.BlockAddress(again));
    EXPECT_EQ(std::count(bytes, bytes + kBlockBytes, 0), static_cast<long>(kBlockBytes));
    allocator.GlobalFree(again);
    FreeAll(allocator, {handles.begin(), handles.begin() + 256});
    EXPECT_EQ(allocator.heldBytes(), 0u);
    // Addresses given back can be mapped again at once by the runtime itself (a sanitizer's allocator
    // touches a page of them): fewer pages than one block holds count as none.
    EXPECT_LT(ResidentPages(blocks, blockLength), blockPages);
    for (int i = 0; i < 256; ++i)
      refilled.push_back(allocator.BlockAddress(allocator.GlobalAlloc(GMEM_MOVEABLE, kBlockBytes)));
    ASSERT_EQ(std::count(refilled.begin(), refilled.end(), nullptr), 0);
    EXPECT_EQ(ResidentPages(refilled, blockLength), 256u * blockPages);
  }
  EXPECT_LT(ResidentPages(refilled, blockLength), blockPages);
}

INSTANTIATE_TEST_SUITE_P(Paths, PageBlockPaths,
                         testing::Values(BlockPath{"Carved", "0\n", false, true},
                                         BlockPath{"CarvedAndTouched", "1\n", true, true},
                                         BlockPath{"MappedUnderStrictAccounting", "2\n", false, false},
                                         BlockPath{"MappedAndTouchedWhenUnreadable", nullptr, true, false}),
                         [](const auto& test) { return std::string(test.param.name); });

// The path taken on kernels without populate support.
TEST(PageBlock, TouchingMakesEveryPageResident) {
  constexpr std::size_t kLength = 8 * kMiB;
  PageBlock block = PageBlock::Map(kLength);
  ASSERT_TRUE(block);
  const void* first = block.data();
  EXPECT_EQ(ResidentPages(first, kLength), 0u);
  TouchPages(block.data(), block.size(), PageSize());
  EXPECT_EQ(ResidentPages(first, kLength), kLength / PageSize());
  block.reset();
  EXPECT_EQ(ResidentPages(first, kLength), 0u);
}

// Given back newest first, as a release does: pages leave in batches, none waits past the last.
TEST(BlockRange, GivenSlotsLeaveInBatchesAndAllOnceEmpty) {
  constexpr std::size_t kSlots = 100, kSlotPages = 10;
  const std::size_t slotLength = kSlotPages * PageSize();
  BlockRange range(slotLength, kSlots);
  ASSERT_TRUE(range);
  std::vector<void*> slots;
  for (std::size_t i = 0; i < kSlots; ++i) {
    slots.push_back(range.Take());
    ASSERT_EQ(PopulateWrite(slots.back(), slotLength), PopulateResult::kDone);
  }
  void* first = slots.front();
  ASSERT_EQ(ResidentPages(first, kSlots * slotLength), kSlots * kSlotPages);
  while (!slots.empty()) {
    range.Give(slots.back());
    slots.pop_back();
    const std::size_t resident = ResidentPages(first, kSlots * slotLength);
    EXPECT_GE(resident, range.live() * kSlotPages);
    EXPECT_LE(resident, (range.live() + BlockRange::kGiveBatch - 1) * kSlotPages) << range.live();
  }
  EXPECT_EQ(ResidentPages(first, kSlots * slotLength), 0u);
}

// A slot handed out again is the one given last, on zeroed pages, and the batch is back too.
TEST(BlockRange, TakeReturnsTheBatchFirst) {
  const std::size_t slotLength = 2 * PageSize();
  BlockRange range(slotLength, 8);
  ASSERT_TRUE(range);
  std::vector<unsigned char*> slots;
  for (int i = 0; i < 8; ++i) {
    slots.push_back(static_cast<unsigned char*>(range.Take()));
    std::memset(slots.back(), 0xA5, slotLength);
  }
  for (int i : {1, 2, 5}) range.Give(slots[i]);
  EXPECT_EQ(range.Take(), slots[5]);
  EXPECT_EQ(ResidentPages(slots[0], 8 * slotLength), (8 - 3) * 2u);
  EXPECT_EQ(slots[5][0], 0);
  EXPECT_EQ(range.Take(), slots[2]);
}

TEST(OomScoreGuard, RaisesWhileAliveAndRestoresAfter) {
  test_support::TempDir dir;
  for (const char* score : {"0\n", "-300\n", "999"}) {
    const auto path = dir.Write("oom_score_adj", score);
    {
      OomScoreGuard guard(path);
      EXPECT_EQ(ReadTextFile(path), "1000");
    }
    EXPECT_EQ(std::stoi(ReadTextFile(path).value()), std::stoi(score));
  }
}

TEST(OomScoreGuard, LeavesUnreadableOrMaximalScoresAlone) {
  test_support::TempDir dir;
  const auto garbled = dir.Write("garbled", "high\n");
  const auto top = dir.Write("top", "1000\n");
  {
    OomScoreGuard a(garbled), b(top), c((dir.path() / "absent").string());
    EXPECT_FALSE(a.previous());
    EXPECT_FALSE(c.previous());
  }
  EXPECT_EQ(ReadTextFile(garbled), "high\n");
  EXPECT_EQ(ReadTextFile(top), "1000\n");
}

TEST(OomScoreGuard, LiveProcessScoreComesBack) {
  const auto before = ReadTextFile(OomScoreGuard::kDefaultPath);
  ASSERT_TRUE(before);
  {
    OomScoreGuard guard;
    EXPECT_EQ(std::stoi(ReadTextFile(OomScoreGuard::kDefaultPath).value()), 1000);
  }
  EXPECT_EQ(ReadTextFile(OomScoreGuard::kDefaultPath), before);
}

}  // namespace
}  // namespace kelvane::mem
