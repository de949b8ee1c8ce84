#ifndef VARNEL_BENCH_CIEDE2000_H
#define VARNEL_BENCH_CIEDE2000_H

#include <QRgb>

// The CIEDE2000 colour difference of two sRGB colours (D65 white, kL = kC = kH = 1).
double Ciede2000(QRgb a, QRgb b);

#endif
