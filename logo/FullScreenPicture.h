#ifndef VARNEL_LOGO_FULLSCREENPICTURE_H
#define VARNEL_LOGO_FULLSCREENPICTURE_H

#include <QImage>
#include <QSize>

class TGraphic;

// The pixels of a picture of any kind, in true colour on black: at its own size when `size` is
// not valid, else scaled to fit `size` with its proportions kept and centred. Bitmaps are scaled
// smoothly, so that a photo keeps its look; other kinds draw themselves at the size.
QImage FullScreenPicture(TGraphic& picture, QSize size = {});

#endif
