#ifndef VARNEL_RUNTIME_SPACEDTEXT_H
#define VARNEL_RUNTIME_SPACEDTEXT_H

#include <QFont>
#include <QGlyphRun>
#include <QLineF>
#include <QList>
#include <QRect>
#include <QString>

class QPainter;

// Text set in a rectangle as Qt sets it (the same alignment and Qt text flags: "&" underlining
// the next character, word wrap, single line, no clipping), except that where two neighbouring
// letters would have pixels touching, even corner to corner, the rest of the line moves right
// until they no longer do. Unsmoothed letters that touch read as one ("rn" as "m"). Measuring
// and drawing both go through this, so a caption centred by its measure stays centred.
class TSpacedText {
public:
    TSpacedText(const QFont& font, const QRect& rect, int flags, const QString& text);

    // The rectangle the text takes.
    QRect Bounds() const { return bounds_.toAlignedRect(); }
    // How many pixels were put between letters, over all lines.
    int Gaps() const { return gaps_; }
    // Draws with the painter's pen; text larger than the rectangle is clipped to it unless
    // Qt::TextDontClip.
    void Draw(QPainter& painter) const;

private:
    struct TLine {
        QList<QGlyphRun> runs;
        // From the start of each underline on its baseline to its end.
        QList<QLineF> underlines;
        qreal width = 0;
        qreal height = 0;
        int gaps = 0;
    };
    // `marked` are the characters "&" underlines, counted in the text given.
    TLine SetLine(const QString& text, const QList<int>& marked);
    TLine NewLine(const QString& text, const QList<int>& marked) const;
    QList<TLine> SetParagraph(const QString& paragraph, const QList<int>& marked, qreal lineWidth);
    void Place(QList<TLine>& lines);

    QFont font_;
    QRect rect_;
    int flags_;
    QList<QGlyphRun> runs_;
    QList<QLineF> underlines_;
    QRectF bounds_;
    int gaps_ = 0;
};

#endif
