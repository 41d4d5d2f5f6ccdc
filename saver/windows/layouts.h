#pragma once
// The stored layouts of the screen saver's windows, as data.
#include "common/layout.h"

namespace mt::windows {

const mt::layout::FormLayout& frmSaverLayout();
const mt::layout::FormLayout& frmSettingsLayout();
const mt::layout::FormLayout& frmPreviewLayout();

}  // namespace mt::windows
