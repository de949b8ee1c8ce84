#ifndef VARNEL_LOGO_PALETTECHOICE_H
#define VARNEL_LOGO_PALETTECHOICE_H

#include "logo/AwbmLogo.h"
#include "runtime/RgbRows.h"

#include <vector>

// The `colors` DAC entries that show an RGB32 picture with the least squared error: its colours
// counted at six bits a channel (keeping their exact means), boxes of them split where the split
// removes the most error, then k-means with entries that hold almost nothing moved to where the
// error is largest when that removes more than losing them adds, a few rounds more with the entries
// as the DAC will show them, and each entry rounded to its nearest DAC levels. A picture of no more
// colours than the palette holds keeps them. Entries beyond the colours found are black.
std::vector<TAwbmColor> ChoosePalette(const TRgbRows& picture, int colors);

#endif
