// Files created on drive A:'s FAT12 file system through the kernel, checked
// by tools nobody here wrote: fsck.fat must find the volume clean, and mdir
// and mcopy must list the files and give them back byte for byte.
#include <filesystem>

#include "Support.h"
#include "platform/posix/ErrnoToWin32Error.h"

namespace posix::test {
namespace {

class DriveFileTest : public PosixTest {
protected:
    void SetUp() override { makeBlankDiskette("A.img"); }

    Handle create(const std::string& name) {
        return kernel_.CreateFileA(name.c_str(), GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    }

    // Writes `data` in pieces whose sizes cycle through `pieces`; returns the
    // byte count the kernel reports.
    std::size_t writeInPieces(Handle h, const Bytes& data, const std::vector<std::size_t>& pieces) {
        std::size_t at = 0;
        for (std::size_t i = 0; at < data.size(); ++i) {
            DWORD done = 0;
            const auto piece = static_cast<DWORD>(std::min(pieces[i % pieces.size()], data.size() - at));
            const bool ok = kernel_.WriteFile(h, data.data() + at, piece, &done);
            at += done;
            if (!ok) break;
        }
        return at;
    }

    static void expectClean(const char* when) {
        const RunResult fsck = run({"fsck.fat", "-n", "A.img"});
        EXPECT_EQ(fsck.exitCode, 0) << when << ":\n" << fsck.output;
    }

    static Bytes copyOut(const std::string& name) {
        std::filesystem::remove("out.bin");
        const RunResult copy = run({"mcopy", "-i", "A.img", "::" + name, "out.bin"});
        EXPECT_EQ(copy.exitCode, 0) << copy.output;
        return readFile("out.bin");
    }
};

TEST_F(DriveFileTest, FilesOfEverySizeReadBackByPeers) {
    const std::tuple<const char*, const char*, std::size_t> files[] = {
        {"a:/EMPTY.BIN", "EMPTY.BIN", 0},  {"a:one.bin", "ONE.BIN", 1},   {"A:/s511.dat", "S511.DAT", 511},
        {"a:\\S512.DAT", "S512.DAT", 512}, {"a:S513.DAT", "S513.DAT", 513}, {"a:/Dsck.tr", "DSCK.TR", 720896},
        {"a:zelkor.exe", "ZELKOR.EXE", 96256}};
    std::uint32_t seed = 10;
    for (const auto& [createAs, stored, size] : files) {
        const Handle h = create(createAs);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << createAs << ": " << kernel_.GetLastError();
        EXPECT_EQ(writeInPieces(h, pattern(size, seed++), {1, 700, 65536, 3, 512, 4096}), size);
        EXPECT_EQ(kernel_.GetFileSize(h, nullptr), size);
        EXPECT_TRUE(kernel_.CloseHandle(h));
    }
    expectClean("after all files");
    const RunResult listing = run({"mdir", "-b", "-i", "A.img", "::"});
    seed = 10;
    for (const auto& [createAs, stored, size] : files) {
        EXPECT_EQ(copyOut(stored), pattern(size, seed++)) << stored;
        EXPECT_NE(listing.output.find(std::string("::/") + stored), std::string::npos) << listing.output;
    }
}

TEST_F(DriveFileTest, ConsistentBetweenWrites) {
    const Handle h = create("a:/GROW.BIN");
    const Bytes data = pattern(3000, 4);
    DWORD done = 0;
    ASSERT_TRUE(kernel_.WriteFile(h, data.data(), 1300, &done));
    expectClean("while the file is still open");
    EXPECT_EQ(copyOut("GROW.BIN"), Bytes(data.begin(), data.begin() + 1300));
    ASSERT_TRUE(kernel_.WriteFile(h, data.data() + 1300, 1700, &done));
    EXPECT_TRUE(kernel_.CloseHandle(h));
    EXPECT_EQ(copyOut("GROW.BIN"), data);
}

TEST_F(DriveFileTest, DiskFullKeepsWhatWasWritten) {
    const Handle h = create("a:/BIG.BIN");
    const Bytes data = pattern(1500000, 7);
    const std::size_t written = writeInPieces(h, data, {65536});
    EXPECT_EQ(kernel_.GetLastError(), ERROR_DISK_FULL);
    EXPECT_EQ(written, std::size_t{DisketteClusters} * 512);
    EXPECT_TRUE(kernel_.CloseHandle(h));

    const Handle more = create("a:/MORE.TXT");
    DWORD done = 9;
    EXPECT_FALSE(kernel_.WriteFile(more, data.data(), 1, &done));
    EXPECT_EQ(kernel_.GetLastError(), ERROR_DISK_FULL);
    EXPECT_EQ(done, 0u);
    EXPECT_TRUE(kernel_.CloseHandle(more));

    expectClean("after the disk filled up");
    EXPECT_EQ(copyOut("BIG.BIN"), Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(written)));
    EXPECT_TRUE(copyOut("MORE.TXT").empty());
}

TEST_F(DriveFileTest, RequestsItRefuses) {
    writeFile("peer.exe", pattern(100, 1));
    ASSERT_EQ(run({"mcopy", "-i", "A.img", "peer.exe", "::ZELKOR.EXE"}).exitCode, 0);
    kernel_.CloseHandle(create("a:/Dsck.tr"));
    const Bytes before = readFile("A.img");
    const struct {
        const char* name;
        DWORD access;
        DWORD disposition;
        DWORD error;
    } cases[] = {
        {"a:DSCK.TR", GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS},
        {"A:\\dsck.Tr", GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS},
        {"a:/Zelkor.Exe", GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS},
        {"a:/LONGFILENAME.TXT", GENERIC_WRITE, CREATE_NEW, ERROR_INVALID_NAME},
        {"a:/A.B.C", GENERIC_WRITE, CREATE_NEW, ERROR_INVALID_NAME},
        {"a:/NAME.TEXT", GENERIC_WRITE, CREATE_NEW, ERROR_INVALID_NAME},
        {"a:/WITH SPACE", GENERIC_WRITE, CREATE_NEW, ERROR_INVALID_NAME},
        {"a:*.TXT", GENERIC_WRITE, CREATE_NEW, ERROR_INVALID_NAME},
        {"a:/SUB/FILE.TXT", GENERIC_WRITE, CREATE_NEW, ERROR_PATH_NOT_FOUND},
        {"a:/", GENERIC_WRITE, CREATE_NEW, ERROR_ACCESS_DENIED},
        {"b:/FILE.TXT", GENERIC_WRITE, CREATE_NEW, ERROR_PATH_NOT_FOUND},
        {"a:/FILE.TXT", GENERIC_READ, OPEN_EXISTING, ERROR_NOT_SUPPORTED},
        {"a:/FILE.TXT", GENERIC_WRITE, CREATE_ALWAYS, ERROR_NOT_SUPPORTED},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kernel_.CreateFileA(c.name, c.access, 0, c.disposition, 0), INVALID_HANDLE_VALUE) << c.name;
        EXPECT_EQ(kernel_.GetLastError(), c.error) << c.name;
    }
    EXPECT_EQ(readFile("A.img"), before);
    std::filesystem::remove("A.img");
    EXPECT_EQ(create("a:/X.TXT"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(kernel_.GetLastError(), ERROR_NOT_READY);
    EXPECT_FALSE(std::filesystem::exists("A.img"));
}

TEST_F(DriveFileTest, OneWriterAtATime) {
    const Handle raw = kernel_.CreateFileA("\\\\.\\a:", GENERIC_WRITE, 3, OPEN_EXISTING, FILE_FLAG_WRITE_THROUGH);
    EXPECT_EQ(create("a:/X.TXT"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(kernel_.GetLastError(), ERROR_SHARING_VIOLATION);
    kernel_.CloseHandle(raw);
    const Handle first = create("a:/X.TXT");
    EXPECT_EQ(create("a:/Y.TXT"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(kernel_.GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_TRUE(kernel_.CloseHandle(first));
    EXPECT_TRUE(kernel_.CloseHandle(create("a:/Y.TXT")));
}

TEST_F(DriveFileTest, DamagedVolumesAreRefusedUnchanged) {
    // A file of three clusters (2, 3, 4) whose chain the cases damage.
    writeFile("three.bin", pattern(1500, 2));
    ASSERT_EQ(run({"mcopy", "-i", "A.img", "three.bin", "::THREE.BIN"}).exitCode, 0);
    const Bytes good = readFile("A.img");
    const auto link = [](Bytes& image, std::uint32_t cluster, std::uint32_t next) {
        for (const std::size_t table : {512u, 10 * 512u}) {
            std::uint8_t* at = image.data() + table + cluster * 3 / 2;
            const unsigned pair = (at[0] | at[1] << 8) & ((cluster & 1) ? 0x000Fu : 0xF000u);
            const unsigned value = pair | ((cluster & 1) ? next << 4 : next);
            at[0] = static_cast<std::uint8_t>(value), at[1] = static_cast<std::uint8_t>(value >> 8);
        }
    };
    const std::pair<const char*, std::function<void(Bytes&)>> cases[] = {
        {"chain loops back", [&](Bytes& b) { link(b, 4, 2); }},
        {"chain leaves the volume", [&](Bytes& b) { link(b, 3, 3000); }},
        {"chain reaches a free cluster", [&](Bytes& b) { link(b, 3, 0); }},
        {"two files share clusters",
         [](Bytes& b) { std::copy_n(b.begin() + 19 * 512, 32, b.begin() + 19 * 512 + 32), b[19 * 512 + 32] = 'X'; }},
        {"bytes per sector", [](Bytes& b) { b[0x0B] = 0, b[0x0C] = 4; }},
        {"more sectors than the image", [](Bytes& b) { b[0x13] = 0x80, b[0x14] = 0x16; }},
    };
    for (const auto& [label, damage] : cases) {
        Bytes damaged = good;
        damage(damaged);
        writeFile("A.img", damaged);
        EXPECT_EQ(create("a:/NEW.TXT"), INVALID_HANDLE_VALUE) << label;
        EXPECT_EQ(kernel_.GetLastError(), ERROR_FILE_CORRUPT) << label;
        EXPECT_EQ(readFile("A.img"), damaged) << label;
    }
}

// Other systems clear only the first byte of the slot that ends the
// directory; what lies behind it is not a file, before or after ours.
TEST_F(DriveFileTest, StaleEntriesBehindTheEndOfTheDirectoryStayHidden) {
    Bytes image = readFile("A.img");
    const std::string stale = "STALE   TXT\x20";
    std::copy(stale.begin(), stale.end(), image.begin() + 19 * 512 + 32);  // slot 1; slot 0 ends the directory
    writeFile("A.img", image);
    ASSERT_TRUE(kernel_.CloseHandle(create("a:/NEW.TXT")));
    const RunResult listing = run({"mdir", "-b", "-i", "A.img", "::"});
    EXPECT_NE(listing.output.find("::/NEW.TXT"), std::string::npos) << listing.output;
    EXPECT_EQ(listing.output.find("STALE"), std::string::npos) << listing.output;
    expectClean("after a file took the end marker's slot");
}

TEST_F(DriveFileTest, FullRootDirectory) {
    for (int i = 0; i < 224; ++i) ASSERT_TRUE(kernel_.CloseHandle(create("a:/F" + std::to_string(i) + ".TXT"))) << i;
    EXPECT_EQ(create("a:/ONEMORE.TXT"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(kernel_.GetLastError(), ERROR_CANNOT_MAKE);
    expectClean("with a full root directory");
}

}  // namespace
}  // namespace posix::test
