#pragma once

#include "ArkApi/BasicTypes.h"

namespace packsentinel {

extern int32 MemberLabelTickCount;

// Tick callback "DrawPlayersText": for each player in TribeMemberTrackers, a label with name
// and distance over every online mate of his tribe, within the configured ranges.
void TribeMemberLabelUpdater(float deltaSeconds);

}  // namespace packsentinel
