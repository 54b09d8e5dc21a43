#pragma once
// The program's mark: a blue rounded square with a white "G". The about box shows
// it at 144 x 144; the tray icon and the floating icon can draw the same mark at
// their sizes.

#include <QColor>
#include <QFont>
#include <QPixmap>

class QPainter;
class QRectF;

// The parts of the mark, shared with its scalable form (LogoSvg.h): the square's
// corner radius as a share of its side, its top-to-bottom gradient, and the letter.
inline constexpr double LogoCornerRatio = 0.22;
inline const QColor LogoTopBlue{0x3D, 0x85, 0xF0};
inline const QColor LogoBottomBlue{0x1E, 0x5B, 0xC6};
QString logoLetter();
QFont logoLetterFont(double side);

void paintLogo(QPainter& painter, const QRectF& area);
// The mark on a transparent square of side pixels.
QPixmap logoPixmap(int side);
