#include "controls/TextButton.h"
#include "controls/ControlCursors.h"
#include "runtime/Canvas.h"
#include "runtime/Fonts.h"
#include "runtime/ModalPrompts.h"
#include "runtime/ModalResult.h"
#include "tests/Mouse.h"
#include "tests/Pixels.h"

#include <QDialog>
#include <QFontMetrics>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic;

// One of the window's buttons, 94 × 24 with its settings, on a green face.
class TextButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 100);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(Qt::green));
        button = new TsohoTextButton(&window);
        button->SetBounds(10, 10, 94, 24);
        button->SetCaption(QStringLiteral("Yeni"));
        button->SetFont(font);
        button->SetFontColor(clNavy);
        button->OnClick = [this](TControl&) {
            events.append(QStringLiteral("click"));
            lightInClick = button->Light();
        };
        button->OnMouseDown = [this](TControl&, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            events.append(QStringLiteral("down"));
        };
        button->OnMouseUp = [this](TControl&, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            events.append(QStringLiteral("up"));
        };
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QColor Pixel(int x, int y) { return button->grab().toImage().pixelColor(x, y); }
    // The caption's own size, measured as the button measures it.
    QSize CaptionSize() const {
        const QFontMetrics metrics(button->Font());
        return {metrics.boundingRect(QRect(), kFlags, button->Caption()).width(),
                metrics.boundingRect(QRect(), kFlags, QStringLiteral("W")).height()};
    }
    // Where the caption's pixels are when its text proper starts at `at`, cut at the button.
    pixels::Set CaptionAt(QPoint at) const {
        QImage image(button->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        TCanvas canvas(image);
        canvas.SetFont(button->Font());
        canvas.DrawText(QRect(at, CaptionSize()), kFlags, button->Caption());
        pixels::Set set;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) != 0)
                    set.insert({x, y});
        return set;
    }
    // The text proper of the window's button: centred in (1, 1, 93, 23), then two pixels right.
    QPoint WindowCaptionPlace() const {
        const QSize size = CaptionSize();
        return {int(1 + (92 - size.width()) * 0.5) + 2, int(1 + (22 - size.height()) * 0.5)};
    }
    // The three copies, inside `content` (the rings may be white too): the text in its colour,
    // the lit copy `toLight` away from it and the shaded one opposite, each under the next.
    void ExpectCopies(QPoint at, QPoint toLight, TColor text = clNavy,
                      QRect content = QRect(1, 1, 92, 22)) {
        const pixels::Set caption = CaptionAt(at);
        const pixels::Set lit = pixels::Moved(caption, toLight.x(), toLight.y());
        const pixels::Set shaded = pixels::Moved(caption, -toLight.x(), -toLight.y());
        const auto within = [&](const pixels::Set& set) {
            pixels::Set inside;
            for (const auto& [x, y] : set)
                if (content.contains(x, y))
                    inside.insert({x, y});
            return inside;
        };
        ASSERT_FALSE(caption.isEmpty());
        if (text == clGray) {
            EXPECT_EQ(within(pixels::Of(*button, clGray)), within(caption + shaded));
        } else {
            EXPECT_EQ(within(pixels::Of(*button, text)), within(caption));
            EXPECT_EQ(within(pixels::Of(*button, clGray)), within(shaded - caption));
        }
        EXPECT_EQ(within(pixels::Of(*button, clWhite)), within(lit - shaded - caption));
    }

    const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold);
    QWidget window;
    TsohoTextButton* button = nullptr;
    QStringList events;
    TLightPos lightInClick = lpLeft;
};

TEST_F(TextButtonTest, StartsAsTheComponentIsMade) {
    InstallControlCursors();
    TsohoTextButton fresh(nullptr);
    EXPECT_EQ(fresh.cursor().shape(), Qt::BitmapCursor) << "the program's own pointing hand";
    EXPECT_EQ(fresh.cursor().hotSpot(), QPoint(11, 1));
    EXPECT_EQ(fresh.size(), QSize(75, 24));
    EXPECT_TRUE(fresh.Bevel());
    EXPECT_EQ(fresh.BevelOuter(), bvRaised);
    EXPECT_EQ(fresh.BevelInner(), bvNone);
    EXPECT_EQ(fresh.BevelWidth(), 1);
    EXPECT_EQ(fresh.BorderWidth(), 0);
    EXPECT_EQ(fresh.HighlightColor(), clBtnHighlight);
    EXPECT_EQ(fresh.BottomColor(), clBlack);
    EXPECT_EQ(fresh.Light(), lpLeftTop);
    EXPECT_EQ(fresh.Height3D(), 1);
    EXPECT_EQ(fresh.LightColor(), clWhite);
    EXPECT_EQ(fresh.ShadowColor(), clGray);
    EXPECT_EQ(fresh.Alignment(), taLeftJustify);
    EXPECT_TRUE(fresh.Transparent());
    EXPECT_FALSE(fresh.AutoSize());
    EXPECT_EQ(fresh.Kind(), sbCustom);
    EXPECT_EQ(fresh.Layout(), blGlyphLeft);
    EXPECT_EQ(fresh.ModalResult(), 0);
    EXPECT_EQ(fresh.Sound(), nullptr);
    EXPECT_TRUE(fresh.Glyph().Empty());
    fresh.SetHeight3D(-2);
    EXPECT_EQ(fresh.Height3D(), 1) << "a negative depth is refused";
}

TEST_F(TextButtonTest, TheWindowsButtonIdle) {
    const QColor highlight = ToQColor(clBtnHighlight);
    const QColor black(Qt::black);
    for (int x = 0; x < 93; ++x) {
        ASSERT_EQ(Pixel(x, 0), highlight) << x;
        ASSERT_EQ(Pixel(x, 23), black) << x;
    }
    for (int y = 0; y < 23; ++y) {
        ASSERT_EQ(Pixel(0, y), highlight) << y;
        ASSERT_EQ(Pixel(93, y), black) << y;
    }
    EXPECT_EQ(Pixel(93, 0), black) << "top-right corner";
    EXPECT_EQ(Pixel(0, 23), black) << "bottom-left corner";
    EXPECT_EQ(window.grab().toImage().pixelColor(12, 12), QColor(Qt::green)) << "transparent";
    ExpectCopies(WindowCaptionPlace(), {-1, -1});
}

TEST_F(TextButtonTest, PressedItIsReversedAndMovedUntilReleased) {
    const QImage idle = button->grab().toImage();
    mouse::Press(*button, QPoint(40, 12));
    EXPECT_EQ(Pixel(0, 0), QColor(Qt::black));
    EXPECT_EQ(Pixel(50, 0), QColor(Qt::black));
    EXPECT_EQ(Pixel(93, 0), ToQColor(clBtnHighlight));
    EXPECT_EQ(Pixel(93, 12), ToQColor(clBtnHighlight));
    EXPECT_EQ(Pixel(0, 23), ToQColor(clBtnHighlight));
    EXPECT_EQ(button->Light(), lpRightBottom);
    ExpectCopies(WindowCaptionPlace() + QPoint(1, 1), {1, 1});
    mouse::Release(*button, QPoint(40, 12));
    EXPECT_EQ(button->Light(), lpLeftTop);
    EXPECT_EQ(button->grab().toImage(), idle);
}

TEST_F(TextButtonTest, DisabledItsCaptionIsGreyWithItsCopies) {
    button->SetEnabled(false);
    EXPECT_EQ(Pixel(0, 0), ToQColor(clBtnHighlight));
    ExpectCopies(WindowCaptionPlace(), {-1, -1}, clGray);
    mouse::Click(*button, QPoint(40, 12));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_FALSE(button->Pressed());
}

TEST_F(TextButtonTest, TheCopiesFollowTheLight) {
    button->SetLight(lpRight);
    ExpectCopies(WindowCaptionPlace(), {1, 0});
    button->SetLight(lpLeftBottom);
    button->SetHeight3D(2);
    // Deeper copies push the caption proper further right.
    ExpectCopies(WindowCaptionPlace() + QPoint(1, 0), {-2, 2});
}

TEST_F(TextButtonTest, WithoutDepthOnlyTheTextShows) {
    button->SetHeight3D(0);
    const QPoint at = WindowCaptionPlace() - QPoint(1, 0);
    EXPECT_EQ(pixels::Of(*button, clNavy), CaptionAt(at));
    EXPECT_EQ(pixels::Of(*button, clWhite).size(), 93 + 22) << "the top and left rings only";
    EXPECT_TRUE(pixels::Of(*button, clGray).isEmpty());
}

TEST_F(TextButtonTest, WithoutBevelTheWholeButtonIsContent) {
    button->SetBevel(false);
    EXPECT_EQ(window.grab().toImage().pixelColor(10, 10), QColor(Qt::green));
    const QSize size = CaptionSize();
    ExpectCopies({int((94 - size.width()) * 0.5) + 2, int((24 - size.height()) * 0.5)}, {-1, -1},
                 clNavy, button->rect());
}

TEST_F(TextButtonTest, OpaqueItFillsInsideAndDrawsItsBorderInColor) {
    button->SetTransparent(false);
    button->SetColor(clYellow);
    button->SetBorderWidth(1);
    EXPECT_EQ(Pixel(0, 0), ToQColor(clBtnHighlight));
    EXPECT_EQ(Pixel(1, 1), QColor(Qt::yellow));
    EXPECT_EQ(Pixel(92, 22), QColor(Qt::yellow));
    EXPECT_EQ(Pixel(3, 3), QColor(Qt::yellow));
    const QSize size = CaptionSize();
    ExpectCopies({int(2 + (90 - size.width()) * 0.5) + 2, int(2 + (20 - size.height()) * 0.5)},
                 {-1, -1});
}

// Outer ring lowered (bottom colour first), a two-pixel gap in Color, inner ring raised.
TEST_F(TextButtonTest, ALoweredOuterARaisedInnerAndAGap) {
    button->SetBevelOuter(bvLowered);
    button->SetBevelInner(bvRaised);
    button->SetBorderWidth(2);
    button->SetColor(clYellow);
    const QColor highlight = ToQColor(clBtnHighlight);
    EXPECT_EQ(Pixel(0, 10), QColor(Qt::black));
    EXPECT_EQ(Pixel(93, 10), highlight);
    EXPECT_EQ(Pixel(40, 23), highlight);
    EXPECT_EQ(Pixel(1, 10), QColor(Qt::yellow));
    EXPECT_EQ(Pixel(2, 10), QColor(Qt::yellow));
    EXPECT_EQ(Pixel(3, 10), highlight);
    EXPECT_EQ(Pixel(90, 10), QColor(Qt::black));
    EXPECT_EQ(window.grab().toImage().pixelColor(14, 14), QColor(Qt::green)) << "still see-through";
    const QSize size = CaptionSize();
    ExpectCopies({int(4 + (86 - size.width()) * 0.5) + 2, int(4 + (16 - size.height()) * 0.5)},
                 {-1, -1}, clNavy, QRect(4, 4, 86, 16));

    mouse::Press(*button, QPoint(40, 12));
    EXPECT_EQ(Pixel(0, 10), highlight) << "pressed, both bevels swap";
    EXPECT_EQ(Pixel(3, 10), QColor(Qt::black));
    mouse::Release(*button, QPoint(40, 12));
}

TEST_F(TextButtonTest, ACaptionWiderThanTheButtonIsCutAtItsEdges) {
    button->SetBounds(10, 10, 30, 24);
    button->SetCaption(QStringLiteral("BMP Yükle"));
    const QSize size = CaptionSize();
    ASSERT_GT(size.width(), 28);
    const QPoint at(int(1 + (28 - size.width()) * 0.5) + 2, int(1 + (22 - size.height()) * 0.5));
    ASSERT_LT(at.x(), 0);
    EXPECT_EQ(pixels::Of(*button, clNavy), CaptionAt(at));
    EXPECT_FALSE(pixels::Of(*button, clNavy).contains({0, 0}));
}

// A 6 × 4 red block with a see-through corner, as glyph cells: picture black where the face
// shows, mask white there.
TBitmap BlockGlyph() {
    TBitmap glyph(12, 4, TPixelFormat::pf24bit);
    TCanvas& canvas = glyph.Canvas();
    canvas.FillRect(QRect(0, 0, 6, 4), clRed);
    canvas.FillRect(QRect(6, 0, 6, 4), clBlack);
    canvas.SetPixel(0, 0, clBlack);
    canvas.SetPixel(6, 0, clWhite);
    return glyph;
}

TEST_F(TextButtonTest, TheGlyphStandsOnEachSideOneMoreThanCentred) {
    const TBitmap glyph = BlockGlyph();
    button->SetGlyph(&glyph);
    const QSize text = CaptionSize();
    const auto centred = [](int start, int span, int size) {
        return int(start + (span - size) * 0.5);
    };
    struct Case {
        TButtonLayout layout;
        QPoint glyph;
        QPoint text;
    };
    const int across = centred(1, 92, 6 + text.width());
    const int down = centred(1, 22, 4 + text.height());
    const Case cases[] = {
        {blGlyphLeft, {across, centred(1, 22, 4)}, {across + 7, centred(1, 22, text.height())}},
        {blGlyphRight,
         {across + text.width() + 1, centred(1, 22, 4)},
         {across, centred(1, 22, text.height())}},
        {blGlyphTop, {centred(1, 92, 6), down}, {centred(1, 92, text.width()), down + 5}},
        {blGlyphBottom,
         {centred(1, 92, 6), down + text.height() + 1},
         {centred(1, 92, text.width()), down}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        button->SetLayout(c.layout);
        pixels::Set block;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                if (x != 0 || y != 0)
                    block.insert({c.glyph.x() + x, c.glyph.y() + y});
        EXPECT_EQ(pixels::Of(*button, clRed), block);
        const QPoint corner = button->mapTo(&window, c.glyph);
        EXPECT_EQ(window.grab().toImage().pixelColor(corner), QColor(Qt::green))
            << "the face shows where the mask is white";
        EXPECT_EQ(pixels::Of(*button, clNavy), CaptionAt(c.text + QPoint(1, 0)));
    }
}

TEST_F(TextButtonTest, KindsSetGlyphCaptionAndModalResult) {
    button->SetKind(sbYes);
    EXPECT_EQ(button->Caption(), QStringLiteral("Да"));
    EXPECT_EQ(button->ModalResult(), mrYes);
    EXPECT_EQ(button->Glyph().Width(), 36);
    EXPECT_EQ(button->Glyph().Height(), 18);
    EXPECT_EQ(button->Glyph().PixelFormat(), TPixelFormat::pf4bit);
    button->SetCaption(QStringLiteral("Evet"));
    button->SetKind(sbYes);
    EXPECT_EQ(button->Caption(), QStringLiteral("Evet")) << "the same kind again changes nothing";
    button->SetKind(sbCustom);
    EXPECT_EQ(button->Caption(), QStringLiteral("Evet"));
    EXPECT_EQ(button->Glyph().Width(), 36);
    EXPECT_EQ(button->ModalResult(), 0);

    const std::pair<TsohoButtonKind, QString> presets[] = {{sbOk, QStringLiteral("OK")},
                                                           {sbCancel, QStringLiteral("Сброс")},
                                                           {sbNo, QStringLiteral("Нет")},
                                                           {sbClose, QStringLiteral("Закрыть")}};
    const int results[] = {mrOk, mrCancel, mrNo, mrNone};
    for (int i = 0; i < 4; ++i) {
        button->SetKind(presets[i].first);
        EXPECT_EQ(button->Caption(), presets[i].second);
        EXPECT_EQ(button->ModalResult(), results[i]);
        EXPECT_FALSE(button->Glyph().Empty());
    }
}

// The press, the click (still drawn pressed, lit from the other side), then the release.
TEST_F(TextButtonTest, ALeftClickGivesPressClickRelease) {
    mouse::Click(*button, QPoint(40, 12));
    EXPECT_EQ(events, (QStringList{"down", "click", "up"}));
    EXPECT_EQ(lightInClick, lpRightBottom);
    EXPECT_EQ(button->Light(), lpLeftTop);
    events.clear();
    mouse::Press(*button, QPoint(40, 12));
    mouse::Release(*button, QPoint(150, 12));
    EXPECT_EQ(events, (QStringList{"down", "up"})) << "released away: no click";
}

TEST_F(TextButtonTest, OtherButtonsPressWithoutClickingAndTheLightComesBack) {
    button->SetLight(lpTop);
    mouse::Press(*button, QPoint(40, 12), Qt::RightButton);
    EXPECT_EQ(button->Light(), lpBottom);
    mouse::Release(*button, QPoint(40, 12), Qt::RightButton);
    EXPECT_EQ(button->Light(), lpTop);
    EXPECT_EQ(events, (QStringList{"down", "up"}));

    // Left held, right pressed and released, then left released: still as before.
    mouse::Press(*button, QPoint(40, 12));
    mouse::Press(*button, QPoint(50, 12), Qt::RightButton);
    EXPECT_EQ(button->Light(), lpBottom);
    mouse::Release(*button, QPoint(50, 12), Qt::RightButton);
    mouse::Release(*button, QPoint(40, 12));
    EXPECT_EQ(button->Light(), lpTop);
    EXPECT_FALSE(button->Pressed());
}

// Whatever a click handler does to the button, the release still brings it back up.
TEST_F(TextButtonTest, DisablingFromItsOwnClickLeavesItUnpressed) {
    button->OnClick = [](TControl& sender) { sender.SetEnabled(false); };
    const QImage up = button->grab().toImage();
    mouse::Click(*button, QPoint(40, 12));
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(button->Light(), lpLeftTop);
    EXPECT_EQ(events, (QStringList{"down"})) << "disabled, the release raises nothing";
    button->SetEnabled(true);
    EXPECT_EQ(button->grab().toImage(), up);
}

// A disabled button sees no release, so disabling lets go of the press at once: enabled again,
// it looks as it did before the press, not stuck down.
TEST_F(TextButtonTest, DisabledWhileHeldItComesBackUp) {
    const QImage up = button->grab().toImage();
    mouse::Press(*button, QPoint(40, 12));
    ASSERT_TRUE(button->Pressed());
    ASSERT_NE(button->grab().toImage(), up);
    button->SetEnabled(false);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(Pixel(0, 0), ToQColor(clBtnHighlight));
    button->SetEnabled(true);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(button->grab().toImage(), up);
    mouse::Release(*button, QPoint(40, 12));
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(button->grab().toImage(), up);
}

TEST_F(TextButtonTest, ModalResultReachesTheWindowAtEveryClick) {
    button->SetModalResult(mrYes);
    mouse::Click(*button, QPoint(40, 12));
    EXPECT_EQ(ModalResult(window), mrYes);
    button->SetModalResult(mrNone);
    mouse::Click(*button, QPoint(40, 12));
    EXPECT_EQ(ModalResult(window), mrNone) << "mrNone is handed on too";
}

TEST(TextButtonDialog, ANonZeroModalResultEndsTheModalDialog) {
    QDialog dialog;
    dialog.resize(120, 60);
    auto* stay = new TsohoTextButton(&dialog);
    stay->SetBounds(0, 0, 50, 24);
    auto* no = new TsohoTextButton(&dialog);
    no->SetBounds(60, 0, 50, 24);
    no->SetKind(sbNo);
    bool clickedAfterward = false;
    no->OnClick = [&](TControl&) { clickedAfterward = true; };
    QTimer::singleShot(0, &dialog, [&] {
        mouse::Click(*stay, QPoint(10, 10));
        EXPECT_TRUE(dialog.isVisible()) << "a result of 0 keeps it open";
        mouse::Click(*no, QPoint(10, 10));
        QTimer::singleShot(2000, &dialog, [&] { dialog.done(-1); }); // only if it stayed open
    });
    EXPECT_EQ(dialog.exec(), mrNo);
    EXPECT_TRUE(clickedAfterward);
}

} // namespace
