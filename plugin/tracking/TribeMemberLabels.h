#pragma once

#include <cstdint>

namespace packsentinel {

extern std::int32_t MemberLabelTickCount;

// Tick callback "Packsentinel.DrawPlayersText": for each player in TribeMemberTrackers, a label
// with name and distance over every online mate of his tribe, within the configured ranges.
void TribeMemberLabelUpdater(float deltaSeconds);

}  // namespace packsentinel
