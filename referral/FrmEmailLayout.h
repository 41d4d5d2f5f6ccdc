#pragma once
// The stored layout of the referral window, as data.
#include "common/layout.h"

namespace mt::referral {

const mt::layout::FormLayout& FrmEmailLayout();

// The proposed message of TextMessage: it names the maker's site and ends in " ." and a
// line break.
std::string ProposedMessage();

}  // namespace mt::referral
