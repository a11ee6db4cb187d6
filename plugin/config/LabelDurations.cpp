#include "config/LabelDurations.h"

namespace packsentinel {

// A label stays on screen a little longer than the period + 1 ticks (at about 30 a second) until
// the next refresh redraws it, so that labels do not flicker; these are the times players know.
float CreatureLabelDuration(std::int32_t period) {
  if (period == 1) return 0.035f;
  if (period >= 10) return static_cast<float>(period * 0.04);
  return static_cast<float>(period * 0.035 * 2);
}

float MemberLabelDuration(std::int32_t period) {
  if (period >= 1 && period <= 5) return 0.2728f;
  return static_cast<float>(period * 0.0375);
}

}  // namespace packsentinel
