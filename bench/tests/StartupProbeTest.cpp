// The start-up probe against the minimal Qt window: it must come back with
// a sample per run, and give up (not hang) on a program that never shows a
// window. Timings are measured, never judged here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/DisketteBytes.h"
#include "bench/support/Programs.h"

namespace {

namespace fs = std::filesystem;

class ProbeRun : public ::testing::Test {
protected:
    ProbeRun() : dir_(fs::temp_directory_path() / ("probe-test-" + std::to_string(::getpid()))) {
        fs::create_directories(dir_);
    }
    ~ProbeRun() override { fs::remove_all(dir_); }

    // Exit status of the probe; its output is in output().
    int probe(const std::vector<std::string>& args) {
        std::vector<std::string> argv{STARTUP_PROBE};
        argv.insert(argv.end(), args.begin(), args.end());
        return bench::runProgram(argv, (dir_ / "out.txt").string());
    }
    std::string output() const {
        const bench::Bytes bytes = bench::readFile(dir_ / "out.txt");
        return std::string(bytes.begin(), bytes.end());
    }

    // The numbers of one JSON array named `key` of subject `subject`.
    std::vector<double> numbers(const std::string& subject, const std::string& key) const {
        const std::string text = output();
        std::size_t at = text.find("\"" + subject + "\":");
        at = at == std::string::npos ? at : text.find("\"" + key + "\": [", at);
        std::vector<double> values;
        if (at == std::string::npos) return values;
        const char* p = text.c_str() + text.find('[', at) + 1;
        while (*p != ']' && *p != '\0') {
            char* end = nullptr;
            values.push_back(std::strtod(p, &end));
            if (end == p) break;
            p = end;
            while (*p == ',' || *p == ' ') ++p;
        }
        return values;
    }

    fs::path dir_;
};

TEST_F(ProbeRun, TimesTheFirstPaintOfBothProgramsInEveryRun) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ASSERT_EQ(probe({"--mode", "paint", "--runs", "2", "--warmup", "0", "--timeout", "60", "--shim", PAINT_SHIM, "--",
                     MINIMAL_QT_WINDOW, "--", MINIMAL_QT_WINDOW}),
              0)
        << output();
    for (const char* subject : {"a", "b"}) {
        const auto ms = numbers(subject, "ms");
        const auto rss = numbers(subject, "rss_kb");
        ASSERT_EQ(ms.size(), 2u) << output();
        ASSERT_EQ(rss.size(), 2u) << output();
        for (double v : ms) EXPECT_GT(v, 0.0);
        // A Qt program can't start in less than its libraries' pages.
        for (double v : rss) EXPECT_GT(v, 1024.0);
    }
}

struct Failure {
    const char* mode;
    const char* program;
};

class ProbeGivesUp : public ProbeRun, public ::testing::WithParamInterface<Failure> {};

TEST_P(ProbeGivesUp, OnAProgramThatShowsNoWindow) {
    if (std::string(GetParam().mode) == "map" && std::getenv("DISPLAY") == nullptr)
        GTEST_SKIP() << "map mode needs an X display (bench/run.sh runs these under Xvfb)";
    ::setenv("QT_QPA_PLATFORM", std::string(GetParam().mode) == "map" ? "xcb" : "offscreen", 1);
    EXPECT_NE(probe({"--mode", GetParam().mode, "--runs", "1", "--warmup", "0", "--timeout", "5", "--shim", PAINT_SHIM,
                     "--title-a", "No Such Window", "--title-b", "No Such Window", "--", GetParam().program, "--",
                     GetParam().program}),
              0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProbeGivesUp,
                         ::testing::Values(Failure{"paint", "true"}, Failure{"paint", "/no/such/program"},
                                           Failure{"map", "true"}, Failure{"map", MINIMAL_QT_WINDOW}));

TEST_F(ProbeRun, SeesTheMinimalWindowMappedOnXvfb) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display (bench/run.sh runs this under Xvfb)";
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ASSERT_EQ(probe({"--mode", "map", "--runs", "1", "--warmup", "0", "--timeout", "60", "--title-a",
                     "Minimal Qt Window", "--title-b", "Minimal Qt Window", "--", MINIMAL_QT_WINDOW, "--",
                     MINIMAL_QT_WINDOW}),
              0)
        << output();
    EXPECT_EQ(numbers("a", "ms").size(), 1u) << output();
    EXPECT_EQ(numbers("b", "rss_kb").size(), 1u) << output();
}

}  // namespace
