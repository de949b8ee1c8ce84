#include "editor/Main.h"

#include "controls/ColorGrid.h"
#include "controls/ProBorder.h"
#include "controls/ShadowLabel.h"
#include "controls/TextButton.h"
#include "controls/TextListBox.h"
#include "controls/UrlLabel.h"
#include "controls/sohoPanel.h"
#include "gif/GIFAnimator.h"
#include "logo/LogoGeometry.h"
#include "logo/WorkingFiles.h"
#include "pictures/Icon.h"
#include "runtime/Bitmap.h"
#include "runtime/Cursors.h"
#include "runtime/Exception.h"
#include "runtime/Fonts.h"
#include "runtime/Image.h"
#include "runtime/Label.h"
#include "runtime/LocalFiles.h"
#include "runtime/ModalPrompts.h"
#include "runtime/Panel.h"
#include "runtime/PictureFormats.h"
#include "runtime/ProgressBar.h"
#include "runtime/Resources.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>

namespace {

const QString Title = QStringLiteral("   Varnel PROGRAMI   ver.1.00.99");
const QString WebAddress = QStringLiteral("https://varnel.example.org/");
const QString MailAddress = QStringLiteral("logo@varnel.example.org");
const QString WindowFont = QStringLiteral("MS Sans Serif");
constexpr int WindowFontHeight = 11;

// A control event that calls a handler of the window.
template <typename... Args> auto Handler(TMainForm* form, void (TMainForm::*handler)(Args...)) {
    return [form, handler](Args... args) { (form->*handler)(args...); };
}

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

// Every registered picture kind, all of them first.
QList<TFileFilter> PictureFilters() {
    QStringList patterns;
    QList<TFileFilter> filters;
    for (const TPictureFormats::Entry& kind : TPictureFormats::Entries()) {
        const QString pattern = QStringLiteral("*.") + kind.extension;
        patterns.append(pattern);
        filters.append({QStringLiteral("%1 (%2)").arg(kind.description, pattern), pattern});
    }
    const QString all = patterns.join(u';');
    filters.prepend({QStringLiteral("All (%1)").arg(all), all});
    return filters;
}

// A template in the working folder wins. Without one, the program's own copy (the same pixels)
// keeps New working in whatever folder Load BMP has gone to.
QString TemplateFile(const TLogoDocument& document, const QString& name) {
    const QString file = document.InFolder(name);
    return QFileInfo::exists(file) ? file : QStringLiteral(":/templates/") + name;
}

// The help text, a line an item: trilingual, and the same whatever language the window speaks.
QStringList HelpLines() {
    QFile file(QStringLiteral(":/help.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
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
    // Read by our own icon reader: Qt's would load the image plugins at start-up.
    QIcon icon;
    for (const QImage& image : IconImages(LinkedFile(QStringLiteral(":/varnel.ico"))))
        icon.addPixmap(QPixmap::fromImage(image));
    setWindowIcon(icon);
    setFixedSize(545, 328);
    setFont(MakeFont(WindowFont, WindowFontHeight));
    CreateFrameAndPictures();
    CreateCommandButtons();
    CreateReadouts();
    CreateSideControls();
    CreateProgressBar();
    CreateAboutPanel();
    CreateHelpView();
    CreateDialogs();
    ConnectEvents();
    ConnectCommands();
    ConnectOverlays();
    ArrangeTabOrder();
    FormCreate();
    StartHistory();
    StartKeyboard();
    StartAccessibility();
}

TMainForm::~TMainForm() {
    Image1->ShowOwnPicture();
    Image2->ShowOwnPicture();
}

void TMainForm::CreateFrameAndPictures() {
    // The window never grows, and the panel lays the picture from its top-left corner: only that
    // much of it ever shows, so the panel keeps and converts no more than that.
    TBitmap backdrop;
    backdrop.LoadTopLeft(LinkedFile(QStringLiteral(":/background.bmp")), size());
    sohoPanel2 = new TsohoPanel(this, &backdrop);
    sohoPanel2->SetBorderStyle(bsSingle);
    sohoPanel2->setGeometry(rect());

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
    Image1->ShowPicture(document_.Drawing());

    Image2 = new TImage(sohoPanel2);
    Image2->SetBounds(260, 16, 153, 135);
    Image2->SetAutoSize(true);
    Image2->setCursor(Qt::CrossCursor);
    Image2->ShowPicture(document_.Preview());
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
    label->SetFont(MakeFont(WindowFont, WindowFontHeight, styles));
    label->SetFontColor(color);
    label->SetCaption(caption);
    // Placed last, the shadow is not yet counted in the size: that waits for the first caption
    // change, as it always has.
    label->SetShadowPos(spRightBottom);
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
    // The list offers the three languages; what is typed only picks among them. Completion
    // would fill in a language from one letter, where two are what names it.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setCompleter(nullptr);
    ComboBox1->addItems({QStringLiteral("Tr - Türkçe"), QStringLiteral("En - English"),
                         QStringLiteral("De - Deutsch")});
    ComboBox1->setCurrentIndex(0);
    PlaceInParent(*ComboBox1, 430, 120, 101, 21);
}

void TMainForm::CreateProgressBar() {
    sg1 = new TProgressBar(sohoPanel2);
    sg1->setRange(0, LogoGeometry::Height);
    sg1->setValue(0);
    sg1->SetStep(1);
    sg1->setTextVisible(false);
    sg1->hide();
    PlaceInParent(*sg1, 255, 160, 161, 16);
}

void TMainForm::CreateAboutPanel() {
    Panel1 = new TPanel(sohoPanel2);
    Panel1->SetColor(clBlack);
    Panel1->SetBevelOuter(bvLowered);
    Panel1->SetBevelInner(bvLowered);
    Panel1->SetBevelWidth(4);
    Panel1->hide();
    PlaceInParent(*Panel1, 141, 9, 255, 306);

    ga2 = MakeAnimator(Panel1, QRect(110, 240, 42, 49), QStringLiteral(":/ga2.gif"));
    ga2->setCursor(TCursors::Get(crHandPoint));

    Label1 = new TLabel(Panel1);
    Label1->SetAutoSize(false);
    Label1->SetAlignment(taCenter);
    Label1->SetLayout(tlCenter);
    Label1->SetTransparent(true);
    Label1->SetFont(MakeFont(QStringLiteral("Times New Roman"), 13, fsBold));
    Label1->SetFontColor(clAqua);
    Label1->SetCaption(QStringLiteral("Varnel PROGRAMI\nver.1.00.99\n\nAward BIOS 4.50 / 4.51 / "
                                      "4.51PG\nlogo editor\n%1\n%2")
                           .arg(WebAddress, MailAddress));
    Label1->SetBounds(27, 12, 213, 109);
}

// Made after the about panel and every other windowed control, so that the list covers them
// all, and its close button in turn lies on the list.
void TMainForm::CreateHelpView() {
    tlb1 = new TTextListBox(sohoPanel2);
    tlb1->SetItemHeight(13);
    tlb1->hide();
    PlaceInParent(*tlb1, 7, 6, 524, 310);

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
    ProBorder1->OnMouseLeave = Handler(this, &TMainForm::ProBorder1MouseLeave);
    ProBorder2->OnMouseLeave = Handler(this, &TMainForm::ProBorder1MouseLeave);
    Image1->OnMouseDown = Handler(this, &TMainForm::Image1MouseDown);
    Image1->OnMouseMove = Handler(this, &TMainForm::Image1MouseMove);
    Image1->OnMouseUp = Handler(this, &TMainForm::Image1MouseUp);
    Image2->OnMouseDown = Handler(this, &TMainForm::Image2MouseDown);
    Image2->OnMouseMove = Handler(this, &TMainForm::Image2MouseMove);
    sohoTextButton4->OnClick = Handler(this, &TMainForm::sohoTextButton4Click);
    sohoTextButton6->OnClick = Handler(this, &TMainForm::sohoTextButton6Click);
}

void TMainForm::ConnectCommands() {
    sohoTextButton1->OnClick = Handler(this, &TMainForm::sohoTextButton1Click);
    sohoTextButton2->OnClick = Handler(this, &TMainForm::sohoTextButton2Click);
    sohoTextButton3->OnClick = Handler(this, &TMainForm::sohoTextButton3Click);
    sohoTextButton5->OnClick = Handler(this, &TMainForm::sohoTextButton5Click);
    sohoTextButton9->OnClick = Handler(this, &TMainForm::sohoTextButton9Click);
    // Typing counts as much as choosing from the list.
    connect(ComboBox1, &QComboBox::currentTextChanged, this,
            [this] { ComboBox1Change(*ComboBox1); });
}

void TMainForm::ConnectOverlays() {
    sohoTextButton7->OnClick = Handler(this, &TMainForm::sohoTextButton7Click);
    ga2->OnClick = Handler(this, &TMainForm::ga2Click);
    sohoTextButton8->OnClick = Handler(this, &TMainForm::sohoTextButton8Click);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(*Button1); });
}

// Tab goes round the command buttons and the windowed controls in their tab order; the grid
// takes part, so that colours can be picked from the keyboard, but keeps TabStop off: a click
// picks a colour without taking the focus or showing the selector. The window opens with the
// language list focused, and the grid shows its keyboard cursor, on the colour in use, only once
// Tab brings the focus to it.
void TMainForm::ArrangeTabOrder() {
    ColorGrid1->setFocusPolicy(Qt::TabFocus);
    // The command buttons too are reached by Tab only, so that a click leaves the focus where
    // it was; they go from the drawing's commands to the logo's, then the window's own.
    for (TsohoTextButton* button : CommandButtons())
        button->setFocusPolicy(Qt::TabFocus);
    const QList<QWidget*> order{sohoTextButton1, sohoTextButton2,
                                sohoTextButton3, sohoTextButton4,
                                sohoTextButton5, sohoTextButton6,
                                ColorGrid1,      ComboBox1,
                                sohoTextButton7, sohoTextButton8,
                                sohoTextButton9, ProUrlLabel1,
                                ProUrlLabel2,    sg1,
                                Panel1,          tlb1,
                                Button1};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    ComboBox1->setFocus();
}

void TMainForm::FormCreate() {
    // The grid index goes in as it is: for the start-up white it equals the attribute.
    document_.FillColours(ColorGrid1->ForegroundIndex());
    ga1->SetAnimate(true);
}

void TMainForm::Image1MouseDown(TControl&, Qt::MouseButton button, Qt::KeyboardModifiers, int x,
                                int y) {
    document_.BeginStroke(x, y, button == Qt::LeftButton ? clWhite : clBlack);
}

void TMainForm::Image1MouseMove(TControl&, Qt::KeyboardModifiers, int x, int y) {
    ShowReadouts(x, y, LogoGeometry::CellWidth, LogoGeometry::CellHeight);
    document_.ContinueStroke(x, y);
}

void TMainForm::Image1MouseUp(TControl&, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    if (document_.EndStroke())
        RecordStep(stDrawing);
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
    if (document_.ColourCell(x / LogoGeometry::PreviewCellWidth,
                             y / LogoGeometry::PreviewCellHeight, ForegroundAttribute(),
                             ColorGrid1->ForegroundColor()))
        RecordStep(stPreview);
}

void TMainForm::sohoTextButton4Click(TControl&) {
    WithProgressBar([this](const ProgressStep& step) { document_.Convert(step); });
    RecordStep(stPreview);
}

std::int32_t TMainForm::ForegroundAttribute() const {
    return TColorTable::AttributeForGridIndex(ColorGrid1->ForegroundIndex());
}

// The name typed for a new file of the working folder, with `extension` added unless it ends so
// already; nothing when the user cancels or keeps the default.
std::optional<QString> TMainForm::AskFileName(const QString& extension) const {
    const QString untitled = QStringLiteral("Adsız");
    const QString typed = TModalPrompts::InputBox(
        QStringLiteral("Dosya Adı - Filename - Dateiname"),
        QStringLiteral("Dosya Adı   ( Maximum \" 8.0 \" Character! )"), untitled);
    if (typed.isEmpty() || typed == untitled)
        return std::nullopt;
    const QString name = typed.endsWith(extension, Qt::CaseInsensitive) ? typed : typed + extension;
    // The information dialog promises the current folder.
    LocalFiles::RequirePlainName(name);
    return name;
}

void TMainForm::sohoTextButton6Click(TControl&) {
    const std::optional<QString> logoName = AskFileName(QStringLiteral(".epa"));
    if (!logoName)
        return;
    WithProgressBar([&](const ProgressStep& step) { document_.SaveLogo(*logoName, step); });
    ShadowLabel8->SetCaption(*logoName);
    pid1.Execute();
}

void TMainForm::sohoTextButton1Click(TControl&) {
    // No, Cancel and closing the dialog keep the user's work, colours included.
    if (!pcd1.Execute())
        return;
    // Both templates are read before either picture changes, so a bad one changes nothing.
    TPicture drawing;
    drawing.LoadFromFile(TemplateFile(document_, WorkingFiles::DrawingTemplate));
    TPicture preview;
    preview.LoadFromFile(TemplateFile(document_, WorkingFiles::PreviewTemplate));
    ComboBox1Change(*ComboBox1);
    // Attributes, as a click stores them: the raw grid index would save another colour.
    document_.New(drawing, preview, ForegroundAttribute(), ShadowLabel7->Caption(),
                  ShadowLabel8->Caption());
    RecordStep(stDrawing | stPreview | stNames);
}

void TMainForm::sohoTextButton2Click(TControl&) {
    const std::optional<QString> file = AskPicture();
    if (file)
        LoadPictureFile(*file);
}

std::optional<QString> TMainForm::AskPicture() const {
    return TModalPrompts::OpenPicture(PictureFilters(), document_.Folder());
}

void TMainForm::WithProgressBar(const std::function<void(const ProgressStep&)>& work) {
    WithProgress(*sg1, [&] { work([this] { sg1->StepIt(); }); });
}

void TMainForm::LoadPictureFile(const QString& fileName) {
    document_.LoadPicture(fileName);
    ShadowLabel7->SetCaption(document_.Content().pictureName);
    RecordStep(stDrawing | stNames);
}

void TMainForm::sohoTextButton3Click(TControl&) {
    const std::optional<QString> name = AskFileName(QStringLiteral(".bmp"));
    if (!name)
        return;
    document_.SaveDrawing(*name);
    ShadowLabel7->SetCaption(*name);
    pid1.Execute();
}

void TMainForm::sohoTextButton5Click(TControl&) {
    const std::optional<QString> file = TModalPrompts::OpenPicture(
        {{QStringLiteral("EPA Logo (*.epa)"), QStringLiteral("*.epa")}, BiosImageFilter()},
        document_.Folder());
    if (file)
        LoadLogoFile(*file);
}

void TMainForm::LoadLogoFile(const QString& fileName) {
    WithProgressBar([&](const ProgressStep& step) {
        document_.LoadLogo(fileName, ForegroundAttribute(), step);
    });
    ShadowLabel7->SetCaption(document_.Content().pictureName);
    ShadowLabel8->SetCaption(document_.Content().logoName);
    RecordStep(stDrawing | stPreview | stNames);
}

void TMainForm::Open(const QString& fileName) {
    if (QFileInfo(fileName).suffix().toLower() == QStringLiteral("epa"))
        LoadLogoFile(fileName);
    else
        LoadPictureFile(fileName);
}

void TMainForm::sohoTextButton7Click(TControl&) {
    ShowAboutPanel(true);
}

void TMainForm::ga2Click(TControl&) {
    ShowAboutPanel(false);
}

// Only one animation runs at a time. What lies under the panel is out of reach anyway; the
// commands beside it that would open another window or overlay, or change the captions behind
// it, wait until it closes.
void TMainForm::ShowAboutPanel(bool open) {
    (open ? ga1 : ga2)->SetAnimate(false);
    Panel1->setVisible(open);
    (open ? ga2 : ga1)->SetAnimate(true);
    for (TsohoTextButton* button :
         {sohoTextButton2, sohoTextButton7, sohoTextButton8, sohoTextButton9})
        button->SetEnabled(!open);
    ComboBox1->setEnabled(!open);
}

void TMainForm::sohoTextButton8Click(TControl&) {
    ShowHelpView(true);
}

void TMainForm::Button1Click(QWidget&) {
    ShowHelpView(false);
}

// The list covers every control but its close button, so nothing needs disabling. The keys go
// to what the user sees: to the help while it is open, not to a language list hidden under it,
// and back to where they went before once it closes.
void TMainForm::ShowHelpView(bool open) {
    // Read when first asked for: measuring every line is no work for the window's start.
    if (open && tlb1->Count() == 0)
        tlb1->AddLines(HelpLines());
    if (open)
        focusBeforeHelp_ = focusWidget();
    tlb1->setVisible(open);
    Button1->setVisible(open);
    ga1->SetAnimate(!open);
    if (open)
        tlb1->setFocus();
    else if (focusBeforeHelp_)
        focusBeforeHelp_->setFocus();
}

void TMainForm::sohoTextButton9Click(TControl&) {
    // Whatever is missing or cannot go is left: Exit ends the program regardless.
    document_.RemoveWorkingFiles();
    close();
    QCoreApplication::quit();
}

void TMainForm::ComboBox1Change(QWidget&) {
    if (const Captions::Language* language = Captions::Named(ComboBox1->currentText().left(2))) {
        ApplyCaptions(language->texts);
        NameControls(*language);
    }
}

void TMainForm::ApplyCaptions(const Captions::Column& texts) {
    const std::pair<TControl*, Captions::Text> controls[] = {
        {sohoTextButton1, &Captions::Column::newButton},
        {sohoTextButton2, &Captions::Column::loadPicture},
        {sohoTextButton3, &Captions::Column::savePicture},
        {sohoTextButton4, &Captions::Column::convert},
        {sohoTextButton5, &Captions::Column::loadLogo},
        {sohoTextButton6, &Captions::Column::saveLogo},
        {sohoTextButton7, &Captions::Column::about},
        {sohoTextButton8, &Captions::Column::help},
        {sohoTextButton9, &Captions::Column::exit},
        {ShadowLabel1, &Captions::Column::pixelHeading},
        {ShadowLabel4, &Captions::Column::characterHeading},
        {ShadowLabel7, &Captions::Column::pictureName},
        {ShadowLabel8, &Captions::Column::logoName}};
    for (const auto& [control, text] : controls)
        control->SetCaption(texts.*text);
}
