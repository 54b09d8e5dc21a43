#pragma once
// The two 16 x 16 pictures of the icon window, white marks on transparent pixels,
// drawn from pixel patterns so that they stay crisp at any whole scale factor.

#include <QPixmap>

// A white capital G, 8 x 10 pixels, centred.
QPixmap drawLetterG(int scale);
// A small white cross, 6 x 5 pixels, centred.
QPixmap drawCross(int scale);
