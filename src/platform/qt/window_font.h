#pragma once

#include <QFont>

// The window's font at a height of `pixelSize` pixels: the Japanese UI font the layout was
// made for where it is installed, otherwise a Japanese font that every set-up script
// installs.
QFont windowFont(int pixelSize);
