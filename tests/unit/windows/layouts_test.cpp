// The screen saver's stored layouts: each pinned by its fingerprint, so that no number or
// text changes unnoticed, and each keeping the rules of a sound layout.
#include "saver/windows/layouts/layouts.h"

#include <gtest/gtest.h>

#include "common/site.h"
#include "layout_checks.h"
#include "saver/windows/layouts/site_name.h"

namespace {

using mt::test::LayoutFingerprint;
using mt::windows::SiteName;

// The site address and the web button's caption follow the build setting.
const std::vector<std::pair<std::string, std::string>> kSite = {
    {mt::SiteUrl(), "<site>"}, {SiteName(mt::SiteUrl()) + " >>", "<site name> >>"}};

TEST(Layouts, EachIsPinnedByItsFingerprint) {
  EXPECT_EQ(LayoutFingerprint(mt::windows::frmSettingsLayout(), kSite), "3d0ac90b69774f02");
  EXPECT_EQ(LayoutFingerprint(mt::windows::frmPreviewLayout()), "ddfdccb23152dcfd");
  EXPECT_EQ(LayoutFingerprint(mt::windows::frmSaverLayout()), "115d319274c24d4a");
}

TEST(Layouts, ControlsFitTheWindowOverlapNothingAndTabInOrder) {
  mt::test::ExpectSoundLayout(mt::windows::frmSettingsLayout());
  mt::test::ExpectSoundLayout(mt::windows::frmPreviewLayout());
}

TEST(SiteName, IsTheHostWithoutWwwAndTopLevelDomain) {
  EXPECT_EQ(SiteName("https://marrowtide.example"), "marrowtide");
  EXPECT_EQ(SiteName("http://www.marrowtide.example/"), "marrowtide");
  EXPECT_EQ(SiteName("https://marrowtide.example:8080/shop?x=1"), "marrowtide");
  EXPECT_EQ(SiteName("https://shop.marrowtide.example"), "shop.marrowtide");
  EXPECT_EQ(SiteName("marrowtide.example"), "marrowtide");
  EXPECT_EQ(SiteName("https://localhost"), "localhost");
}

}  // namespace
