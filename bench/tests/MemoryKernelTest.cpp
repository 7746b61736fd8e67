// The allocation count rests on two things: a kernel that serves a whole
// run without allocating, and an allocator replacement that really counts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/alloc/CountingAllocator.h"
#include "bench/alloc/MemoryKernel.h"
#include "bench/support/DisketteBytes.h"
#include "media/DisketteWriter.h"
#include "tools/SampleImage.h"

namespace {

class CountingProgress final : public media::DisketteProgress {
public:
    void Report(std::optional<std::int32_t>) override { ++reports; }
    int reports = 0;
};

bool same(std::span<const std::uint8_t> got, const bench::Bytes& expected) {
    return std::equal(got.begin(), got.end(), expected.begin(), expected.end());
}

TEST(MemoryKernel, ServesAWholeRunWithTheImagesBytes) {
    const bench::Bytes image = sample::buildImageHead();
    const auto kernel = std::make_unique<alloc::MemoryKernel>(image);
    CountingProgress progress;
    ASSERT_TRUE(media::WriteRegeneratingDiskette(*kernel, progress));
    EXPECT_EQ(progress.reports, 22);
    EXPECT_TRUE(same(kernel->diskette().first(788 * 512), bench::rebuildRawArea(image)));
    EXPECT_TRUE(same(kernel->file("a:/Dsck.tr"), bench::imageCopy(image)));
    EXPECT_TRUE(same(kernel->file("a:zelkor.exe"), bench::consoleProgram(image)));
    EXPECT_EQ(kernel->openHandles(), 0);
}

// The run's own failure paths close what they opened on this kernel too.
TEST(MemoryKernel, ASecondRunFailsAtTheExistingFileWithEveryHandleClosed) {
    const auto kernel = std::make_unique<alloc::MemoryKernel>(sample::buildImageHead());
    CountingProgress progress;
    ASSERT_TRUE(media::WriteRegeneratingDiskette(*kernel, progress));
    EXPECT_FALSE(media::WriteRegeneratingDiskette(*kernel, progress));
    EXPECT_EQ(kernel->openHandles(), 0);
}

struct Refusal {
    const char* name;
    sys::DWORD disposition;
    sys::LONG seekTo;  // for the raw volume: where a one-sector write must fail
};

class MemoryKernelRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(MemoryKernelRefuses, WhatADisketteWouldRefuse) {
    const auto kernel = std::make_unique<alloc::MemoryKernel>(sample::buildImageHead());
    const Refusal& r = GetParam();
    const sys::Handle h = kernel->CreateFileA(r.name, sys::GENERIC_WRITE, 0, r.disposition, 0);
    if (r.seekTo < 0) {
        EXPECT_EQ(h, sys::INVALID_HANDLE_VALUE);
        return;
    }
    ASSERT_NE(h, sys::INVALID_HANDLE_VALUE);
    kernel->SetFilePointer(h, r.seekTo, sys::FILE_BEGIN);
    const std::vector<std::uint8_t> sector(512);
    sys::DWORD written = 0;
    EXPECT_FALSE(kernel->WriteFile(h, sector.data(), 512, &written));
    EXPECT_EQ(written, 0u);
    EXPECT_TRUE(kernel->CloseHandle(h));
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoryKernelRefuses,
                         ::testing::Values(Refusal{"\\\\.\\a:", sys::OPEN_EXISTING, 2880 * 512},
                                           Refusal{"\\\\.\\a:", sys::OPEN_EXISTING, 2880 * 512 - 256},
                                           Refusal{"a:/Other.txt", sys::CREATE_NEW, -1},
                                           Refusal{"a:/Dsck.tr", sys::CREATE_ALWAYS, -1},
                                           Refusal{"Dsck.tr", sys::CREATE_NEW, -1}));

// Calls malloc through a volatile pointer, so the compiler can't drop the
// allocation.
void* allocate(std::size_t bytes) {
    void* (*volatile call)(std::size_t) = std::malloc;
    return call(bytes);
}

struct Allocations {
    const char* what;
    std::function<void()> action;
    std::size_t expected;
};

class CountingAllocator : public ::testing::TestWithParam<Allocations> {};

TEST_P(CountingAllocator, CountsEachAllocationOnce) {
    alloc::startCounting();
    alloc::keepSites(true);
    GetParam().action();
    alloc::stopCounting();
    EXPECT_EQ(alloc::allocationCount(), GetParam().expected);
    const std::vector<alloc::Site> sites = alloc::keptSites();
    ASSERT_EQ(sites.size(), GetParam().expected);
    for (const alloc::Site& site : sites) EXPECT_FALSE(site.frames.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CountingAllocator,
    ::testing::Values(Allocations{"nothing", [] { std::string small = "fits inline"; (void)small; }, 0},
                      Allocations{"malloc", [] { std::free(allocate(40)); }, 1},
                      Allocations{"operator_new",
                                  [] {
                                      auto* volatile p = new std::vector<int>(1000);
                                      delete p;
                                  },
                                  2},
                      Allocations{"calloc_and_realloc",
                                  [] {
                                      void* p = std::calloc(4, 8);
                                      p = std::realloc(p, 4096);
                                      std::free(p);
                                  },
                                  2}),
    [](const auto& test) { return std::string(test.param.what); });

TEST(CountingAllocatorWindow, KeepsNoStacksUntilAsked) {
    alloc::startCounting();
    std::free(allocate(16));
    alloc::keepSites(true);
    std::free(allocate(16));
    alloc::stopCounting();
    EXPECT_EQ(alloc::allocationCount(), 2u);
    ASSERT_EQ(alloc::keptSites().size(), 1u);
    EXPECT_EQ(alloc::keptSites()[0].ordinal, 1u);
}

}  // namespace
