#pragma once

#include <cstdint>
#include <vector>

// The program's icon, in a handful of plain colours: two sources in their frame colours sending
// out rings that cross. It is designed on a 32 x 32 grid, where every pixel is one of the
// colours; at any other size every shape is scaled from that grid and its edges are blended, so
// that the window's icon, the installed icons and the site's icons are one picture.
//
// The picture `size` pixels square, row after row from the top, each 0xRRGGBB.
std::vector<std::uint32_t> paintWindowIcon(int size);

// The grid the icon is designed on, and the blue it fills it with: a picture that puts the icon
// on a larger ground (a launcher's mask) grows it in whole design pixels on that blue.
inline constexpr int kWindowIconDesignSize = 32;
inline constexpr std::uint32_t kWindowIconBackground = 0x000080;
