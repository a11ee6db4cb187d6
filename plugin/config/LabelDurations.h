#pragma once

// How long a label stays on screen, read from the refresh period ("UpdateTextEvery"): the label
// updaters send these times, and the checks say what a period gives.

#include <cstdint>

namespace packsentinel {

// Seconds a label stays, from the refresh period in ticks, so that it lasts until redrawn.
float CreatureLabelDuration(std::int32_t period);
float MemberLabelDuration(std::int32_t period);

}  // namespace packsentinel
