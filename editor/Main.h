#ifndef VARNEL_EDITOR_MAIN_H
#define VARNEL_EDITOR_MAIN_H

#include "controls/ConfirmDialog.h"
#include "controls/InfoDialog.h"
#include "editor/Captions.h"
#include "editor/EditHistory.h"
#include "editor/LogoDocument.h"
#include "logo/ColorTable.h"
#include "runtime/Color.h"
#include "runtime/ModalPrompts.h"

#include <QPointer>
#include <QWidget>
#include <optional>

class QComboBox;
class TBiosView;
class QPushButton;
class TBitmap;
class TColorGrid;
class TControl;
class TGIFAnimator;
class TImage;
class TLabel;
class TProBorder;
class TProUrlLabel;
class TPanel;
class TProgressBar;
class TFocusMark;
class TShadowLabel;
class TsohoPanel;
class TsohoTextButton;
class TTextListBox;

// The editor window: it shows the logo document and turns the user's clicks into its operations.
// The controls keep the names of the window's layout so that handlers and tests read alike.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Opens `fileName` as the command for its kind does: an EPA logo as Load EPA, any other
    // picture as Load BMP; a bad file fails as that command would.
    void Open(const QString& fileName);

    const TLogoDocument& Document() const { return document_; }
    const TColorTable& ColorTable() const { return document_.Colors(); }
    bool Drawing() const { return document_.Stroking(); }
    const TEditHistory& History() const { return history_; }

    // The controls, in creation order.
    TsohoPanel* sohoPanel2 = nullptr;
    TProBorder* ProBorder2 = nullptr;
    TProBorder* ProBorder1 = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TsohoTextButton* sohoTextButton1 = nullptr;
    TsohoTextButton* sohoTextButton2 = nullptr;
    TsohoTextButton* sohoTextButton3 = nullptr;
    TsohoTextButton* sohoTextButton4 = nullptr;
    TsohoTextButton* sohoTextButton5 = nullptr;
    TsohoTextButton* sohoTextButton6 = nullptr;
    TShadowLabel* ShadowLabel1 = nullptr;
    TShadowLabel* ShadowLabel2 = nullptr;
    TShadowLabel* ShadowLabel3 = nullptr;
    TShadowLabel* ShadowLabel4 = nullptr;
    TShadowLabel* ShadowLabel5 = nullptr;
    TShadowLabel* ShadowLabel6 = nullptr;
    TShadowLabel* ShadowLabel7 = nullptr;
    TShadowLabel* ShadowLabel8 = nullptr;
    TsohoTextButton* sohoTextButton7 = nullptr;
    TsohoTextButton* sohoTextButton8 = nullptr;
    TsohoTextButton* sohoTextButton9 = nullptr;
    TProUrlLabel* ProUrlLabel1 = nullptr;
    TProUrlLabel* ProUrlLabel2 = nullptr;
    TGIFAnimator* ga1 = nullptr;
    TColorGrid* ColorGrid1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    TProgressBar* sg1 = nullptr;
    TPanel* Panel1 = nullptr;
    TGIFAnimator* ga2 = nullptr;
    TLabel* Label1 = nullptr;
    TTextListBox* tlb1 = nullptr;
    QPushButton* Button1 = nullptr;
    // The window's dialog components: settings only, each Execute builds its own window.
    TProConfirmDialog pcd1{this};
    TProInfoDialog pid1{this};
    // The logo as the BIOS shows it, in a window of its own (Ctrl+B).
    TBiosView* BiosView1 = nullptr;
    // The dotted frame on the command button that has the keyboard focus.
    TFocusMark* FocusMark1 = nullptr;

    // Handlers, named after their control and event.
    void FormCreate();
    void Image1MouseDown(TControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                         int x, int y);
    void Image1MouseMove(TControl& sender, Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseUp(TControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                       int y);
    void Image2MouseDown(TControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                         int x, int y);
    void Image2MouseMove(TControl& sender, Qt::KeyboardModifiers shift, int x, int y);
    void ProBorder1MouseLeave(TControl& sender);
    void sohoTextButton1Click(TControl& sender);
    void sohoTextButton2Click(TControl& sender);
    void sohoTextButton3Click(TControl& sender);
    void sohoTextButton4Click(TControl& sender);
    void sohoTextButton5Click(TControl& sender);
    void LoadPictureFile(const QString& fileName);
    void LoadLogoFile(const QString& fileName);
    void sohoTextButton6Click(TControl& sender);
    void sohoTextButton7Click(TControl& sender);
    void ga2Click(TControl& sender);
    void sohoTextButton8Click(TControl& sender);
    void Button1Click(QWidget& sender);
    void sohoTextButton9Click(TControl& sender);
    void ComboBox1Change(QWidget& sender);
    // Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z: strokes, colourings, conversions, New and loads.
    void Undo();
    void Redo();
    void ShowBiosView();
    // Ctrl+I: a picture of any kind made into the logo as the import dialog's choices say.
    void Import();
    // Ctrl+Shift+R: the logo into a copy of a BIOS image, cut to the image's stock logo size.
    void WriteIntoBiosImage();
    // The open and save dialogs' entry for BIOS images: Load EPA and Ctrl+Shift+R offer it.
    static TFileFilter BiosImageFilter();
    // Runs `button`'s click handler, as a click would, when a click could reach the button.
    void PressFromKeyboard(TControl& button);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void CreateFrameAndPictures();
    void CreateCommandButtons();
    void CreateReadouts();
    void CreateSideControls();
    void CreateProgressBar();
    void CreateAboutPanel();
    void CreateHelpView();
    void CreateDialogs();
    void ConnectEvents();
    void ConnectCommands();
    void ConnectOverlays();
    void ArrangeTabOrder();
    TsohoTextButton* MakeButton(int left, int top, int width, const QString& caption, TColor color);
    TShadowLabel* MakeLabel(int left, int top, const QString& caption, TColor color,
                            unsigned styles);
    void ShowReadouts(int x, int y, int cellWidth, int cellHeight);
    void ApplyCaptions(const Captions::Column& texts);
    std::optional<QString> AskFileName(const QString& extension) const;
    // The picture of any kind chosen in the open dialog; nothing when cancelled.
    std::optional<QString> AskPicture() const;
    // Runs `work` with the progress bar showing, stepped by the conversion it runs.
    void WithProgressBar(const std::function<void(const ProgressStep&)>& work);
    std::int32_t ForegroundAttribute() const;
    void StartHistory();
    // Records the window's state after a step that changed `parts` (TStepParts).
    void RecordStep(unsigned parts);
    void Restore(const TEditState& state);
    void GoThroughHistory(bool back);
    void RefreshBiosView();
    void ShowAboutPanel(bool open);
    void ShowHelpView(bool open);
    QList<TsohoTextButton*> CommandButtons() const;
    void StartKeyboard();
    bool Reachable(const QWidget& control) const;
    void StartAccessibility();
    // What a screen reader hears of the controls that show no caption, in `language`.
    void NameControls(const Captions::Language& language);
    void ReportColour();

    // Its pictures show in Image1 and Image2, which give them back before it goes.
    TLogoDocument document_;
    TEditHistory history_;
    QPointer<QWidget> focusBeforeHelp_;
    // Text typed into the language list since the last step: Ctrl+Z is then the text's own.
    bool textTyped_ = false;
    // The language the controls' accessible names are in.
    const Captions::Language* language_ = &Captions::Languages()[0];
};

#endif
