#include "referral/FrmEmail.h"

#include <exception>

#include "common/error.h"
#include "common/numeric.h"
#include "common/product.h"
#include "common/site.h"
#include "common/text.h"
#include "platform/services.h"
#include "referral/FrmEmailLayout.h"

namespace mt::referral {
namespace {

const char* const kFriendFields[5] = {"TextFriend1", "TextFriend2", "TextFriend3", "TextFriend4",
                                      "TextFriend5"};
const char* const kFriendLabels[5] = {"Friend 1", "Friend 2", "Friend 3", "Friend 4", "Friend 5"};

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '@';
}

}  // namespace

std::string EncodeQueryValue(std::string_view value) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(value.size());
  for (unsigned char c : value) {
    if (Unreserved(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

std::string ReferralAddress(const EmailEntries& entries) {
  std::string friends;
  for (size_t i = 0; i < entries.friends.size(); ++i) {
    if (i > 0) friends += ',';
    friends += EncodeQueryValue(TrimSpaces(entries.friends[i]));
  }
  return SiteUrl() + "/daradudeve.php?s=7&te=" + friends +
         "&fe=" + EncodeQueryValue(TrimSpaces(entries.your_email)) +
         "&n=" + EncodeQueryValue(TrimSpaces(entries.first_name));
}

int32_t CentredOffset(double screen_size, double window_size) {
  return Div32(ToInt32(screen_size - window_size), 2);
}

void FrmEmailHandlers::Form_Load() {
  m_bSubmitted = false;
}

void FrmEmailHandlers::Tell(const std::string& text) {
  platform::Services().MessageBox(text, mt::kProgramTitle, platform::MessageIcon::NoIcon);
}

FormAction FrmEmailHandlers::CommandSubmit_Click(
    EmailEntries& entries, const std::function<void(const EmailEntries&)>& write_back) {
  if (m_bSubmitted) return FormAction::Stay;
  m_bAddressRejected = false;

  std::string all_friends;
  for (const auto& f : entries.friends) all_friends += f;
  if (TrimSpaces(all_friends).empty()) {
    Tell(
        "You forgot a friend's e-mail address. Please enter at least one valid e-mail "
        "address. Thanks.");
    return FormAction::Stay;
  }
  if (TrimSpaces(entries.your_email).empty()) {
    Tell(
        "You forgot to enter your e-mail address. Please enter a valid e-mail address. "
        "Thanks.");
    return FormAction::Stay;
  }
  ValidateAddress(entries.your_email, "Your e-mail");
  for (size_t i = 0; i < entries.friends.size() && !m_bAddressRejected; ++i) {
    ValidateAddress(entries.friends[i], kFriendLabels[i]);
  }
  if (m_bAddressRejected) return FormAction::Stay;
  if (TrimSpaces(entries.first_name).empty()) {
    Tell("You forgot to enter your first name.");
    return FormAction::Stay;
  }

  // Set before the open, so clicks that arrive while it runs do nothing.
  m_bSubmitted = true;
  entries.your_email = TrimSpaces(entries.your_email);
  entries.first_name = TrimSpaces(entries.first_name);
  // The fields show the trimmed values before the address leaves, so what the user sees
  // is what was sent.
  try {
    if (write_back) write_back(entries);
  } catch (const std::exception&) {
  }
  try {
    (void)OpenAddress(ReferralAddress(entries));
  } catch (const std::exception&) {
    // A failed open is not reported: the program ends as after a successful one.
  }
  return FormAction::Unload;
}

FormAction FrmEmailHandlers::CommandNeverShow_Click() {
  return FormAction::Unload;
}

void FrmEmailHandlers::Form_Unload() {
  platform::Services().EndProcess(0);
}

void FrmEmailHandlers::ValidateAddress(const std::string& sAddress, const std::string& sLabel) {
  // An empty field is not checked; the checks look at the text as typed.
  if (TrimSpaces(sAddress).empty()) return;
  if (sAddress.find('@') == std::string::npos) {
    Tell(sLabel + " does not contain a '@' in the e-mail address.");
    m_bAddressRejected = true;
    return;
  }
  if (sAddress.find('.') == std::string::npos) {
    Tell(sLabel + " does not contain a '.' in the e-mail address.");
    m_bAddressRejected = true;
  }
}

int32_t FrmEmailHandlers::OpenAddress(const std::string& sAddress) {
  return platform::Services().OpenDocument(sAddress);
}

void FrmEmail::Load(const std::string& asset_folder) {
  window_ = platform::CreateDialogWindow(FrmEmailLayout(), asset_folder);
  window_->OnClick("CommandSubmit", [this] { CommandSubmit_Click(); });
  window_->OnClick("CommandNeverShow", [this] {
    if (handlers_.CommandNeverShow_Click() == FormAction::Unload) window_->Close();
  });
  // Never Show, a successful Submit and the window manager's close all end here.
  window_->OnUnload([this] { handlers_.Form_Unload(); });

  handlers_.Form_Load();
  try {
    double screen_w = platform::ScreenWidthPixels() * platform::UnitsPerPixelX();
    double screen_h = platform::ScreenHeightPixels() * platform::UnitsPerPixelY();
    window_->Move(CentredOffset(screen_w, window_->OuterWidth()),
                  CentredOffset(screen_h, window_->OuterHeight()));
  } catch (const mt::Error&) {
    // Cannot happen with a real screen; the window then simply opens where it was put.
  }
  window_->Show();
  window_->SetFocus("TextFriend1");
}

EmailEntries FrmEmail::ReadEntries() {
  EmailEntries e;
  for (size_t i = 0; i < e.friends.size(); ++i) e.friends[i] = window_->Text(kFriendFields[i]);
  e.first_name = window_->Text("TextFirstName");
  e.your_email = window_->Text("TextYourEmail");
  return e;
}

void FrmEmail::CommandSubmit_Click() {
  EmailEntries entries = ReadEntries();
  auto write_back = [this](const EmailEntries& trimmed) {
    window_->SetText("TextYourEmail", trimmed.your_email);
    window_->SetText("TextFirstName", trimmed.first_name);
  };
  if (handlers_.CommandSubmit_Click(entries, write_back) != FormAction::Unload) return;
  window_->Close();
}

}  // namespace mt::referral
