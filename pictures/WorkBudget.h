#ifndef VARNEL_PICTURES_WORKBUDGET_H
#define VARNEL_PICTURES_WORKBUDGET_H

#include <QRectF>
#include <QSize>
#include <QString>

// What playing a metafile may cost, counted as it plays: every record, every pixel a record
// touches on the output and every pixel of a bitmap it decodes. A real drawing of any detail
// stays far inside; a file of millions of records or thousands of embedded pictures is stopped
// with "<kind> picture is too complex" instead of holding the caller for minutes.
class TWorkBudget {
public:
    // A record costs as much as this many pixels: its decoding and the painter's set-up.
    static constexpr qint64 RecordCost = 64;
    // Units for each pixel of the output, which is counted as at least 256 × 256 pixels.
    static constexpr qint64 UnitsPerPixel = 512;
    static constexpr qint64 SmallestOutput = 256 * 256;
    // Whatever the output, no drawing is allowed more than this.
    static constexpr qint64 Ceiling = qint64(1) << 28;

    // `output` is the bitmap drawn on; `kind` names the picture in the message ("EMF", "WMF").
    TWorkBudget(QSize output, QString kind);

    static qint64 LimitFor(QSize output);
    void SpendRecord() { Spend(RecordCost); }
    // The pixels of `area` (output pixels) that lie on the output.
    qint64 OnOutput(const QRectF& area) const;
    void SpendArea(const QRectF& area) { Spend(OnOutput(area)); }
    // Raises EInvalidGraphic when the budget is spent.
    void Spend(qint64 units);

private:
    QRectF output_;
    QString kind_;
    qint64 left_;
};

#endif
