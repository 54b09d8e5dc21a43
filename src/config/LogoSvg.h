#pragma once
// The program's mark (see Logo.h) as a scalable SVG document, for the desktop's
// icon theme. The letter is written as an outline, so the picture does not depend
// on the fonts of the machine that shows it.

#include <QByteArray>

QByteArray logoSvg();
