// Opening addresses: the handler must get the whole address as its only
// argument, whatever it contains, and must not be left behind as a zombie.
#include <poll.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Support.h"
#include "platform/posix/PosixShell.h"

namespace posix::test {
namespace {

using namespace std::chrono_literals;

class ShellTest : public ::testing::Test {
protected:
    // The handler records its argument count, process id, working folder and
    // argument, and renames its report into place last, so a report that
    // exists is complete.
    void SetUp() override {
        std::ofstream(handler_) << "#!/bin/sh\nprintf '%s\\n%s\\n%s\\n%s' \"$#\" \"$$\" \"$(pwd)\" \"$1\" > "
                                << report_ << ".tmp\nmv " << report_ << ".tmp " << report_ << "\n";
        std::filesystem::permissions(handler_, std::filesystem::perms::owner_all);
    }

    // Waits for the report and for the handler to be reaped; returns the
    // report's lines.
    std::vector<std::string> reportOfHandler() {
        std::vector<std::string> lines;
        if (!waitFor([&] { return std::filesystem::exists(report_); }, 10s)) {
            ADD_FAILURE() << "the handler never ran";
            return lines;
        }
        const Bytes bytes = readFile(report_);
        std::istringstream text(std::string(bytes.begin(), bytes.end()));
        for (std::string line; lines.size() < 3 && std::getline(text, line);) lines.push_back(line);
        lines.emplace_back(std::istreambuf_iterator<char>(text), std::istreambuf_iterator<char>());
        std::filesystem::remove(report_);
        EXPECT_TRUE(waitFor([&] { return !std::filesystem::exists("/proc/" + lines[1]); }, 10s))
            << "handler " << lines[1] << " left as a zombie";
        return lines;
    }

    TempFolder folder_;
    std::string handler_ = folder_.path() + "/handler.sh";
    std::string report_ = folder_.path() + "/report";
    PosixShell shell_{handler_};
};

TEST_F(ShellTest, AddressArrivesWholeAsOneArgument) {
    for (const char* address :
         {"https://www.example.invalid/page?a=1&b=two words#part",
          "mailto:support@example.invalid?Subject=Dorvane Shell 1.32&Body=A & B%20\r\nline two; $(id) `id` 'q' \"q\"",
          "-starts-with-a-dash", "*"}) {
        EXPECT_GT(shell_.ShellExecuteA(nullptr, address, nullptr, nullptr, SW_SHOWNORMAL), 32);
        const auto report = reportOfHandler();
        ASSERT_EQ(report.size(), 4u);
        EXPECT_EQ(report[0], "1");
        EXPECT_EQ(report[3], address);
    }
}

TEST_F(ShellTest, VerbsAndFolder) {
    std::filesystem::create_directory(folder_.path() + "/docs");
    EXPECT_GT(shell_.ShellExecuteA("open", "file.txt", nullptr, (folder_.path() + "/docs").c_str(), SW_RESTORE), 32);
    const auto report = reportOfHandler();
    ASSERT_EQ(report.size(), 4u);
    EXPECT_EQ(report[2], folder_.path() + "/docs");

    EXPECT_LE(shell_.ShellExecuteA("print", "file.txt", nullptr, nullptr, SW_SHOWNORMAL), 32);
    EXPECT_LE(shell_.ShellExecuteA(nullptr, "", nullptr, nullptr, SW_SHOWNORMAL), 32);
    PosixShell absent(folder_.path() + "/no-such-handler");
    EXPECT_EQ(absent.ShellExecuteA(nullptr, "https://example.invalid", nullptr, nullptr, SW_SHOWNORMAL), 2);
    EXPECT_FALSE(std::filesystem::exists(report_));
}

// Linux takes at most 131,072 bytes (the terminating zero included) for one
// argument: a longer address cannot start the handler, and the caller must
// hear so rather than a success.
TEST_F(ShellTest, AnAddressOverTheArgumentLimitIsAFailureToStart) {
    const struct {
        std::size_t length;
        bool starts;
    } cases[] = {{131'071, true}, {131'072, false}, {200'000, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string address = "mailto:x@example.invalid?Body=" + std::string(c.length - 30, 'a');
        ASSERT_EQ(address.size(), c.length);
        const std::intptr_t result = shell_.ShellExecuteA(nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        if (c.starts) {
            EXPECT_GT(result, 32);
            const auto report = reportOfHandler();
            ASSERT_EQ(report.size(), 4u);
            EXPECT_EQ(report[3], address);
        } else {
            EXPECT_LE(result, 32);
            EXPECT_FALSE(std::filesystem::exists(report_));
        }
    }
}

// A handler that starts and then exits with a non-zero status is told to the
// watcher, whenever it ends; one that succeeds, or still runs, is not.
TEST_F(ShellTest, AHandlerThatFailsAfterStartingIsToldToTheWatcher) {
    const struct {
        const char* ending;
        bool told;
    } cases[] = {{"exit 1", true}, {"exit 0", false}, {"exec sleep 3", false}};
    const std::string script = folder_.path() + "/ending.sh", started = folder_.path() + "/started";
    const char* address = "mailto:x@example.invalid?Subject=a b";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ending);
        std::filesystem::remove(started);
        std::ofstream(script) << "#!/bin/sh\ntouch " << started << "\n" << c.ending << "\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        PosixShell shell(script);
        std::vector<std::string> told;
        shell.WatchHandlers([&](const std::string& file) { told.push_back(file); });
        ASSERT_GT(shell.ShellExecuteA(nullptr, address, nullptr, nullptr, SW_SHOWNORMAL), 32);
        ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(started); }, 10s));
        pollfd ended{shell.endedHandlers(), POLLIN, 0};
        const int ready = ::poll(&ended, 1, c.told ? 10'000 : 300);
        EXPECT_EQ(ready, c.told ? 1 : 0);
        shell.collectEndedHandlers();
        EXPECT_EQ(told, c.told ? std::vector<std::string>{address} : std::vector<std::string>{});
        // Collected once: nothing waits any more.
        EXPECT_EQ(::poll(&ended, 1, 0), 0);
    }
}

}  // namespace
}  // namespace posix::test
