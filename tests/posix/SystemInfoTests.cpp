// Version, process launch and locale: what Linux tells the shell.
#include <clocale>

#include "Support.h"
#include "platform/posix/PosixLocale.h"

namespace posix::test {
namespace {

TEST(SystemInfo, VersionIsTheNtFamily) {
    PosixKernel kernel;
    for (const DWORD size : {DWORD{sizeof(OsVersionInfo)}, DWORD{0}, DWORD{156}}) {
        OsVersionInfo info{};
        info.dwOSVersionInfoSize = size;
        EXPECT_EQ(kernel.GetVersionExA(&info), size == sizeof info);
        EXPECT_EQ(info.dwPlatformId, size == sizeof info ? VER_PLATFORM_WIN32_NT : 0u);
        if (size != sizeof info) {
            EXPECT_EQ(kernel.GetLastError(), ERROR_INVALID_PARAMETER);
        }
    }
}

TEST(SystemInfo, NoLaunchOfProgramInformationFiles) {
    PosixKernel kernel;
    ProcessInformation process{77, 78, 79, 80};
    char commandLine[] = "zelkor.pif";
    StartupInfo startup{};
    startup.cb = sizeof startup;
    EXPECT_FALSE(kernel.CreateProcessA("zelkor.pif", commandLine, false, 0, startup, &process));
    EXPECT_EQ(kernel.GetLastError(), ERROR_NOT_SUPPORTED);
    EXPECT_EQ(process.hProcess, 0);
}

TEST(SystemInfo, DecimalSeparatorFollowsTheUsersLocale) {
    TempFolder folder;
    // A German locale built into the test folder, whatever the machine has.
    const RunResult built = run({"localedef", "-i", "de_DE", "-f", "UTF-8", folder.path() + "/de_DE.UTF-8"});
    if (built.exitCode != 0 && built.exitCode != 1)  // 1: built, with warnings
        GTEST_SKIP() << "localedef cannot build de_DE here: " << built.output;
    ScopedEnv path("LOCPATH", folder.path());
    ScopedEnv all("LC_ALL", std::nullopt), numeric("LC_NUMERIC", std::nullopt), lang("LANG", std::nullopt);
    const std::string processLocale = std::setlocale(LC_NUMERIC, nullptr);
    const struct {
        const char* variable;
        const char* value;
        char separator;
    } cases[] = {{"LC_ALL", "de_DE.UTF-8", ','}, {"LC_NUMERIC", "de_DE.UTF-8", ','}, {"LANG", "de_DE.UTF-8", ','},
                 {"LC_ALL", "C", '.'},           {"LC_ALL", "xx_NOWHERE.UTF-8", '.'}};
    PosixLocale locale;
    for (const auto& c : cases) {
        ScopedEnv setting(c.variable, std::string(c.value));
        EXPECT_EQ(locale.DecimalSeparator(), c.separator) << c.variable << "=" << c.value;
    }
    EXPECT_EQ(locale.DecimalSeparator(), '.');
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), processLocale);
}

}  // namespace
}  // namespace posix::test
