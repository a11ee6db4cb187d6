#pragma once

// The map's one colour scheme: a few colours a person tells apart and can name. A mark takes its
// tribe's colour, a wild creature yellow and the viewer's own tribe green, as the plugin's labels
// over them are; a label is named, in the legend, by the scheme's colour nearest its own.

#include <API/UE/Math/Color.h>

#include <cstddef>

namespace devserver {

struct SchemeColour {
  const char* name;
  const char* fill;  // as SVG takes it
};

// The scheme's colour of the same name as colour: by its hue, or white, grey or black when it
// has too little of one to tell.
const SchemeColour& NamedColour(FColor colour);

const SchemeColour& WildColour();
const SchemeColour& OwnTribeColour();
// The colours other tribes take in turn; past the last one told apart, every further tribe takes
// the same, OtherTribesColour.
const SchemeColour& OtherTribeColour(std::size_t turn);
const SchemeColour& OtherTribesColour();

}  // namespace devserver
