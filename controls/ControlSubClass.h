#pragma once
// TControlSubClass: the companion of one control that TXPMenu paints flat. Installed as an event filter
// on its control, it sees the control's events first, keeps the hot, focused, mouse-down and Space
// state, lets the control paint and then paints the flat look over it (ControlSubClassPaint.cpp).
//
// Released by its TXPMenu (deactivated, or choosing again), it unhooks itself at its control's next
// event, giving an edit back its frame, unless it was taken again before; it goes with the control or
// with the TXPMenu that owns it.

#include "controls/XPMenu.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <optional>

// The flat look a control gets, chosen by its class.
enum class TXPLook : uint8_t {
    None,
    Combo,
    Edit,
    RichEdit,
    CheckBox,
    RadioButton,
    Button,
    BitBtn,
    SpeedButton,
    Panel,
    GroupBox
};
struct TXPControlKind {
    TXPControl Member; // the XPControls member that takes it
    TXPLook Look;
};
// What stands for the design's control classes: QComboBox, QLineEdit (edit), QPlainTextEdit (memo),
// QTextEdit (rich edit), QCheckBox, QRadioButton, QPushButton itself (button; with an icon, bit button),
// QToolButton outside tool bars (speed button), a plain QFrame (panel) and QGroupBox. Anything else is
// no kind (nullopt).
std::optional<TXPControlKind> XPControlKind(const QWidget *Control);

class TControlSubClass : public QObject {
    Q_OBJECT

public:
    TControlSubClass(TXPMenu *Owner, QWidget *Control);
    ~TControlSubClass() override;

    QWidget *Control() const { return FControl; }
    bool Hot() const { return FHot; }
    bool MouseDown() const { return FMouseDown; }
    bool SpaceDown() const { return FSpaceDown; }

    void Release();
    void Rearm();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void Unhook();
    // Repaints now (a windowed control) or schedules it (a graphic control).
    void Paint();
    void Repaint();
    void PaintLook(); // ControlSubClassPaint.cpp
    bool IsTextArea() const;
    void SaveFrame();
    void RestoreFrame();
    void SwitchFrameOff();

    QPointer<QWidget> FControl;
    bool FHot = false;
    bool FMouseDown = false;
    bool FSpaceDown = false;
    bool FSpaceGuard = false;
    bool FFocused = false;
    bool FInPaint = false;
    bool FReleased = false;
    TXPMenu *FXPMenu;
    TXPLook FLook;
    // The frame the control had when it was hooked: an edit's frame switch, a text area's frame style.
    bool FPrevFrame = false;
    int FPrevFrameStyle = 0;
    int FPrevLineWidth = 0;
};
