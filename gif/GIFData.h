#ifndef VARNEL_GIF_GIFDATA_H
#define VARNEL_GIF_GIFDATA_H

#include "gif/GIFColorTable.h"

#include <QByteArrayList>

// The picture-wide header of a GIF file. Pictures copied from one another share one header,
// so copying an animation copies no colour table.
struct TGIFData {
    // Text lines as the file's bytes had them (one comment sub-block a line).
    QByteArrayList Comment;
    quint8 AspectRatio = 0;
    // From the logical screen descriptor's packed byte: (packed AND 7) + 1 and
    // ((packed SHR 4) AND 7) + 1, whether or not a global table follows.
    int GlobalBits = 0;
    int ColorResolution = 0;
    TGIFColorTable GlobalColors;
};

#endif
