#ifndef VARNEL_ROM_ROMLOGO_H
#define VARNEL_ROM_ROMLOGO_H

#include <QByteArray>
#include <QString>

// What a logo module (or a logo file) holds: an EPA v1 logo, an AWBM logo, or neither.
class TRomLogo {
public:
    enum class TKind { Epa, Awbm, Other };

    // Never raises: bytes that are neither logo are of kind Other.
    static TRomLogo Identify(const QByteArray& bytes);

    TKind Kind() const { return kind_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Colors() const { return colors_; }
    bool HasTrailer() const { return hasTrailer_; }
    // "EPA logo, 17 x 6 cells, with the 70 trailing bytes", "AWBM logo, 136 x 84 pixels, 16
    // colours", "neither an EPA nor an AWBM logo".
    QString Describe() const;
    static QString KindName(TKind kind);

private:
    TKind kind_ = TKind::Other;
    int columns_ = 0;
    int rows_ = 0;
    int width_ = 0;
    int height_ = 0;
    int colors_ = 0;
    bool hasTrailer_ = false;
};

#endif
