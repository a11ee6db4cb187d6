#pragma once

// A tribe's record, embedded in each member's player state; its fields are reached by name.

struct FTribeData {};
