#ifndef VARNEL_RUNTIME_VGATEXTCOLORS_H
#define VARNEL_RUNTIME_VGATEXTCOLORS_H

#include <array>
#include <cstdint>

// The 16 colours of VGA text mode in attribute order (blue is 1, red is 4), as 0xAARRGGBB: on
// Qt Core alone for what draws a logo without Qt Gui.
inline constexpr std::array<std::uint32_t, 16> VgaTextColors = {
    0xFF000000, 0xFF0000AA, 0xFF00AA00, 0xFF00AAAA, 0xFFAA0000, 0xFFAA00AA, 0xFFAA5500, 0xFFAAAAAA,
    0xFF555555, 0xFF5555FF, 0xFF55FF55, 0xFF55FFFF, 0xFFFF5555, 0xFFFF55FF, 0xFFFFFF55, 0xFFFFFFFF};

#endif
