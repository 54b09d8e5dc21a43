#pragma once
// The drop-shadow picture: soft bands along the right and bottom sides and quarter-disc
// fades at the top-right, bottom-right and bottom-left corners; nothing along the top,
// the left or in the top-left corner.

#include <QImage>

class ShadowWindow;

// Shadow colour at its darkest: black at alpha 64.
constexpr int ShadowAlpha = 64;

// A w x h picture (premultiplied ARGB) with a shadow s pixels wide. Null when the
// size leaves nothing to paint.
QImage shadowPicture(int w, int h, int s);

// Sizes the shadow window to w x h pixels and gives it the picture; false when no
// picture could be made (the window keeps its previous one). Neither moves nor shows it.
bool drawShadow(ShadowWindow& form, int w, int h, int s);
