#include "controls/ControlSubClass.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <cstring>

std::optional<TXPControlKind> XPControlKind(const QWidget *Control)
{
    const char *className = Control->metaObject()->className();
    if (qobject_cast<const QComboBox *>(Control))
        return TXPControlKind{xcCombo, TXPLook::Combo};
    if (qobject_cast<const QLineEdit *>(Control))
        return TXPControlKind{xcEdit, TXPLook::Edit};
    if (qobject_cast<const QPlainTextEdit *>(Control))
        return TXPControlKind{xcMemo, TXPLook::Edit};
    if (qobject_cast<const QTextEdit *>(Control))
        return TXPControlKind{xcRichEdit, TXPLook::RichEdit};
    if (qobject_cast<const QCheckBox *>(Control))
        return TXPControlKind{xcCheckBox, TXPLook::CheckBox};
    if (qobject_cast<const QRadioButton *>(Control))
        return TXPControlKind{xcRadioButton, TXPLook::RadioButton};
    if (const auto *button = qobject_cast<const QPushButton *>(Control);
        button && !std::strcmp(className, "QPushButton"))
        return button->icon().isNull() ? TXPControlKind{xcButton, TXPLook::Button}
                                       : TXPControlKind{xcBitBtn, TXPLook::BitBtn};
    if (qobject_cast<const QToolButton *>(Control) &&
        !qobject_cast<const QToolBar *>(Control->parentWidget()))
        return TXPControlKind{xcSpeedButton, TXPLook::SpeedButton};
    if (!std::strcmp(className, "QFrame"))
        return TXPControlKind{xcPanel, TXPLook::Panel};
    if (qobject_cast<const QGroupBox *>(Control))
        return TXPControlKind{xcGroupBox, TXPLook::GroupBox};
    return std::nullopt;
}

TControlSubClass::TControlSubClass(TXPMenu *Owner, QWidget *Control)
    : QObject(Owner), FControl(Control), FXPMenu(Owner), FLook(XPControlKind(Control)->Look)
{
    SaveFrame();
    SwitchFrameOff();
    Control->installEventFilter(this);
    connect(Control, &QObject::destroyed, this, &QObject::deleteLater);
}

TControlSubClass::~TControlSubClass()
{
    if (FControl) {
        FControl->removeEventFilter(this);
        RestoreFrame();
    }
}

bool TControlSubClass::IsTextArea() const
{
    return FLook == TXPLook::Edit || FLook == TXPLook::RichEdit;
}

void TControlSubClass::Release()
{
    FReleased = true;
}

void TControlSubClass::Rearm()
{
    FReleased = false;
}

void TControlSubClass::SaveFrame()
{
    if (auto *edit = qobject_cast<QLineEdit *>(FControl)) {
        FPrevFrame = edit->hasFrame();
    } else if (auto *frame = qobject_cast<QFrame *>(FControl); frame && IsTextArea()) {
        FPrevFrameStyle = frame->frameStyle();
        FPrevLineWidth = frame->lineWidth();
        FPrevFrame = frame->frameShape() != QFrame::NoFrame;
    }
}

void TControlSubClass::SwitchFrameOff()
{
    if (auto *edit = qobject_cast<QLineEdit *>(FControl)) {
        edit->setFrame(false);
    } else if (auto *frame = qobject_cast<QFrame *>(FControl); frame && IsTextArea()) {
        // A flat frame that the look paints over: one pixel for a memo, two for a rich edit.
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(FLook == TXPLook::RichEdit ? std::max(2, FPrevLineWidth) : 1);
    }
}

void TControlSubClass::RestoreFrame()
{
    if (auto *edit = qobject_cast<QLineEdit *>(FControl)) {
        edit->setFrame(FPrevFrame);
    } else if (auto *frame = qobject_cast<QFrame *>(FControl); frame && IsTextArea()) {
        frame->setFrameStyle(FPrevFrameStyle);
        frame->setLineWidth(FPrevLineWidth);
    }
}

void TControlSubClass::Unhook()
{
    if (FControl) {
        FControl->removeEventFilter(this);
        RestoreFrame();
        FControl->update();
        FControl = nullptr;
    }
    deleteLater();
}

void TControlSubClass::Paint()
{
    if (FLook == TXPLook::SpeedButton)
        FControl->update();
    else
        FControl->repaint();
}

void TControlSubClass::Repaint()
{
    FControl->update();
}

bool TControlSubClass::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched != FControl || FInPaint)
        return false;
    if (FReleased) {
        Unhook();
        return false;
    }
    const QEvent::Type type = Event->type();
    const bool enabled = FControl->isEnabled();
    switch (type) {
    case QEvent::Paint: {
        // The control paints first; the look goes over it.
        FInPaint = true;
        static_cast<QObject *>(FControl.data())->event(Event);
        FInPaint = false;
        FFocused = FControl->hasFocus();
        PaintLook();
        return true;
    }
    case QEvent::FocusIn:
        FHot = true;
        Paint();
        break;
    case QEvent::FocusOut:
        FHot = false;
        Paint();
        break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(Event)->button() == Qt::LeftButton) {
            FMouseDown = true;
            Paint();
        }
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(Event)->button() == Qt::LeftButton) {
            FMouseDown = false;
            Paint();
        }
        break;
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(Event);
        const bool pressable = FLook == TXPLook::Button || FLook == TXPLook::BitBtn ||
                               FLook == TXPLook::SpeedButton || FLook == TXPLook::CheckBox;
        if (pressable && mouse->button() == Qt::LeftButton) {
            // A double click is a second press.
            QMouseEvent press(QEvent::MouseButtonPress, mouse->position(), mouse->scenePosition(),
                              mouse->globalPosition(), mouse->button(), mouse->buttons(), mouse->modifiers());
            QCoreApplication::sendEvent(FControl, &press);
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(Event)->key() == Qt::Key_Space) {
            FSpaceDown = true;
            if (!FSpaceGuard)
                Paint();
            FSpaceGuard = true;
        }
        break;
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(Event);
        if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) {
            FSpaceDown = false;
            FSpaceGuard = false;
            Paint();
        }
        break;
    }
    case QEvent::Enter:
        if (enabled) {
            FHot = true;
            Paint();
        }
        break;
    case QEvent::Leave:
        if (enabled) {
            FHot = false;
            Paint();
        }
        break;
    case QEvent::EnabledChange:
        if (!enabled)
            FHot = false;
        Repaint();
        break;
    case QEvent::PaletteChange:
    case QEvent::FontChange:
        Repaint();
        break;
    default:
        break;
    }
    return false;
}
