#pragma once
// The frame loop's body written out step by step, every sprite restored, saved, drawn and
// copied in every frame, with no work left out. It is the yardstick for the program's own
// frame, which skips what cannot change the screen: the two must show the same pixels
// after every frame, and the benchmark compares their cost.
#include <memory>

#include "saver/scene/frmSaver.h"

namespace mt::test {

class LiteralFrameSaver final : public scene::frmSaver {
 public:
  using frmSaver::frmSaver;

  // Thrown by the first frame when `hold` is set: the scene is then set up and prepared,
  // and a test drives its frames itself with ComposeFrame.
  struct Held {};
  bool hold = false;

  // Steps 1 to 10, then message processing and the wait, as the program's frame does.
  void AnimateFrame() override;
  // Steps 1 to 10: the frame on the stage and the screen.
  void ComposeFrame();
};

}  // namespace mt::test
