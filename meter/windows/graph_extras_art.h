// The pictures of the graph window's pause, move and undo-zoom buttons, drawn
// by the program itself: image lists of 30 x 30 images, counted from 1.
#pragma once

#include "platform/image_list.h"

namespace meter {

// ImageList2, on light cyan: 1 a black pause sign (two bars), 2 a black
// triangle pointing right.
ImageList graphPauseImages();

// ImageList3: a black triangle pointing up (1, 2), down (3, 4), left (5, 6)
// or right (7, 8); the odd images on light blue, the even (hover) images on a
// stronger blue.
ImageList graphMoveImages();

// ImageList4: a crimson disc with a pink ring, on light blue (1) and on a
// stronger blue (2, hover).
ImageList graphUndoZoomImages();

} // namespace meter
