#include "editor/Main.h"

#include "controls/Border.h"
#include "controls/ColorGrid.h"
#include "controls/Panel.h"
#include "controls/ShadowLabel.h"
#include "controls/TextButton.h"
#include "controls/UrlLabel.h"
#include "formats/Conversion.h"
#include "formats/EpaSave.h"
#include "formats/LogoGeometry.h"
#include "formats/Templates.h"
#include "gif/GIFAnimator.h"
#include "runtime/Bitmap.h"
#include "runtime/Fonts.h"
#include "runtime/Image.h"
#include "runtime/LocalFiles.h"
#include "runtime/ModalPrompts.h"
#include "runtime/ProgressBar.h"

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

const QString Title = QStringLiteral("   Varnel PROGRAMI   ver.1.00.99");
const QString WebAddress = QStringLiteral("https://varnel.example.org/");
const QString MailAddress = QStringLiteral("logo@varnel.example.org");
const QString WindowFont = QStringLiteral("MS Sans Serif");
constexpr int WindowFontHeight = 11;

// Runs `work` with the progress bar showing, and hides it again however the work ends.
template <typename Work> void WithProgress(TProgressBar& bar, Work&& work) {
    bar.show();
    try {
        work();
    } catch (...) {
        bar.hide();
        throw;
    }
    bar.hide();
}

// An animator as the window keeps it: its own size, whatever its picture's, and the picture read
// from the window's resources.
TGIFAnimator* MakeAnimator(QWidget* parent, const QRect& bounds, const QString& picture) {
    auto* animator = new TGIFAnimator(parent);
    animator->SetLoading(true);
    animator->SetAutoSize(false);
    animator->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    QFile file(picture);
    if (file.open(QIODevice::ReadOnly))
        animator->Image().LoadFromStream(file);
    animator->SetLoading(false);
    return animator;
}

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(Title);
    setWindowIcon(QIcon(QStringLiteral(":/varnel.ico")));
    setFixedSize(545, 328);
    setFont(MakeFont(WindowFont, WindowFontHeight));
    CreateFrameAndPictures();
    CreateCommandButtons();
    CreateReadouts();
    CreateSideControls();
    CreateDialogs();
    ConnectEvents();
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateFrameAndPictures() {
    sohoPanel2 = new TsohoPanel(this);
    sohoPanel2->SetBorderStyle(bsSingle);
    sohoPanel2->setGeometry(rect());
    TBitmap backdrop;
    QFile backdropFile(QStringLiteral(":/background.bmp"));
    if (backdropFile.open(QIODevice::ReadOnly)) {
        backdrop.LoadFromStream(backdropFile);
        sohoPanel2->SetBackImage(&backdrop);
    }

    ProBorder2 = new TProBorder(sohoPanel2);
    ProBorder1 = new TProBorder(sohoPanel2);
    for (TProBorder* border : {ProBorder2, ProBorder1}) {
        border->SetBevelCtl3D(true);
        border->SetBevelInner(bvRaised);
    }
    ProBorder2->SetBounds(253, 10, 167, 148);
    ProBorder1->SetBounds(11, 10, 149, 139);

    Image1 = new TImage(sohoPanel2);
    Image1->SetBounds(16, 15, 137, 127);
    Image1->setCursor(Qt::UpArrowCursor);
    Image1->Picture().SetGraphic(std::make_unique<TBitmap>(Templates::BlankDrawing()));

    Image2 = new TImage(sohoPanel2);
    Image2->SetBounds(260, 16, 153, 135);
    Image2->SetAutoSize(true);
    Image2->setCursor(Qt::CrossCursor);
    Image2->Picture().SetGraphic(std::make_unique<TBitmap>(Templates::BlankPreview()));
}

TsohoTextButton* TMainForm::MakeButton(int left, int top, int width, const QString& caption,
                                       TColor color) {
    auto* button = new TsohoTextButton(sohoPanel2);
    button->SetBounds(left, top, width, 24);
    button->SetCaption(caption);
    button->SetFont(MakeFont(WindowFont, WindowFontHeight, fsBold));
    button->SetFontColor(color);
    return button;
}

void TMainForm::CreateCommandButtons() {
    sohoTextButton1 = MakeButton(164, 190, 92, QStringLiteral("Yeni"), clNavy);
    sohoTextButton2 = MakeButton(40, 180, 94, QStringLiteral("BMP Yükle"), clNavy);
    sohoTextButton3 = MakeButton(40, 210, 94, QStringLiteral("BMP Kayıt"), clNavy);
    sohoTextButton4 = MakeButton(169, 65, 75, QStringLiteral("BMP > EPA"), clRed);
    sohoTextButton5 = MakeButton(290, 180, 94, QStringLiteral("EPA Yükle"), clNavy);
    sohoTextButton6 = MakeButton(290, 210, 94, QStringLiteral("EPA Kayıt"), clNavy);
    sohoTextButton6->SetEnabled(false);
}

TShadowLabel* TMainForm::MakeLabel(int left, int top, const QString& caption, TColor color,
                                   unsigned styles) {
    auto* label = new TShadowLabel(sohoPanel2);
    label->SetTransparent(true);
    label->SetShadowPos(spRightBottom);
    label->SetFont(MakeFont(WindowFont, WindowFontHeight, styles));
    label->SetFontColor(color);
    label->SetCaption(caption);
    label->SetBounds(left, top, label->width(), label->height());
    return label;
}

void TMainForm::CreateReadouts() {
    ShadowLabel1 = MakeLabel(178, 13, QStringLiteral("  Piksel  "), clTeal, fsBold | fsUnderline);
    ShadowLabel2 = MakeLabel(184, 28, QStringLiteral("X :"), clTeal, fsBold);
    ShadowLabel3 = MakeLabel(184, 43, QStringLiteral("Y :"), clTeal, fsBold);
    ShadowLabel4 = MakeLabel(180, 99, QStringLiteral("Karakter"), clTeal, fsBold | fsUnderline);
    ShadowLabel5 = MakeLabel(186, 117, QStringLiteral("X :"), clTeal, fsBold);
    ShadowLabel6 = MakeLabel(186, 132, QStringLiteral("Y :"), clTeal, fsBold);
    ShadowLabel7 = MakeLabel(14, 153, QStringLiteral("Yeni"), clWindowText, 0);
    ShadowLabel8 = MakeLabel(257, 162, QStringLiteral("Adsız"), clWindowText, 0);
}

void TMainForm::CreateSideControls() {
    sohoTextButton7 = MakeButton(433, 150, 96, QStringLiteral("Hakkında"), clMaroon);
    sohoTextButton8 = MakeButton(433, 180, 96, QStringLiteral("Yardım"), clMaroon);
    sohoTextButton9 = MakeButton(433, 210, 96, QStringLiteral("Çıkış"), clMaroon);

    ProUrlLabel1 = new TProUrlLabel(sohoPanel2);
    ProUrlLabel1->SetAutoSize(false);
    ProUrlLabel1->SetAlignment(taCenter);
    // The mail label keeps its own size so that the whole address always shows.
    ProUrlLabel2 = new TProUrlLabel(sohoPanel2);
    for (auto [label, address] :
         {std::pair{ProUrlLabel1, WebAddress}, {ProUrlLabel2, MailAddress}}) {
        label->SetTransparent(true);
        label->SetFont(MakeFont(WindowFont, WindowFontHeight, fsUnderline));
        label->SetCaption(address);
        label->SetURL(address);
    }
    ProUrlLabel1->SetBounds(371, 269, 161, 13);
    ProUrlLabel2->SetBounds(409, 289, ProUrlLabel2->width(), ProUrlLabel2->height());

    ga1 = MakeAnimator(sohoPanel2, QRect(20, 278, 24, 32), QStringLiteral(":/ga1.gif"));
    ga1->SetStretch(true);

    ColorGrid1 = new TColorGrid(sohoPanel2);
    ColorGrid1->SetBounds(430, 10, 100, 100);
    ColorGrid1->SetFont(font());
    ColorGrid1->SetForegroundIndex(15);
    ColorGrid1->SetBackgroundIndex(15);
    ColorGrid1->SetBackgroundEnabled(false);
    ColorGrid1->SetSelection(1);

    ComboBox1 = new QComboBox(sohoPanel2);
    ComboBox1->setEditable(true);
    ComboBox1->addItems({QStringLiteral("Tr - Türkçe"), QStringLiteral("En - English"),
                         QStringLiteral("De - Deutsch")});
    ComboBox1->setCurrentIndex(0);
    PlaceInParent(*ComboBox1, 430, 120, 101, 21);

    sg1 = new TProgressBar(sohoPanel2);
    sg1->setRange(0, 126);
    sg1->setValue(0);
    sg1->SetStep(1);
    sg1->setTextVisible(false);
    sg1->hide();
    PlaceInParent(*sg1, 255, 160, 161, 16);

    Panel1 = new QFrame(sohoPanel2);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(4);
    Panel1->setStyleSheet(QStringLiteral("QFrame { background: black; }"));
    Panel1->hide();
    PlaceInParent(*Panel1, 141, 9, 255, 306);

    ga2 = MakeAnimator(Panel1, QRect(110, 240, 42, 49), QStringLiteral(":/ga2.gif"));
    ga2->setCursor(Qt::PointingHandCursor);

    Label1 = new QLabel(Panel1);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(MakeFont(QStringLiteral("Times New Roman"), 13, fsBold));
    Label1->setStyleSheet(QStringLiteral("QLabel { color: #00ffff; background: transparent; }"));
    Label1->setText(QStringLiteral("Varnel PROGRAMI\nver.1.00.99\n\nAward BIOS 4.50 / 4.51 / "
                                   "4.51PG\nboot logo editor\n\n%1")
                        .arg(MailAddress));
    PlaceInParent(*Label1, 27, 12, 213, 109);

    Button1 = new QPushButton(QStringLiteral("Kapat / Close / Ende"), sohoPanel2);
    Button1->hide();
    PlaceInParent(*Button1, 9, 289, 120, 25);
}

void TMainForm::CreateDialogs() {
    const QFont dialogFont = MakeFont(WindowFont, WindowFontHeight);
    pcd1.SetCaption(QStringLiteral("ONAYLAMA  -  CONFIRMATION"));
    pcd1.SetDescription(QStringLiteral("Yeni Dosya Açılacak, EMİN MİSİNİZ ?"));
    pcd1.SetCondition(QStringLiteral("Açıklama : Ekrandaki BMP ve EPA logoları silinecek. Bu "
                                     "işlemden önce KAYIT etmeyi unutmayınız..."));
    pcd1.SetQuestion(QStringLiteral("BMP and EPA images will be deleted! Are you sure? "));
    pcd1.SetFont(dialogFont);
    pid1.SetCaption(QStringLiteral("BILGI - INFORMATION"));
    pid1.SetInfoMessage(
        QStringLiteral("Dosya aktif dizine yaratıldı. (file in current directory!)"));
    pid1.SetAlignment(taCenter);
    pid1.SetFont(dialogFont);
}

void TMainForm::ConnectEvents() {
    using namespace std::placeholders;
    ProBorder1->OnMouseLeave = std::bind(&TMainForm::ProBorder1MouseLeave, this, _1);
    ProBorder2->OnMouseLeave = std::bind(&TMainForm::ProBorder1MouseLeave, this, _1);
    Image1->OnMouseDown = std::bind(&TMainForm::Image1MouseDown, this, _1, _2, _3, _4, _5);
    Image1->OnMouseMove = std::bind(&TMainForm::Image1MouseMove, this, _1, _2, _3, _4);
    Image1->OnMouseUp = std::bind(&TMainForm::Image1MouseUp, this, _1, _2, _3, _4, _5);
    Image2->OnMouseDown = std::bind(&TMainForm::Image2MouseDown, this, _1, _2, _3, _4, _5);
    Image2->OnMouseMove = std::bind(&TMainForm::Image2MouseMove, this, _1, _2, _3, _4);
    sohoTextButton4->OnClick = std::bind(&TMainForm::sohoTextButton4Click, this, _1);
    sohoTextButton6->OnClick = std::bind(&TMainForm::sohoTextButton6Click, this, _1);
}

void TMainForm::FormCreate() {
    // The grid index goes in as it is: for the start-up white it equals the attribute.
    colorTable_.Fill(ColorGrid1->ForegroundIndex());
    ga1->SetAnimate(true);
}

void TMainForm::Image1MouseDown(TControl&, Qt::MouseButton button, Qt::KeyboardModifiers, int x,
                                int y) {
    const TColor color = button == Qt::LeftButton ? clWhite : clBlack;
    TCanvas& canvas = Image1->Canvas();
    canvas.SetPixel(x, y, color);
    canvas.SetPenColor(color);
    canvas.MoveTo(x, y);
    drawing_ = true;
}

void TMainForm::Image1MouseMove(TControl&, Qt::KeyboardModifiers, int x, int y) {
    ShowReadouts(x, y, LogoGeometry::CellWidth, LogoGeometry::CellHeight);
    if (drawing_)
        Image1->Canvas().LineTo(x, y);
}

void TMainForm::Image1MouseUp(TControl&, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    drawing_ = false;
}

void TMainForm::Image2MouseMove(TControl&, Qt::KeyboardModifiers, int x, int y) {
    ShowReadouts(x, y, LogoGeometry::PreviewCellWidth, LogoGeometry::PreviewCellHeight);
}

void TMainForm::ShowReadouts(int x, int y, int cellWidth, int cellHeight) {
    ShadowLabel2->SetCaption(QStringLiteral("X : %1").arg(x));
    ShadowLabel5->SetCaption(QStringLiteral("x : %1").arg(x / cellWidth));
    ShadowLabel3->SetCaption(QStringLiteral("Y : %1").arg(y));
    ShadowLabel6->SetCaption(QStringLiteral("y : %1").arg(y / cellHeight));
}

void TMainForm::ProBorder1MouseLeave(TControl&) {
    ShadowLabel2->SetCaption(QStringLiteral("x : 0"));
    ShadowLabel5->SetCaption(QStringLiteral("x : 0"));
    ShadowLabel3->SetCaption(QStringLiteral("y : 0"));
    ShadowLabel6->SetCaption(QStringLiteral("y : 0"));
}

void TMainForm::Image2MouseDown(TControl&, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    const int c = x / LogoGeometry::PreviewCellWidth;
    const int r = y / LogoGeometry::PreviewCellHeight;
    // A preview larger than the logo (a bigger template) has places no cell owns.
    if (!TColorTable::Contains(c, r))
        return;
    colorTable_.Set(c, r, TColorTable::AttributeForGridIndex(ColorGrid1->ForegroundIndex()));
    TCanvas& canvas = Image2->Canvas();
    const TColor paint = ColorGrid1->ForegroundColor();
    const int left = c * LogoGeometry::PreviewCellWidth;
    const int top = r * LogoGeometry::PreviewCellHeight;
    for (int px = left; px < left + LogoGeometry::CellWidth; ++px)
        for (int py = top; py < top + LogoGeometry::CellHeight; ++py)
            if (const TColor color = canvas.Pixel(px, py); color != clBlack && color != clSilver)
                canvas.SetPixel(px, py, paint);
}

void TMainForm::sohoTextButton4Click(TControl&) {
    WithProgress(*sg1, [this] {
        ConvertDrawing(Image1->Picture().Bitmap(), Image2->Picture().Bitmap(), QDir::current(),
                       [this] { sg1->StepIt(); });
    });
    Image2->update();
    sohoTextButton6->SetEnabled(true);
}

void TMainForm::sohoTextButton6Click(TControl&) {
    const QString untitled = QStringLiteral("Adsız");
    const QString typed = TModalPrompts::InputBox(
        QStringLiteral("Dosya Adı - Filename - Dateiname"),
        QStringLiteral("Dosya Adı   ( Maximum \" 8.0 \" Character! )"), untitled);
    if (typed.isEmpty() || typed == untitled)
        return;
    const QString logoName = typed + QStringLiteral(".epa");
    // The information dialog promises the current folder.
    LocalFiles::RequirePlainName(logoName);
    WithProgress(
        *sg1, [&] { SaveEpa(colorTable_, QDir::current(), logoName, [this] { sg1->StepIt(); }); });
    ShadowLabel8->SetCaption(logoName);
    pid1.Execute();
}
