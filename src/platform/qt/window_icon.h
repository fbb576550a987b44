#pragma once

#include <QIcon>

// The program's 32 x 32 icon, drawn in a handful of plain colours: two sources in their
// frame colours sending out rings that cross.
QIcon makeWindowIcon();
