#include "editor/ImportDialog.h"

#include "logo/ColorTable.h"
#include "logo/EpaLogo.h"
#include "logo/Import.h"
#include "logo/LogoGeometry.h"
#include "runtime/Bitmap.h"
#include "runtime/ModalPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The logo is shown doubled: a text-mode pixel at its true size is hard to judge.
constexpr int PreviewScale = 2;

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* Choice(const char* name, const QStringList& items, int chosen) {
    auto* box = Named(new QComboBox, name);
    box->addItems(items);
    box->setCurrentIndex(chosen);
    return box;
}

} // namespace

TImportDialog::TImportDialog(QWidget* owner, TGraphic& picture, const QString& name, int attribute)
    : QDialog(owner), picture_(picture), name_(name), attribute_(attribute) {
    setObjectName(QStringLiteral("ImportDialog"));
    setWindowTitle(QStringLiteral("Import - %1").arg(name));
    preview_ = Named(new QLabel, "preview");
    preview_->setFixedSize(LogoGeometry::Width * PreviewScale, LogoGeometry::Height * PreviewScale);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addLayout(MakeChoices());
    row->addWidget(preview_, 0, Qt::AlignTop);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(row);
    whole->addWidget(buttons);
    Refresh();
}

// Every choice starts where a colour picture comes out best: fitted, coloured from the picture.
// The lists follow their enumerations' order.
QLayout* TImportDialog::MakeChoices() {
    level_ = Named(new QSpinBox, "level");
    level_->setRange(0, 255);
    level_->setValue(128);
    otsu_ = Named(new QCheckBox(QStringLiteral("auto (Otsu)")), "otsu");
    otsu_->setChecked(true);
    dither_ = Choice(
        "dither",
        {QStringLiteral("none"), QStringLiteral("Floyd–Steinberg"), QStringLiteral("Bayer 8 × 8")},
        0);
    invert_ = Named(new QCheckBox(QStringLiteral("light the dark pixels")), "invert");
    placing_ = Choice("fit",
                      {QStringLiteral("fit, proportions kept, centred on black"),
                       QStringLiteral("top-left part at its own size")},
                      0);
    colours_ =
        Choice("colours",
               {QStringLiteral("off: every cell the colour in use"),
                QStringLiteral("foreground on black"), QStringLiteral("foreground and background")},
               2);
    auto* threshold = new QHBoxLayout;
    threshold->addWidget(level_);
    threshold->addWidget(otsu_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Threshold:"), threshold);
    form->addRow(QStringLiteral("Dithering:"), dither_);
    form->addRow(QStringLiteral("Invert:"), invert_);
    form->addRow(QStringLiteral("Placing:"), placing_);
    form->addRow(QStringLiteral("Colours:"), colours_);
    connect(level_, &QSpinBox::valueChanged, this, &TImportDialog::Refresh);
    for (QCheckBox* box : {otsu_, invert_})
        connect(box, &QCheckBox::toggled, this, &TImportDialog::Refresh);
    for (QComboBox* box : {dither_, placing_, colours_})
        connect(box, &QComboBox::currentIndexChanged, this, &TImportDialog::Refresh);
    return form;
}

bool TImportDialog::Execute() {
    return TModalPrompts::ExecuteDialog(TPromptKind::pkChoices, *this, windowTitle(), {name_}) ==
           mrOk;
}

TImportOptions TImportDialog::Options() const {
    TImportOptions options;
    options.threshold = otsu_->isChecked() ? TThreshold::Otsu : TThreshold::Level;
    options.level = level_->value();
    options.dither = static_cast<TDither>(dither_->currentIndex());
    options.invert = invert_->isChecked();
    options.fit = placing_->currentIndex() == 0;
    options.autoColour = static_cast<TAutoColour>(colours_->currentIndex());
    options.attribute = attribute_;
    return options;
}

// The one-bit choices mean nothing while the colours come from the picture: they are greyed.
void TImportDialog::Refresh() {
    const bool oneBit = colours_->currentIndex() == 0;
    for (QWidget* choice : std::initializer_list<QWidget*>{otsu_, dither_, invert_})
        choice->setEnabled(oneBit);
    level_->setEnabled(oneBit && !otsu_->isChecked());
    TColorTable colors;
    const TBitmap drawing = ImportPicture(picture_, Options(), colors);
    shown_ =
        TEpaLogo::OfDrawing(colors, drawing).Render().Image().convertToFormat(QImage::Format_RGB32);
    preview_->setPixmap(QPixmap::fromImage(shown_.scaled(shown_.size() * PreviewScale)));
}
