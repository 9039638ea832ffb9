// The tool strip's pictures, drawn by the program itself.
#pragma once

#include "platform/image_list.h"

#include <QPixmap>

namespace meter {

// 966 x 77: a blue gradient with the title Hot Wire Anemometer in red at its left end.
QPixmap toolbarBackground();

// The 12 button images, 70 x 40 each: odd numbers hover (red on blue), even
// numbers normal (black on light cyan); CONNECT 1/2, EXPORT 3/4, INFO 5/6,
// OPEN 7/8, PRINT 9/10, SAVE AS 11/12.
ImageList toolBarImages();

// 45 x 32 pictures on the strip's gradient: a dark bar (minimise) and an X
// (close), both drawn in the left 29 pixels that the boxes show.
QPixmap toolminPicture();
QPixmap toolclosePicture();

} // namespace meter
