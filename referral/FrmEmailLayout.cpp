#include "referral/FrmEmailLayout.h"

#include "common/site.h"

namespace mt::referral {
namespace {

using mt::layout::Colour;
using mt::layout::Control;
using mt::layout::ControlKind;
using mt::layout::FormLayout;

Control Make(ControlKind kind, const char* name, const char* container, int32_t left, int32_t top,
             int32_t width, int32_t height, std::string text = {}) {
  return Control::At(kind, name, left, top, width, height, std::move(text), container);
}

Control Label(const char* name, const char* container, int32_t left, int32_t top, int32_t width,
              int32_t height, std::string text) {
  return Make(ControlKind::Label, name, container, left, top, width, height, std::move(text));
}

Control Bold(Control c) {
  c.font.bold = true;
  return c;
}

Control Field(const char* name, int32_t left, int32_t top, int32_t width, int32_t height,
              int32_t tab_index, int32_t max_length, std::string text = {}) {
  Control c = Make(ControlKind::TextBox, name, "Frame1", left, top, width, height, std::move(text));
  c.tab_index = tab_index;
  c.max_length = max_length;
  return c;
}

Control Button(const char* name, int32_t left, int32_t top, int32_t width, int32_t height,
               const char* text, int32_t tab_index) {
  Control c = Make(ControlKind::PushButton, name, "", left, top, width, height, text);
  c.tab_index = tab_index;
  return c;
}

FormLayout Build() {
  FormLayout f;
  f.name = "FrmEmail";
  f.caption = "Marrowtide gobble-run Screen Saver";
  f.client_width = 6000;
  f.client_height = 7335;
  f.border = mt::layout::BorderStyle::FixedSingle;
  f.control_box = false;
  f.min_button = false;
  f.max_button = false;
  // The load handler centres the window itself.
  f.start = mt::layout::StartPosition::Manual;
  f.icon = "referralIcon.ico";

  Control thanks = Label("LabelEmail", "", 240, 120, 5505, 975,
                         "Thank-you for enjoying our screen saver. We only ask one favor... Please "
                         "recommend this screen saver to your friends && family so we can keep "
                         "this screen saver free from ads. A lot of work has been put into our "
                         "screen savers and we would like to keep them free. Thanks for your "
                         "support. This message will only appear once.");
  thanks.fore = Colour::Rgb(0, 0, 192);
  f.controls.push_back(thanks);
  f.controls.push_back(Make(ControlKind::Frame, "Frame1", "", 240, 1160, 5535, 5415));
  f.controls.push_back(Button("CommandNeverShow", 240, 6720, 1335, 375, "Never Show", 10));
  f.controls.push_back(
      Label("LabelSubmit", "", 1800, 6720, 2775, 495,
            "Please click Submit only once. It takes a couple seconds to process."));
  f.controls.push_back(Button("CommandSubmit", 4680, 6720, 1095, 375, "Submit", 9));

  f.controls.push_back(
      Bold(Label("LabelFriends", "Frame1", 240, 240, 2535, 255, "Your Friends E-mail ")));
  f.controls.push_back(Label("LabelFriend1", "Frame1", 240, 630, 735, 255, "Friend 1"));
  f.controls.push_back(Field("TextFriend1", 1080, 600, 2415, 285, 0, 50));
  f.controls.push_back(Label("LabelFriend2", "Frame1", 240, 1000, 735, 255, "Friend 2"));
  f.controls.push_back(Field("TextFriend2", 1080, 960, 2415, 285, 1, 50));
  f.controls.push_back(Label("LabelFriend3", "Frame1", 240, 1365, 855, 255, "Friend 3"));
  f.controls.push_back(Field("TextFriend3", 1080, 1320, 2415, 285, 2, 50));
  f.controls.push_back(Label("LabelFriend4", "Frame1", 240, 1725, 855, 255, "Friend 4"));
  f.controls.push_back(Field("TextFriend4", 1080, 1680, 2415, 285, 3, 50));
  f.controls.push_back(Label("LabelFriend5", "Frame1", 240, 2085, 855, 255, "Friend 5"));
  f.controls.push_back(Field("TextFriend5", 1080, 2040, 2415, 285, 4, 50));

  Control picture = Make(ControlKind::Image, "ImageEmail", "Frame1", 3600, 480, 1800, 1890);
  picture.picture = "referralPicture.bmp";
  f.controls.push_back(picture);

  f.controls.push_back(Bold(Label("LabelMess", "Frame1", 240, 2520, 1935, 255, "Your Message ")));
  f.controls.push_back(Label("LabelFirstName", "Frame1", 240, 2895, 855, 255, "First name"));
  f.controls.push_back(Field("TextFirstName", 1200, 2880, 3975, 285, 5, 0));
  f.controls.push_back(Label("LabelSubject", "Frame1", 240, 3270, 735, 255, "Subject"));
  f.controls.push_back(Field("TextSubject", 1200, 3240, 3975, 285, 6, 0, "Happy Marrowtide!"));
  f.controls.push_back(Label("LabelMessage", "Frame1", 240, 3600, 855, 255, "Message"));
  Control message = Field("TextMessage", 1200, 3600, 3975, 1245, 7, 0, ProposedMessage());
  message.multiline = true;
  f.controls.push_back(message);
  f.controls.push_back(Label("LabelYourEmail", "Frame1", 240, 4950, 855, 255, "Your e-mail"));
  f.controls.push_back(Field("TextYourEmail", 1200, 4920, 3975, 285, 8, 50));
  return f;
}

}  // namespace

std::string ProposedMessage() {
  return "Here's a little something that might get you in the holiday spirit! Download "
         "Marrowtide Gobble-run Screen Saver at " +
         mt::SiteUrl() + " .\r\n";
}

const mt::layout::FormLayout& FrmEmailLayout() {
  static const FormLayout layout = Build();
  return layout;
}

}  // namespace mt::referral
