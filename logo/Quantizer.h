#ifndef VARNEL_LOGO_QUANTIZER_H
#define VARNEL_LOGO_QUANTIZER_H

#include "logo/AwbmLogo.h"
#include "runtime/RgbRows.h"

// A true-colour picture as a full-screen logo of `colors` (16 or 256) colours chosen from the
// picture (ChoosePalette), then every pixel mapped to its nearest entry, with Floyd–Steinberg
// error diffusion when `dither` is set: of each miss the DAC could show better four fifths is
// carried on in smooth shading and two fifths where the picture is busy, never further than
// half the gap to the next entry, and where the picture is busy never to an entry more than
// twice as far from the pixel as its nearest and a DAC step, so that a flat area keeps to the
// entries around its colour up to its edges; with
// more than 16 entries a pixel within two DAC steps of its nearest entry is shown by it. A
// picture of no more colours than the palette holds keeps them exactly. Sizes outside what a logo
// holds raise an error.
TAwbmLogo Quantize(const TRgbRows& picture, int colors, bool dither);

#endif
