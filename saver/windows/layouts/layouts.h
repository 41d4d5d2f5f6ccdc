#pragma once
// The stored layouts of the screen saver's windows, as data.
#include <cstdint>

#include "common/layout.h"

namespace mt::windows {

// The block the preview mode copies from frmPreview's Picture1 into the host's preview
// window, in pixels. It is 9 x 1 pixels larger than the box itself; that is deliberate.
inline constexpr int32_t kPreviewBlockWidth = 160;
inline constexpr int32_t kPreviewBlockHeight = 120;

const mt::layout::FormLayout& frmSaverLayout();
const mt::layout::FormLayout& frmSettingsLayout();
const mt::layout::FormLayout& frmPreviewLayout();

}  // namespace mt::windows
