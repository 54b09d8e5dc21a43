#pragma once
// The program's mark: a blue rounded square with a white "G". The about box shows
// it at 144 x 144; the tray icon and the floating icon can draw the same mark at
// their sizes.

#include <QPixmap>

class QPainter;
class QRectF;

void paintLogo(QPainter& painter, const QRectF& area);
// The mark on a transparent square of side pixels.
QPixmap logoPixmap(int side);
