#include "runtime/SpacedText.h"
#include "runtime/Fonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QFont WindowFont(unsigned styles = 0) {
    return MakeFont(QStringLiteral("MS Sans Serif"), 11, styles);
}

// One line's height, which is more than the font's ascent and descent.
int LineHeight(const QFont& font) {
    return QFontMetrics(font).boundingRect(QRect(), 0, QStringLiteral("X")).height();
}

QImage Blank(qreal ratio = 1) {
    QImage image(QSize(160, 60) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

QImage AsQtDraws(const QFont& font, const QRect& rect, int flags, const QString& text,
                 qreal ratio = 1) {
    QImage image = Blank(ratio);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(rect, flags, text);
    return image;
}

QImage Spaced(const QFont& font, const QRect& rect, int flags, const QString& text,
              qreal ratio = 1) {
    QImage image = Blank(ratio);
    QPainter painter(&image);
    TSpacedText(font, rect, flags, text).Draw(painter);
    return image;
}

// The columns where the image has a dark pixel.
QList<int> InkedColumns(const QImage& image) {
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                columns += x;
                break;
            }
    return columns;
}

struct TSetting {
    QRect rect;
    int flags;
    QString text;
};

// Text none of whose letters touch, in each way the controls set text.
const QList<TSetting>& UntouchedSettings() {
    static const QList<TSetting> settings = {
        {QRect(3, 2, 150, 20), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Neu")},
        {QRect(3, 2, 150, 20), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("  Pixel  ")},
        {QRect(0, 0, 151, 50), Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Yeni\nPixel")},
        {QRect(5, 5, 30, 12), Qt::AlignCenter, QStringLiteral("Neu Pixel")},
        {QRect(5, 5, 30, 10), Qt::AlignVCenter, QStringLiteral("Neu")},
        {QRect(5, 5, 30, 22), Qt::AlignVCenter, QStringLiteral("Neu")},
        {QRect(5, 5, 60, 50), Qt::AlignHCenter | Qt::TextWordWrap, QStringLiteral("Neu Yeni Neu")},
        {QRect(2, 2, 150, 20), Qt::TextShowMnemonic, QStringLiteral("&Neu && Yeni")},
        {QRect(2, 2, 150, 20), Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("Yeni\nNeu")},
        {QRect(), Qt::AlignLeft, QString()},
    };
    return settings;
}

} // namespace

// Where no letters touch, the text is what Qt itself draws and measures, pixel for pixel.
TEST(SpacedText, UntouchedTextIsExactlyAsQtSetsIt) {
    for (const QFont& font : {WindowFont(), WindowFont(fsBold), WindowFont(fsUnderline)})
        for (const qreal ratio : {1.0, 2.0})
            for (const TSetting& setting : UntouchedSettings()) {
                const TSpacedText spaced(font, setting.rect, setting.flags, setting.text);
                ASSERT_EQ(spaced.Gaps(), 0) << setting.text.toStdString();
                EXPECT_EQ(spaced.Bounds(), QFontMetrics(font).boundingRect(
                                               setting.rect, setting.flags, setting.text))
                    << setting.text.toStdString() << " in " << font.key().toStdString();
                EXPECT_EQ(Spaced(font, setting.rect, setting.flags, setting.text, ratio),
                          AsQtDraws(font, setting.rect, setting.flags, setting.text, ratio))
                    << setting.text.toStdString() << " in " << font.key().toStdString() << " at "
                    << ratio;
            }
}

// Qt draws "ra" and "ak" of "Karakter" touching: each pair gets a pixel between, and the line
// grows by them.
TEST(SpacedText, TouchingLettersGetThePixelBetweenThemAndTheWidthCountsIt) {
    const QFont font = WindowFont();
    const QString text = QStringLiteral("Karakter");
    const QRect rect(0, 0, 150, 20);
    const TSpacedText spaced(font, rect, Qt::AlignLeft, text);
    ASSERT_GT(spaced.Gaps(), 0);
    EXPECT_EQ(spaced.Bounds().width(), QFontMetrics(font).horizontalAdvance(text) + spaced.Gaps());
    const QList<int> qt = InkedColumns(AsQtDraws(font, rect, Qt::AlignLeft, text));
    const QList<int> ours = InkedColumns(Spaced(font, rect, Qt::AlignLeft, text));
    // Every gap is a run of blank columns more than Qt's drawing has.
    EXPECT_EQ(ours.back() - ours.front() + 1 - ours.size(),
              qt.back() - qt.front() + 1 - qt.size() + spaced.Gaps());
    // The first letter stands where Qt puts it.
    EXPECT_EQ(ours.front(), qt.front());
}

// Centring takes the spaced width, so the gaps share out on both sides.
TEST(SpacedText, CentredTextIsCentredByItsSpacedWidth) {
    const QFont font = WindowFont(fsBold);
    const QRect rect(0, 0, 151, 20);
    const QString text = QStringLiteral("EPA Laden");
    const TSpacedText spaced(font, rect, Qt::AlignHCenter, text);
    ASSERT_GT(spaced.Gaps(), 0);
    const QRect left = TSpacedText(font, rect, Qt::AlignLeft, text).Bounds();
    EXPECT_LE(spaced.Bounds().width() - left.width(), 1) << "half a pixel each side at most";
    EXPECT_LE(std::abs(spaced.Bounds().left() - (rect.width() - left.width()) / 2), 1);
    const QList<int> columns = InkedColumns(Spaced(font, rect, Qt::AlignHCenter, text));
    EXPECT_LE(std::abs(columns.front() - (rect.width() - 1 - columns.back())), 2);
}

// Word wrap counts the gaps: a line that fits only unspaced moves its last word down.
TEST(SpacedText, WrappingMeasuresLinesWithTheirGaps) {
    const QFont font = WindowFont();
    const QString text = QStringLiteral("Karakter Karakter");
    const int unspaced = QFontMetrics(font).horizontalAdvance(text);
    const QRect exact(0, 0, unspaced, 60);
    EXPECT_EQ(QFontMetrics(font).boundingRect(exact, Qt::TextWordWrap, text).height(),
              LineHeight(font));
    const TSpacedText spaced(font, exact, Qt::TextWordWrap, text);
    EXPECT_EQ(spaced.Bounds().height(), 2 * LineHeight(font));
    const TSpacedText wide(font, QRect(0, 0, unspaced + 10, 60), Qt::TextWordWrap, text);
    EXPECT_EQ(wide.Bounds().height(), LineHeight(font));
}

// Text is clipped to its rectangle unless asked not to be, as Qt does.
TEST(SpacedText, ClipsToTheRectangleUnlessTold) {
    const QFont font = WindowFont();
    const QRect narrow(10, 5, 8, 14);
    const QString text = QStringLiteral("Karakter");
    EXPECT_LT(InkedColumns(Spaced(font, narrow, Qt::AlignLeft, text)).back(), 18);
    EXPECT_GT(InkedColumns(Spaced(font, narrow, Qt::AlignLeft | Qt::TextDontClip, text)).back(),
              30);
}
