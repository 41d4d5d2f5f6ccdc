#pragma once
#include <memory>

#include "saver/host/forms.h"

namespace mt::windows {
// The configuration dialog.
std::unique_ptr<mt::host::Form> CreateFrmSettings();
}  // namespace mt::windows
