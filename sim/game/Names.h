#pragma once

namespace game {

// Publishes every game function, field and flag the plugins may name. Idempotent.
void RegisterNames();

void RegisterWorldFunctions();
void RegisterClientOutputs();

}  // namespace game
