#pragma once
// Stored window layouts as plain data. Each platform's window builder turns a FormLayout
// into real controls; the handlers then read and set those controls by name.
// Positions and sizes are in layout units (15 to a pixel at 96 dots per inch).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mt::layout {

constexpr int kUnitsPerPixelAt96Dpi = 15;

enum class ControlKind {
  Label,
  PushButton,
  CheckBox,
  OptionButton,
  HScrollBar,
  TextBox,
  PictureBox,  // a picture with its own drawing surface
  Image,       // a picture drawn on its container
  Frame,       // holds other controls; their positions are relative to it
  Line,
  Timer,
};

// A colour is either an RGB value or one of the system's colours.
enum class SystemColour {
  Custom,
  WindowBackground,
  WindowFrame,
  WindowText,
  ButtonFace,
  ButtonText
};
struct Colour {
  uint8_t r = 0, g = 0, b = 0;
  SystemColour system = SystemColour::Custom;
  static Colour Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return Colour{r, g, b, SystemColour::Custom};
  }
  static Colour System(SystemColour s) { return Colour{0, 0, 0, s}; }
  bool operator==(const Colour&) const = default;
};

enum class Align { Left, Centre, Right };

struct Font {
  std::string face = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  bool operator==(const Font&) const = default;
};

struct Control {
  ControlKind kind = ControlKind::Label;
  std::string name;
  std::string text;       // caption or initial text; "&&" shows as one "&"
  std::string container;  // name of the Frame that holds it, empty for the form itself
  int32_t left = 0, top = 0, width = 0, height = 0;  // layout units
  int32_t x2 = 0, y2 = 0;                            // a Line's end point (left, top is its start)
  Font font;
  std::optional<Colour> fore, back;
  Align align = Align::Left;
  int32_t tab_index = -1;  // -1: not in the tab order
  // Scroll bar
  int32_t min = 0, max = 32767, value = 0, small_change = 1, large_change = 1;
  // Text box
  int32_t max_length = 0;  // characters; 0 = no limit
  bool multiline = false;
  // Picture box, image: the picture's file name in the asset folder
  std::string picture;
  // Timer
  bool enabled = true;
  int32_t interval = 0;
  // Option buttons with the same group are exclusive
  std::string group;

  // A control of the given kind at its place (layout units); the rest keeps its defaults.
  static Control At(ControlKind kind, std::string name, int32_t left, int32_t top, int32_t width,
                    int32_t height, std::string text = {}, std::string container = {}) {
    Control c;
    c.kind = kind;
    c.name = std::move(name);
    c.text = std::move(text);
    c.container = std::move(container);
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
  }
};

enum class BorderStyle { NoBorder, FixedSingle, FixedDialog, Sizable };
enum class StartPosition { Manual, CentreScreen };

struct FormLayout {
  std::string name;
  std::string caption;
  int32_t client_width = 0, client_height = 0;  // layout units
  BorderStyle border = BorderStyle::FixedSingle;
  bool control_box = true;  // title-bar close box
  bool min_button = false, max_button = false;
  bool maximised = false;
  Colour back = Colour::System(SystemColour::ButtonFace);
  std::optional<Colour> fore;
  Font font;
  StartPosition start = StartPosition::CentreScreen;
  std::string icon;    // file name in the asset folder, empty for none
  std::string cursor;  // design-time mouse cursor (file name), empty for the default
  std::vector<Control> controls;

  const Control* Find(const std::string& control_name) const {
    for (const auto& c : controls) {
      if (c.name == control_name) return &c;
    }
    return nullptr;
  }

  // The control as built: one whose font is the default keeps the form's, and one without
  // a text colour takes the form's.
  Control WithFormDefaults(const Control& c) const;
  // The frames that hold a control, innermost first; at most 16, so frames that hold each
  // other cannot loop.
  std::vector<const Control*> Containers(const std::string& container) const;
  // The tab position that orders a control among its siblings: its own, or for a frame the
  // lowest inside it; INT_MIN for what never takes focus (outside the tab order, or a frame
  // holding nothing that does).
  int32_t TabOrderKey(const Control& c) const;
};

}  // namespace mt::layout
