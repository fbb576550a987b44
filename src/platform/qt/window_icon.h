#pragma once

#include <QIcon>
#include <QImage>

// The program's icon, drawn in a handful of plain colours: two sources in their frame colours
// sending out rings that cross. It is designed on a 32 x 32 grid; at any other size every
// shape is scaled from that grid, so the installed icons and the window's icon are one picture.
QImage paintWindowIcon(int size);

// The window's icon: the picture at its design size.
QIcon makeWindowIcon();
