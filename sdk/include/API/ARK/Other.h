#pragma once

// Holders of static game functions, reached by name ("UVictoryCore.ServerOctreeOverlapActors").

struct UGameplayStatics {};
struct UVictoryCore {};
