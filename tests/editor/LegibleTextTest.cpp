#include "controls/ShadowLabel.h"
#include "controls/TextButton.h"
#include "controls/UrlLabel.h"
#include "editor/Captions.h"
#include "editor/Main.h"
#include "runtime/Bitmap.h"
#include "runtime/Fonts.h"
#include "runtime/Label.h"
#include "runtime/SpacedText.h"
#include "tests/editor/WindowFixture.h"

#include <QComboBox>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QRect Place(2, 2, 480, 120);

// Dark pixels joined sideways, up and down or corner to corner count as one piece.
int Pieces(const QImage& image) {
    std::vector<bool> seen(std::size_t(image.width()) * image.height());
    const auto dark = [&](int x, int y) {
        return image.valid(x, y) && qGray(image.pixel(x, y)) < 128 &&
               !seen[std::size_t(y) * image.width() + x];
    };
    int pieces = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (!dark(x, y))
                continue;
            ++pieces;
            std::vector<QPoint> open{{x, y}};
            seen[std::size_t(y) * image.width() + x] = true;
            while (!open.empty()) {
                const QPoint at = open.back();
                open.pop_back();
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (dark(at.x() + dx, at.y() + dy)) {
                            seen[std::size_t(at.y() + dy) * image.width() + at.x() + dx] = true;
                            open.push_back(at + QPoint(dx, dy));
                        }
            }
        }
    return pieces;
}

using TDrawing = std::function<QImage(const QFont&, const QString&)>;

// As the controls draw their captions: through the canvas, black on white.
QImage OnCanvas(const QFont& font, const QString& text) {
    TBitmap bitmap(Place.right() + 3, Place.bottom() + 3, TPixelFormat::pf24bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.FillRect(QRect(0, 0, canvas.Width(), canvas.Height()), clWhite);
    canvas.SetFont(font);
    canvas.SetFontColor(clBlack);
    canvas.DrawText(Place, Qt::AlignLeft | Qt::AlignTop, text);
    return bitmap.Canvas().Image();
}

// As Qt alone draws the same text.
QImage ByQt(const QFont& font, const QString& text) {
    QImage image(Place.size() + QSize(4, 4), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(Place, Qt::AlignLeft | Qt::AlignTop, text);
    return image;
}

// How many times neighbouring letters run into each other: every meeting joins two pieces that
// the letters drawn one by one keep apart. An underline joins them all, and is left out.
int Meetings(QFont font, const QString& text, const TDrawing& draw) {
    font.setUnderline(false);
    int apart = 0;
    for (const QChar letter : text)
        if (!letter.isSpace())
            apart += Pieces(draw(font, QString(letter)));
    return apart - Pieces(draw(font, text));
}

QFont WindowFont(unsigned styles) {
    return MakeFont(QStringLiteral("MS Sans Serif"), 11, styles);
}

QStringList EveryCaption() {
    QStringList captions = {QStringLiteral("X : 135"), QStringLiteral("Y : 126")};
    for (const Captions::Language& language : Captions::Languages()) {
        const Captions::Column& c = language.texts;
        captions += {c.newButton,        c.loadPicture, c.savePicture, c.convert, c.loadLogo,
                     c.saveLogo,         c.about,       c.help,        c.exit,    c.pixelHeading,
                     c.characterHeading, c.pictureName, c.logoName};
    }
    return captions;
}

} // namespace

// Every caption of every language, in the window's regular and bold face: Qt's own drawing
// runs letters together (so the count can see it), the window's never does.
TEST(LegibleText, NoTwoLettersOfAnyCaptionTouch) {
    for (const unsigned styles : {0u, unsigned(fsBold)}) {
        int byQt = 0;
        for (const QString& caption : EveryCaption()) {
            EXPECT_EQ(Meetings(WindowFont(styles), caption, OnCanvas), 0)
                << caption.toStdString() << (styles ? " in bold" : "");
            byQt += Meetings(WindowFont(styles), caption, ByQt);
        }
        EXPECT_GT(byQt, 10) << "Qt alone joins letters of these captions";
    }
}

namespace {

using LegibleWindow = WindowFixture;

// The controls of `form` of this kind that show a caption.
template <typename Control> QList<Control*> Shown(const TMainForm& form) {
    QList<Control*> shown;
    for (Control* control : form.findChildren<Control*>())
        if (!control->Caption().isEmpty())
            shown += control;
    return shown;
}

// The columns of `button` its caption changes, from a grab with the caption and one without.
std::pair<int, int> CaptionColumns(TsohoTextButton& button) {
    const QImage with = button.grab().toImage();
    const QString caption = button.Caption();
    button.SetCaption(QString());
    const QImage without = button.grab().toImage();
    button.SetCaption(caption);
    int first = with.width();
    int last = -1;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

// The face of a button starts where the bevel rings end, halfway down.
int FrameWidth(TsohoTextButton& button) {
    const QString caption = button.Caption();
    button.SetCaption(QString());
    const QImage blank = button.grab().toImage();
    button.SetCaption(caption);
    const QColor face = ToQColor(button.Color());
    int x = 0;
    while (x < blank.width() / 2 && blank.pixelColor(x, blank.height() / 2) != face)
        ++x;
    return x;
}

} // namespace

// In each language, each caption the window shows, in the control's own font, keeps its
// letters apart and fits its control with the frame left clear.
TEST_F(LegibleWindow, EveryLanguageKeepsItsLettersApartAndInsideTheirControls) {
    for (int language = 0; language < form.ComboBox1->count(); ++language) {
        form.ComboBox1->setCurrentIndex(language);
        const std::string name = form.ComboBox1->currentText().toStdString();
        for (TsohoTextButton* button : Shown<TsohoTextButton>(form)) {
            EXPECT_EQ(Meetings(button->Font(), button->Caption(), OnCanvas), 0)
                << button->Caption().toStdString();
            const auto [first, last] = CaptionColumns(*button);
            const int frame = FrameWidth(*button);
            EXPECT_GE(first, frame) << button->Caption().toStdString() << " in " << name;
            EXPECT_LT(last, button->width() - frame)
                << button->Caption().toStdString() << " in " << name;
        }
        for (TCustomLabel* label : Shown<TCustomLabel>(form)) {
            EXPECT_EQ(Meetings(label->Font(), label->Caption(), OnCanvas), 0)
                << label->Caption().toStdString();
            const QRect text =
                TSpacedText(label->Font(), label->rect(), Qt::AlignHCenter, label->Caption())
                    .Bounds();
            EXPECT_TRUE(label->rect().contains(text)) << label->Caption().toStdString();
        }
    }
}
