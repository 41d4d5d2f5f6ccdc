// The referral form's handlers through the services seam: the order and texts of the
// Submit checks and the referral address. (A rejected click followed by a good one, and
// what ends the program, the e2e tests drive through the real form.)
#include <gtest/gtest.h>

#include "common/site.h"
#include "fake_services.h"
#include "layout_checks.h"
#include "referral/FrmEmail.h"
#include "referral/FrmEmailLayout.h"

namespace mt::referral {
namespace {

using test::FakeServices;

const char kFriendMessage[] =
    "You forgot a friend's e-mail address. Please enter at least one valid e-mail address. "
    "Thanks.";
const char kOwnAddressMessage[] =
    "You forgot to enter your e-mail address. Please enter a valid e-mail address. Thanks.";
const char kFirstNameMessage[] = "You forgot to enter your first name.";

EmailEntries Valid() {
  EmailEntries e;
  e.friends = {"ann@example.org", "", "", "", ""};
  e.your_email = "me@example.org";
  e.first_name = "Jo";
  return e;
}

std::string Address(const std::string& query) {
  return SiteUrl() + "/daradudeve.php?s=7" + query;
}

class SubmitTest : public ::testing::Test {
 protected:
  std::vector<std::string> Click(EmailEntries& entries) {
    size_t before = fake.messages.size();
    last_action = form.CommandSubmit_Click(entries);
    return {fake.messages.begin() + static_cast<std::ptrdiff_t>(before), fake.messages.end()};
  }

  FakeServices fake;
  FrmEmailHandlers form;
  FormAction last_action = FormAction::Stay;
};

TEST(Submit, EachFailedCheckShowsOnlyItsOwnMessageAndKeepsTheEntries) {
  struct Case {
    const char* what;
    EmailEntries entries;
    std::string message;
  };
  auto with = [](auto change) {
    EmailEntries e = Valid();
    change(e);
    return e;
  };
  const std::vector<Case> cases = {
      {"friends of spaces only come before a missing own address", with([](EmailEntries& e) {
         e.friends = {"  ", "", " ", "", ""};
         e.your_email = "";
       }),
       kFriendMessage},
      {"own address blank", with([](EmailEntries& e) { e.your_email = "   "; }),
       kOwnAddressMessage},
      {"own address with @ but no .", with([](EmailEntries& e) { e.your_email = "me@example"; }),
       "Your e-mail does not contain a '.' in the e-mail address."},
      {"own address with . but no @", with([](EmailEntries& e) { e.your_email = "me.example"; }),
       "Your e-mail does not contain a '@' in the e-mail address."},
      {"invalid own address and invalid friend 2: only the own address is reported",
       with([](EmailEntries& e) {
         e.your_email = "me";
         e.friends[1] = "bob";
       }),
       "Your e-mail does not contain a '@' in the e-mail address."},
      {"the first invalid friend is reported, not the later ones", with([](EmailEntries& e) {
         e.friends[1] = "bob@example";
         e.friends[3] = "carol";
       }),
       "Friend 2 does not contain a '.' in the e-mail address."},
      {"friend 5 is checked", with([](EmailEntries& e) { e.friends[4] = "dan.example.org"; }),
       "Friend 5 does not contain a '@' in the e-mail address."},
      {"blank first name after valid addresses", with([](EmailEntries& e) { e.first_name = "  "; }),
       kFirstNameMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeServices fresh;
    FrmEmailHandlers handlers;
    EmailEntries entries = c.entries;
    EXPECT_EQ(handlers.CommandSubmit_Click(entries), FormAction::Stay);
    EXPECT_EQ(fresh.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(fresh.calls, std::vector<std::string>{"MessageBox Marrowtide Gobble-run"});
    EXPECT_FALSE(handlers.m_bSubmitted);
    EXPECT_EQ(entries.your_email, c.entries.your_email);
    EXPECT_EQ(entries.first_name, c.entries.first_name);
    EXPECT_EQ(entries.friends, c.entries.friends);
  }
}

TEST_F(SubmitTest, TheAtSignAndFullStopAloneAreEnough) {
  EmailEntries e = Valid();
  e.your_email = "@.";
  e.friends = {".@", "", "", "", ""};
  EXPECT_TRUE(Click(e).empty());
  EXPECT_EQ(last_action, FormAction::Unload);
}

TEST_F(SubmitTest, APassingSubmitOpensTheTrimmedAddressOnceAndWritesTheTrimmedValuesBack) {
  EmailEntries e;
  e.friends = {"ann@x.org", "", " bob@y.org ", "   ", ""};
  e.your_email = "  me@z.org ";
  e.first_name = " F ";
  // The fields get the trimmed values before the address is opened.
  std::vector<std::string> written;
  last_action = form.CommandSubmit_Click(e, [&](const EmailEntries& trimmed) {
    EXPECT_FALSE(fake.Called("OpenDocument"));
    written = {trimmed.your_email, trimmed.first_name};
  });
  EXPECT_TRUE(fake.messages.empty());
  EXPECT_EQ(written, (std::vector<std::string>{"me@z.org", "F"}));
  EXPECT_EQ(last_action, FormAction::Unload);
  EXPECT_TRUE(form.m_bSubmitted);
  EXPECT_EQ(fake.calls,
            std::vector<std::string>{"OpenDocument " +
                                     Address("&te=ann@x.org,,bob@y.org,,&fe=me@z.org&n=F")});
  EXPECT_EQ(e.your_email, "me@z.org");
  EXPECT_EQ(e.first_name, "F");
  // The friend fields stay as typed: only the list in the address is trimmed.
  EXPECT_EQ(e.friends[2], " bob@y.org ");
}

TEST_F(SubmitTest, ASecondSubmitDoesNothingUntilTheFormLoadsAgain) {
  EmailEntries e = Valid();
  Click(e);
  ASSERT_EQ(fake.CountCalls("OpenDocument"), 1);
  EmailEntries broken;  // would fail every check
  EXPECT_TRUE(Click(broken).empty());
  EXPECT_EQ(last_action, FormAction::Stay);
  e = Valid();
  EXPECT_TRUE(Click(e).empty());
  EXPECT_EQ(fake.CountCalls("OpenDocument"), 1);
  form.Form_Load();
  Click(e);
  EXPECT_EQ(fake.CountCalls("OpenDocument"), 2);
}

TEST(ReferralAddress, EncodingWorksOnTheUtf8Bytes) {
  EXPECT_EQ(EncodeQueryValue("Jo&n=x,\xC3\xA9"), "Jo%26n%3Dx%2C%C3%A9");
  EXPECT_EQ(EncodeQueryValue("AZaz09-._~@"), "AZaz09-._~@");
  EXPECT_EQ(EncodeQueryValue("/?#+ \t\x7F\xFF"), "%2F%3F%23%2B%20%09%7F%FF");
}

TEST(CentredOffset, HalvesTheRoundedDifferenceTowardZero) {
  EXPECT_EQ(CentredOffset(1920, 400), 760);
  EXPECT_EQ(CentredOffset(1025, 400), 312);
  EXPECT_EQ(CentredOffset(1000.5, 400), 300);  // 600.5 rounds to 600
  EXPECT_EQ(CentredOffset(1001.5, 400), 301);  // 601.5 rounds to 602
  EXPECT_EQ(CentredOffset(399, 400), 0);       // -1 halved toward zero, not down
  EXPECT_EQ(CentredOffset(300, 489), -94);
}

TEST(FrmEmailLayout, IsPinnedByItsFingerprintAndSound) {
  EXPECT_EQ(test::LayoutFingerprint(FrmEmailLayout(), {{SiteUrl(), "<site>"}}), "c46fb7ae28c44606");
  test::ExpectSoundLayout(FrmEmailLayout());
}

}  // namespace
}  // namespace mt::referral
