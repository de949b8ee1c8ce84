#ifndef VARNEL_EDITOR_IMPORTDIALOG_H
#define VARNEL_EDITOR_IMPORTDIALOG_H

#include "logo/ImportOptions.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class TGraphic;

// The choices for making a picture into the logo: the threshold or the dithering, inversion,
// fitting, automatic colours; beside them the logo those choices make, as the BIOS will show it,
// redrawn whenever a choice changes.
class TImportDialog : public QDialog {
public:
    // `picture` is what the choices are tried on; `attribute` colours every cell while the
    // colours are not chosen from the picture.
    TImportDialog(QWidget* owner, TGraphic& picture, const QString& name, int attribute);

    // Asked through the program's prompts; true when the user took the choices.
    bool Execute();
    TImportOptions Options() const;
    // The logo the choices make now, at its true size.
    const QImage& Shown() const { return shown_; }

private:
    QLayout* MakeChoices();
    void Refresh();

    TGraphic& picture_;
    const QString name_;
    const int attribute_;
    QSpinBox* level_ = nullptr;
    QCheckBox* otsu_ = nullptr;
    QComboBox* dither_ = nullptr;
    QCheckBox* invert_ = nullptr;
    QComboBox* placing_ = nullptr;
    QComboBox* colours_ = nullptr;
    QLabel* preview_ = nullptr;
    QImage shown_;
};

#endif
