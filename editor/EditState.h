#ifndef VARNEL_EDITOR_EDITSTATE_H
#define VARNEL_EDITOR_EDITSTATE_H

#include "editor/LitPixels.h"
#include "logo/ColorTable.h"
#include "runtime/Graphic.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// What a step changed besides the colour table and the lit pixels, which every state copies.
// The names under the pictures count only when a step set them: a save or a language change
// names the same drawing anew, and an undo after it keeps that name.
enum TStepParts : unsigned { stDrawing = 1, stPreview = 2, stByteRows = 4, stNames = 8 };

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
