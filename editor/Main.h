#ifndef VARNEL_EDITOR_MAIN_H
#define VARNEL_EDITOR_MAIN_H

#include "controls/ConfirmDialog.h"
#include "controls/InfoDialog.h"
#include "formats/ColorTable.h"
#include "runtime/Color.h"

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class TColorGrid;
class TControl;
class TGIFAnimator;
class TImage;
class TProBorder;
class TProUrlLabel;
class TProgressBar;
class TShadowLabel;
class TsohoPanel;
class TsohoTextButton;

// The editor window: it owns the drawing, the preview, the colour table and the drawing flag,
// and its event handlers are the whole of the editing logic. The controls keep the names of the
// window description so that handlers and tests read alike.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    const TColorTable& ColorTable() const { return colorTable_; }
    bool Drawing() const { return drawing_; }

    // The controls, in creation order.
    TsohoPanel* sohoPanel2;
    TProBorder* ProBorder2;
    TProBorder* ProBorder1;
    TImage* Image1;
    TImage* Image2;
    TsohoTextButton* sohoTextButton1;
    TsohoTextButton* sohoTextButton2;
    TsohoTextButton* sohoTextButton3;
    TsohoTextButton* sohoTextButton4;
    TsohoTextButton* sohoTextButton5;
    TsohoTextButton* sohoTextButton6;
    TShadowLabel* ShadowLabel1;
    TShadowLabel* ShadowLabel2;
    TShadowLabel* ShadowLabel3;
    TShadowLabel* ShadowLabel4;
    TShadowLabel* ShadowLabel5;
    TShadowLabel* ShadowLabel6;
    TShadowLabel* ShadowLabel7;
    TShadowLabel* ShadowLabel8;
    TsohoTextButton* sohoTextButton7;
    TsohoTextButton* sohoTextButton8;
    TsohoTextButton* sohoTextButton9;
    TProUrlLabel* ProUrlLabel1;
    TProUrlLabel* ProUrlLabel2;
    TGIFAnimator* ga1;
    TColorGrid* ColorGrid1;
    QComboBox* ComboBox1;
    TProgressBar* sg1;
    QFrame* Panel1;
    TGIFAnimator* ga2;
    QLabel* Label1;
    QPushButton* Button1;
    // The window's dialog components: settings only, each Execute builds its own window.
    TProConfirmDialog pcd1{this};
    TProInfoDialog pid1{this};

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
    void sohoTextButton4Click(TControl& sender);
    void sohoTextButton6Click(TControl& sender);

private:
    void CreateFrameAndPictures();
    void CreateCommandButtons();
    void CreateReadouts();
    void CreateSideControls();
    void CreateDialogs();
    void ConnectEvents();
    TsohoTextButton* MakeButton(int left, int top, int width, const QString& caption, TColor color);
    TShadowLabel* MakeLabel(int left, int top, const QString& caption, TColor color,
                            unsigned styles);
    void ShowReadouts(int x, int y, int cellWidth, int cellHeight);

    TColorTable colorTable_;
    bool drawing_ = false;
};

#endif
