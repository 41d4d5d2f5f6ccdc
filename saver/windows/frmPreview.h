#pragma once
#include <memory>

#include "saver/host/forms.h"

namespace mt::windows {
// The holder of the preview picture: loaded, never shown.
std::unique_ptr<mt::host::PreviewForm> CreateFrmPreview();
}  // namespace mt::windows
