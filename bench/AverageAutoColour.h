#ifndef VARNEL_BENCH_AVERAGEAUTOCOLOUR_H
#define VARNEL_BENCH_AVERAGEAUTOCOLOUR_H

class TBitmap;
class TColorTable;

// The automatic colours epatool chose before they were chosen exhaustively, kept as the
// yardstick: the cell's colour is the average of its pixels that are not (nearly) black; a pixel
// is lit when it lies nearer that colour than black; the cell gets the text-mode colour nearest
// the average of its lit pixels, on black. A cell without lit pixels keeps attribute 15.
TBitmap AverageAutoColour(const TBitmap& area, TColorTable& colors);

#endif
