#ifndef VARNEL_PICTURES_METAFILE_H
#define VARNEL_PICTURES_METAFILE_H

#include "pictures/MetafileHeader.h"
#include "runtime/Graphic.h"

#include <QByteArray>

class QPainter;

// An enhanced metafile (".emf") or a Windows metafile (".wmf", with or without its placeable
// header) as a picture: kept as read, drawn record by record, stretched into whatever rectangle
// it is drawn in. It is not a bitmap: nothing can be drawn on it.
class TMetafile : public TGraphic {
public:
    TMetafile();

    std::unique_ptr<TGraphic> Clone() const override;
    bool Empty() const override { return data_.isEmpty(); }
    // The size the header gives, in pixels at 96 per inch, until changed.
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    // Plays the records stretched into `rect`; a drawing over its work budget raises the
    // picture's "too complex" error with the canvas as it was.
    void Draw(TCanvas& canvas, const QRect& rect) override;
    // Any file that is neither kind, or whose records do not run whole to their end record,
    // raises "Metafile is not valid", and one whose drawing costs more than its work budget
    // (see TWorkBudget) "EMF picture is too complex" or "WMF picture is too complex"; either
    // leaves the picture as it was.
    void LoadFromStream(QIODevice& stream) override;
    // Writes the file as it was read.
    void SaveToStream(QIODevice& stream) const override;

    bool Enhanced() const { return header_.enhanced; }

private:
    static void Play(const QByteArray& data, const TMetafileHeader& header, QPainter& painter,
                     const QRectF& target);
    static void PlayOnce(const QByteArray& data, const TMetafileHeader& header);

    QByteArray data_;
    TMetafileHeader header_;
    int width_ = 0;
    int height_ = 0;
};

// Makes ".emf" and ".wmf" files load as TMetafile; the programs call this at start-up.
void RegisterMetafile();

#endif
