#pragma once

#include <QIcon>
#include <QImage>
#include <QRgb>

// The program's icon, drawn in a handful of plain colours: two sources in their frame colours
// sending out rings that cross. It is designed on a 32 x 32 grid; at any other size every
// shape is scaled from that grid, so the installed icons and the window's icon are one picture.
QImage paintWindowIcon(int size);

// The grid the icon is designed on, and the blue it fills it with: a picture that puts the icon
// on a larger ground (a launcher's mask) grows it in whole design pixels on that blue.
inline constexpr int kWindowIconDesignSize = 32;
inline constexpr QRgb kWindowIconBackground = qRgb(0, 0, 128);

// The window's icon: the picture at its design size.
QIcon makeWindowIcon();
