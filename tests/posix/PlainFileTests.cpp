// Plain files in the working directory: dispositions, share modes, transfers,
// rename and delete, with the results Win32 gives.
#include <filesystem>

#include "Support.h"
#include "platform/posix/ErrnoToWin32Error.h"

namespace posix::test {
namespace {

namespace fs = std::filesystem;
const Bytes kOld = {'o', 'l', 'd', '!'};

enum class Before { Missing, File, Folder };

struct DispositionCase {
    const char* label;
    Before before;
    DWORD disposition;
    DWORD error;           // NO_ERROR: the open succeeds
    DWORD errorOnSuccess;  // GetLastError right after a successful open
    std::uintmax_t sizeAfter;
};

class Dispositions : public PosixTest, public ::testing::WithParamInterface<DispositionCase> {};

TEST_P(Dispositions, ResultAndContent) {
    const DispositionCase& c = GetParam();
    if (c.before == Before::File)
        writeFile("f.bin", kOld);
    else if (c.before == Before::Folder)
        fs::create_directory("f.bin");
    const Handle h = kernel_.CreateFileA("f.bin", GENERIC_READ | GENERIC_WRITE, 0, c.disposition, 0);
    EXPECT_EQ(h == INVALID_HANDLE_VALUE, c.error != NO_ERROR);
    EXPECT_EQ(kernel_.GetLastError(), h == INVALID_HANDLE_VALUE ? c.error : c.errorOnSuccess);
    if (h != INVALID_HANDLE_VALUE) {
        EXPECT_TRUE(kernel_.CloseHandle(h));
    }
    if (fs::is_regular_file("f.bin")) {
        EXPECT_EQ(fs::file_size("f.bin"), c.sizeAfter);
    }
    EXPECT_EQ(fs::exists("f.bin"), c.before != Before::Missing || c.error == NO_ERROR);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Dispositions,
    ::testing::Values(
        DispositionCase{"CreateNewMissing", Before::Missing, CREATE_NEW, NO_ERROR, NO_ERROR, 0},
        DispositionCase{"CreateNewExisting", Before::File, CREATE_NEW, ERROR_FILE_EXISTS, 0, 4},
        DispositionCase{"CreateAlwaysTruncates", Before::File, CREATE_ALWAYS, NO_ERROR, ERROR_ALREADY_EXISTS, 0},
        DispositionCase{"CreateAlwaysMissing", Before::Missing, CREATE_ALWAYS, NO_ERROR, NO_ERROR, 0},
        DispositionCase{"OpenExistingKeeps", Before::File, OPEN_EXISTING, NO_ERROR, NO_ERROR, 4},
        DispositionCase{"OpenExistingMissing", Before::Missing, OPEN_EXISTING, ERROR_FILE_NOT_FOUND, 0, 0},
        DispositionCase{"FolderOpenExisting", Before::Folder, OPEN_EXISTING, ERROR_ACCESS_DENIED, 0, 0},
        DispositionCase{"FolderCreateAlways", Before::Folder, CREATE_ALWAYS, ERROR_ACCESS_DENIED, 0, 0},
        DispositionCase{"FolderCreateNew", Before::Folder, CREATE_NEW, ERROR_FILE_EXISTS, 0, 0}),
    [](const auto& p) { return std::string(p.param.label); });

struct ShareCase {
    DWORD firstShare;
    DWORD secondShare;
    bool secondOpens;
};

class ShareModes : public PosixTest, public ::testing::WithParamInterface<ShareCase> {};

TEST_P(ShareModes, SecondOpener) {
    writeFile("f.bin", kOld);
    const Handle first = kernel_.CreateFileA("f.bin", GENERIC_READ, GetParam().firstShare, OPEN_EXISTING, 0);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    const Handle second = kernel_.CreateFileA("f.bin", GENERIC_READ, GetParam().secondShare, OPEN_EXISTING, 0);
    EXPECT_EQ(second != INVALID_HANDLE_VALUE, GetParam().secondOpens);
    if (second == INVALID_HANDLE_VALUE) {
        EXPECT_EQ(kernel_.GetLastError(), ERROR_SHARING_VIOLATION);
        // A refused CREATE_ALWAYS must not have truncated the held file.
        EXPECT_EQ(kernel_.CreateFileA("f.bin", GENERIC_WRITE, 0, CREATE_ALWAYS, 0), INVALID_HANDLE_VALUE);
        EXPECT_EQ(readFile("f.bin"), kOld);
    }
    kernel_.CloseHandle(second);
    EXPECT_TRUE(kernel_.CloseHandle(first));
    const Handle again = kernel_.CreateFileA("f.bin", GENERIC_READ, 0, OPEN_EXISTING, 0);
    EXPECT_NE(again, INVALID_HANDLE_VALUE) << "a closed handle still holds the file";
    kernel_.CloseHandle(again);
}

INSTANTIATE_TEST_SUITE_P(Table, ShareModes,
                         ::testing::Values(ShareCase{0, 0, false}, ShareCase{0, 3, false}, ShareCase{1, 0, false},
                                           ShareCase{1, 1, true}, ShareCase{3, 3, true}));

TEST_F(PosixTest, WriteSeekReadRoundTrip) {
    const Bytes data = pattern(100000, 1);
    DWORD done = 0;
    const Handle w = kernel_.CreateFileA("f.bin", GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(kernel_.WriteFile(w, data.data(), 60000, &done));
    ASSERT_TRUE(kernel_.WriteFile(w, data.data() + 60000, 40000, &done));
    Bytes buffer(2048);
    EXPECT_FALSE(kernel_.ReadFile(w, buffer.data(), 4, &done));
    EXPECT_EQ(kernel_.GetLastError(), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(kernel_.CloseHandle(w));

    const Handle r = kernel_.CreateFileA("f.bin", GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    DWORD high = 7;
    EXPECT_EQ(kernel_.GetFileSize(r, &high), 100000u);
    EXPECT_EQ(high, 0u);
    // The last read crosses the end: it delivers the rest and succeeds.
    for (const auto& [at, want, got] : {std::tuple{131 * 512, 1024u, 1024u}, {99000, 2048u, 1000u}}) {
        EXPECT_EQ(kernel_.SetFilePointer(r, at, FILE_BEGIN), static_cast<DWORD>(at));
        ASSERT_TRUE(kernel_.ReadFile(r, buffer.data(), want, &done));
        EXPECT_EQ(done, got);
        EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + got, data.begin() + at));
    }
    EXPECT_EQ(kernel_.SetFilePointer(r, -1, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(kernel_.GetLastError(), ERROR_NEGATIVE_SEEK);
    EXPECT_FALSE(kernel_.WriteFile(r, data.data(), 1, &done));
    EXPECT_EQ(kernel_.GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(kernel_.CloseHandle(r));
    EXPECT_EQ(kernel_.openHandleCount(), 0u);
}

TEST_F(PosixTest, UnknownHandlesAreInvalid) {
    const Handle closed = kernel_.CreateFileA("f.bin", GENERIC_WRITE, 0, CREATE_NEW, 0);
    ASSERT_TRUE(kernel_.CloseHandle(closed));
    DWORD done = 0;
    char byte = 0;
    for (const Handle bad : {INVALID_HANDLE_VALUE, Handle{0}, closed}) {
        EXPECT_FALSE(kernel_.CloseHandle(bad));
        EXPECT_EQ(kernel_.GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(kernel_.WriteFile(bad, &byte, 1, &done));
        EXPECT_EQ(kernel_.GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_EQ(kernel_.GetFileSize(bad, nullptr), INVALID_FILE_SIZE);
    }
}

TEST_F(PosixTest, MoveNeverReplaces) {
    writeFile("from.bin", kOld);
    writeFile("to.bin", {'k'});
    EXPECT_FALSE(kernel_.MoveFileA("from.bin", "to.bin"));
    EXPECT_EQ(kernel_.GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(readFile("to.bin"), Bytes{'k'});
    EXPECT_TRUE(kernel_.MoveFileA("from.bin", "moved.bin"));
    EXPECT_EQ(readFile("moved.bin"), kOld);
    EXPECT_FALSE(fs::exists("from.bin"));
    EXPECT_FALSE(kernel_.MoveFileA("from.bin", "other.bin"));
    EXPECT_EQ(kernel_.GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(kernel_.MoveFileA("moved.bin", "nowhere/x.bin"));
    EXPECT_EQ(kernel_.GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(PosixTest, DeleteFailures) {
    fs::create_directory("folder");
    writeFile("open.bin", kOld);
    const Handle h = kernel_.CreateFileA("open.bin", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0);
    const std::pair<const char*, DWORD> cases[] = {{"missing.bin", ERROR_FILE_NOT_FOUND},
                                                   {"nowhere/missing.bin", ERROR_PATH_NOT_FOUND},
                                                   {"folder", ERROR_ACCESS_DENIED},
                                                   {"open.bin", ERROR_SHARING_VIOLATION},
                                                   {"a:/DSCK.TR", ERROR_NOT_SUPPORTED},
                                                   {"c:\\file.txt", ERROR_PATH_NOT_FOUND}};
    for (const auto& [name, error] : cases) {
        EXPECT_FALSE(kernel_.DeleteFileA(name)) << name;
        EXPECT_EQ(kernel_.GetLastError(), error) << name;
    }
    EXPECT_FALSE(kernel_.MoveFileA("open.bin", "g.bin"));
    EXPECT_EQ(kernel_.GetLastError(), ERROR_SHARING_VIOLATION);
    kernel_.CloseHandle(h);
    EXPECT_TRUE(kernel_.DeleteFileA("open.bin"));
    EXPECT_FALSE(fs::exists("open.bin"));
}

}  // namespace
}  // namespace posix::test
