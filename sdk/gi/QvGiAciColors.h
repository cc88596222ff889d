#pragma once

#include <cstdint>

// The standard table of the 255 colour indexes of drawings, as 0xRRGGBB. 1 to 9 are the named
// colours (1 red, 2 yellow, 3 green, 4 cyan, 5 blue, 6 magenta, 7 white, 8 and 9 greys); 10 to
// 249 run through 24 hues in 15 degree steps, each with five values (255, 165, 127, 76, 38) at
// full and at half saturation; 250 to 255 are greys from dark to white. Index 0 (by block),
// 256 (by layer) and anything outside 1 to 255 answer the colour of 7.
uint32_t qvgiAciToRgb(int colorIndex);
