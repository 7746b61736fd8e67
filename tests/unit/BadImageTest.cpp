// Regeneration images of every troublesome kind, through both operations
// that read them: each has one defined outcome, and nothing reaches the
// diskette or the working folder where the image can't serve.
#include <gtest/gtest.h>

#include "media/ConsoleLaunch.h"
#include "media/DisketteWriter.h"
#include "tests/fakes/FakeKernel.h"
#include "tests/fakes/Report.h"
#include "tests/fakes/TestBackend.h"
#include "tests/fakes/TestImage.h"

using namespace fakes;

namespace {

struct NoProgress : media::DisketteProgress {
    int reports = 0;
    void Report(std::optional<std::int32_t>) override { ++reports; }
};

struct BadImage {
    const char* what;
    std::function<void(FakeKernel&)> prepare;
    bool serves;  // both operations succeed on it
};

Bytes sized(std::size_t bytes) {
    Bytes b = NumberedImage(bytes / 512 + 1);
    b.resize(bytes);
    return b;
}

const std::vector<BadImage>& badImages() {
    static const std::vector<BadImage> cases = {
        {"missing", [](FakeKernel&) {}, false},
        {"a folder named Dsck.tr", [](FakeKernel& k) { k.folders.insert("dsck.tr"); }, false},
        {"held open by another program",
         [](FakeKernel& k) {
             k.files["dsck.tr"] = NumberedImage(1408);
             k.lockedByOthers.insert("dsck.tr");
         },
         false},
        {"unreadable",
         [](FakeKernel& k) {
             k.files["dsck.tr"] = NumberedImage(1408);
             k.unreadable.insert("dsck.tr");
         },
         false},
        {"0 sectors", [](FakeKernel& k) { k.files["dsck.tr"] = {}; }, false},
        {"1 sector", [](FakeKernel& k) { k.files["dsck.tr"] = sized(512); }, false},
        {"787 sectors", [](FakeKernel& k) { k.files["dsck.tr"] = sized(787 * 512); }, false},
        {"788 sectors", [](FakeKernel& k) { k.files["dsck.tr"] = sized(788 * 512); }, false},
        {"1,320 sectors", [](FakeKernel& k) { k.files["dsck.tr"] = sized(1320 * 512); }, false},
        {"1,321 sectors less a byte", [](FakeKernel& k) { k.files["dsck.tr"] = sized(1321 * 512 - 1); }, false},
        {"1,321 sectors", [](FakeKernel& k) { k.files["dsck.tr"] = sized(1321 * 512); }, true},
        {"1,407 sectors", [](FakeKernel& k) { k.files["dsck.tr"] = sized(1407 * 512); }, true},
        {"1,408 sectors", [](FakeKernel& k) { k.files["dsck.tr"] = sized(1408 * 512); }, true},
        {"3,000 sectors", [](FakeKernel& k) { k.files["dsck.tr"] = sized(3000 * 512); }, true},
    };
    return cases;
}

}  // namespace

TEST(BadImage, DisketteRunWritesNothingWhereTheImageCannotServe) {
    for (const BadImage& c : badImages()) {
        FakeKernel k;
        c.prepare(k);
        NoProgress progress;
        media::SetDiskettePlatform(false);
        const bool ok = media::WriteRegeneratingDiskette(k, progress);
        EXPECT_EQ(ok, c.serves) << c.what;
        ReportRow("bad-images", {"fakes", "Create Diskette", c.what, ok ? "created" : "write error",
                                 k.disketteFiles.empty() && k.drive == Bytes(k.drive.size(), 0) ? "nothing" : "diskette written"});
        EXPECT_EQ(k.openHandles(), 0) << c.what;
        if (!c.serves) {
            EXPECT_EQ(progress.reports, 0) << c.what;
            EXPECT_EQ(k.drive, Bytes(k.drive.size(), 0)) << c.what;
            EXPECT_TRUE(k.disketteFiles.empty()) << c.what;
        } else {
            EXPECT_EQ(k.disketteFiles["DSCK.TR"].size(), 720896u) << c.what;
            EXPECT_EQ(k.disketteFiles["ZELKOR.EXE"].size(), 96256u) << c.what;
        }
    }
}

TEST(BadImage, LaunchWritesAndStartsNothingWhereTheImageCannotServe) {
    for (const BadImage& c : badImages()) {
        FakeKernel k;
        c.prepare(k);
        TestBackend backend;
        forms::Application app(backend);
        media::RunConsoleLaunch(k, app);
        const bool launched = std::any_of(k.calls.begin(), k.calls.end(),
                                          [](const Call& call) { return call.op == Op::CreateProcess; });
        EXPECT_EQ(launched, c.serves) << c.what;
        ReportRow("bad-images", {"fakes", "Start Regeneration", c.what, launched ? "launched" : "message, no launch",
                                 k.file("zelkor.exe") ? "zelkor.exe written" : "nothing"});
        EXPECT_EQ(backend.messages.size(), c.serves ? 0u : 1u) << c.what;
        EXPECT_EQ(k.openHandles(), 0) << c.what;
        if (!c.serves) {
            EXPECT_EQ(k.file("zelkor.exe"), nullptr) << c.what;
            EXPECT_EQ(k.file("zelkor.tmp"), nullptr) << c.what;
        } else {
            EXPECT_EQ(k.file("zelkor.exe")->size(), 96256u) << c.what;
            EXPECT_EQ(k.file("zelkor.pif")->size(), 1024u) << c.what;
        }
    }
}
