#ifndef VARNEL_LOGO_AWBMLOGO_H
#define VARNEL_LOGO_AWBMLOGO_H

#include "runtime/IndexedPicture.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

class TBitmap;

// One palette entry of a full-screen logo: the VGA DAC's six bits a channel, 0..63.
struct TAwbmColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const TAwbmColor&, const TAwbmColor&) = default;
};

// The full-screen logo of later Award BIOS versions: "AWBM", width and height (16 bits, little
// endian), the pixels, then "RGB " and the palette. 16-colour logos keep each row as four bit
// planes (bit 0 of the index first, leftmost pixel in bit 7) and their palette as blue, green,
// red; 256-colour logos keep one byte a pixel and their palette as red, green, blue.
class TAwbmLogo {
public:
    static constexpr int MaxWidth = 1024;
    static constexpr int MaxHeight = 768;
    // The longest valid file: a 256-colour logo of the largest size.
    static constexpr qint64 LargestFile = 8 + qint64(MaxWidth) * MaxHeight + 4 + 256 * 3;

    // `colors` is 16 or 256; the palette has that many entries and every index is below it.
    // Anything else raises an error saying what does not fit.
    TAwbmLogo(int width, int height, int colors, std::vector<TAwbmColor> palette,
              std::vector<std::uint8_t> indices);

    // Raises an error naming the file when it cannot be read or is not a logo of either depth.
    static TAwbmLogo Read(const QString& fileName);
    // The same check on bytes already in memory; `name` is what the error message calls them.
    static TAwbmLogo Parse(const QByteArray& bytes, const QString& name);
    // Raises an error for a size outside 1 × 1 to MaxWidth × MaxHeight.
    static void CheckSize(int width, int height);
    static bool HasSignature(const QByteArray& bytes) { return bytes.startsWith("AWBM"); }

    QByteArray Bytes() const;
    // Writes the logo as a new file: never over an existing file or through a link.
    void Write(const QString& fileName) const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Colors() const { return colors_; }
    const std::vector<TAwbmColor>& Palette() const { return palette_; }
    const std::vector<std::uint8_t>& Indices() const { return indices_; }
    std::uint8_t Index(int x, int y) const { return indices_[std::size_t(y) * width_ + x]; }

    // The logo as the BIOS shows it: its indices, the palette widened to eight bits a channel.
    TIndexedPicture Shown() const;
    // The same as a bitmap of 4 or 8 bits.
    TBitmap Render() const;
    // A DAC entry widened to eight bits a channel: the level nearest to v × 255 / 63, so that
    // 63 becomes 255 and 32 becomes 130. A QRgb (0xAARRGGBB), named by its type here so that
    // the reader needs no Qt Gui.
    static std::uint32_t ToRgb(TAwbmColor color);

private:
    TAwbmLogo() = default;
    void Check() const;

    int width_ = 0;
    int height_ = 0;
    int colors_ = 0;
    std::vector<TAwbmColor> palette_;
    std::vector<std::uint8_t> indices_;
};

#endif
