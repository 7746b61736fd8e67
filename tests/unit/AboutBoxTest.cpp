// The about box.
#include <gtest/gtest.h>

#include <set>

#include "app/Logo.h"
#include "tests/fakes/AppFixture.h"

using namespace fakes;

TEST_F(AppFixture, EnterOnTheJustOpenedAboutBoxHidesIt) {
    Form1->About1.click();
    ASSERT_EQ(About->activeControl(), &About->BitBtn1);
    About->keyEnter();
    EXPECT_FALSE(About->visible());
    // Reopened, it shows the same content.
    Form1->About1.click();
    EXPECT_EQ(About->Label2.text(), "Version 1.32");
    EXPECT_EQ(About->Label1.text(), "Dorvane Shell");
    EXPECT_EQ(About->Label4.text(), ProductWebSiteText);
}

TEST_F(AppFixture, WebSiteLinkOpensTheAddressEachTimeAndTheBoxStays) {
    Form1->About1.click();
    shell.answer = 2;  // no browser: nothing is reported
    About->Label4.click();
    About->Label4.click();
    ASSERT_EQ(shell.requests.size(), 2u);
    for (const ShellRequest& r : shell.requests) {
        EXPECT_TRUE(r.hasVerb);
        EXPECT_EQ(r.verb, "open");
        EXPECT_EQ(r.file, ProductWebSite);
        EXPECT_FALSE(r.hasParameters);
        EXPECT_FALSE(r.hasDirectory);
        EXPECT_EQ(r.show, sys::SW_RESTORE);
    }
    EXPECT_TRUE(About->visible());
    EXPECT_TRUE(backend.messages.empty());
}

TEST(AboutLogo, IsAn89By89PictureThatUsesItsPalette) {
    const forms::Picture p = MakeLogo();
    ASSERT_EQ(p.width, 89);
    ASSERT_EQ(p.height, 89);
    ASSERT_EQ(p.pixels.size(), 89u * 89u);
    std::set<std::uint8_t> used(p.pixels.begin(), p.pixels.end());
    EXPECT_GT(used.size(), 16u);  // a gradient and a drawing, not a flat square
}
