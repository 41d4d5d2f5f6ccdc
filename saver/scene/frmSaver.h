#pragma once
#include <memory>

#include "saver/host/forms.h"

namespace mt::scene {
// The full-screen window of the run mode.
std::unique_ptr<mt::host::Form> CreateFrmSaver();
}  // namespace mt::scene
