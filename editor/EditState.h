#ifndef VARNEL_EDITOR_EDITSTATE_H
#define VARNEL_EDITOR_EDITSTATE_H

#include "editor/LitPixels.h"
#include "formats/ColorTable.h"
#include "runtime/Graphic.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// What a step changed besides the colour table and the names, which every state copies.
enum TStepParts : unsigned { stDrawing = 1, stPreview = 2, stByteRows = 4 };

// Everything one undo step gives back: what the window shows and what the next save reads.
// Pictures are shared between neighbouring states that did not change them.
struct TEditState {
    std::shared_ptr<const TGraphic> drawing;
    std::shared_ptr<const TGraphic> preview;
    TColorTable colors;
    TLitPixels lit;
    // The text of "bin1.dat" as the last conversion wrote it; none before the first.
    std::optional<QByteArray> byteRows;
    QString pictureName;
    QString logoName;
};

#endif
