#pragma once
// The referral window FrmEmail: its handlers and state, and the window that carries them.
//
// The handlers work on plain values (EmailEntries) and say what the window is to do next,
// so they run without a display; FrmEmail reads the entries from the real window, calls
// the handlers and carries out their answer.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/window.h"

namespace mt::referral {

// The entry fields that Submit reads and writes back, as typed.
struct EmailEntries {
  std::array<std::string, 5> friends;  // TextFriend1 .. TextFriend5
  std::string first_name;              // TextFirstName
  std::string your_email;              // TextYourEmail
};

// Every byte other than A-Z a-z 0-9 - . _ ~ @ becomes "%" and two upper-case hex digits,
// so a value can neither end its query field nor start another.
std::string EncodeQueryValue(std::string_view value);

// The referral address: the site, the friends' list (five trimmed places joined by ","),
// the own address and the first name, each value encoded on its own.
std::string ReferralAddress(const EmailEntries& entries);

// Where a window of the outer size lands when centred on a screen of the given size, both
// in layout units: the difference rounded half to even, then halved toward zero.
int32_t CentredOffset(double screen_size, double window_size);

enum class FormAction { Stay, Unload };

class FrmEmailHandlers {
 public:
  void Form_Load();
  // The Submit button. Returns Unload once the address has been opened; the window then
  // unloads, which ends the program. When the checks pass it trims the own address and
  // first name in `entries` and hands them to `write_back` (the window's fields) before
  // the address is built from them and opened.
  FormAction CommandSubmit_Click(EmailEntries& entries,
                                 const std::function<void(const EmailEntries&)>& write_back = {});
  FormAction CommandNeverShow_Click();
  // Ends the program at once.
  void Form_Unload();

  void ValidateAddress(const std::string& sAddress, const std::string& sLabel);
  int32_t OpenAddress(const std::string& sAddress);

  bool m_bSubmitted = false;
  bool m_bAddressRejected = false;

 private:
  void Tell(const std::string& text);
};

class FrmEmail {
 public:
  // Builds the window with the pictures of the asset folder, runs the load handler (which
  // centres it) and shows it with the focus in TextFriend1.
  void Load(const std::string& asset_folder);
  platform::DialogWindow& Window() { return *window_; }

 private:
  void CommandSubmit_Click();
  EmailEntries ReadEntries();

  std::unique_ptr<platform::DialogWindow> window_;
  FrmEmailHandlers handlers_;
};

}  // namespace mt::referral
