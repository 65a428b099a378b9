#include "controls/FloatSpin.h"

#include "controls/FloatText.h"
#include "controls/MessageBeep.h"
#include "controls/SpinButton.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int ButtonWidth = 15;
constexpr int ButtonHeight = 17;
constexpr int SignificantDigits = 10;

constexpr char16_t CtrlC = 3;
constexpr char16_t BackspaceChar = 8;
constexpr char16_t EnterChar = 13;
constexpr char16_t CtrlV = 22;
constexpr char16_t CtrlX = 24;
constexpr char16_t CtrlBackspace = 127;

// Value with Precision decimals, unclamped.
QString NumberText(double Value, uint8_t Precision)
{
    return formatFloatFixed(Value, SignificantDigits, Precision, localeDecimalSeparator());
}

} // namespace

TFloatSpin::TFloatSpin(QWidget *parent)
    : QLineEdit(parent)
    , FButton(new TSpinButton(this))
{
    FButton->resize(ButtonWidth, ButtonHeight);
    FButton->FocusControl = this;
    FButton->OnUpClick = [this](QObject *) { UpClick(); };
    FButton->OnDownClick = [this](QObject *) { DownClick(); };
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setTextMargins(0, 0, ButtonWidth + 2, 0);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange(this);
    });
    setText(QStringLiteral("0"));
    setMinimumHeight(MinHeight());
}

double TFloatSpin::Value() const
{
    if (text().isEmpty())
        return FMinValue - 1.0;
    return parseFloatText(text(), localeDecimalSeparator()).value_or(FMinValue);
}

void TFloatSpin::SetValue(double value)
{
    setText(NumberText(CheckValue(value), FPrecision));
}

double TFloatSpin::CheckValue(double value) const
{
    if (!(value >= FMinValue)) // below, or not a number at all
        return FMinValue;
    if (value > FMaxValue)
        return FMaxValue;
    return value;
}

// A limit moved past the value takes the value with it, even beyond the other limit: a range raised
// or lowered one limit after the other ends with its value inside.
void TFloatSpin::SetMinValue(double value)
{
    FMinValue = value;
    if (Value() < FMinValue)
        setText(NumberText(FMinValue, FPrecision));
}

void TFloatSpin::SetMaxValue(double value)
{
    FMaxValue = value;
    if (Value() > FMaxValue)
        setText(NumberText(FMaxValue, FPrecision));
}

void TFloatSpin::SetPrecision(uint8_t value)
{
    FPrecision = value;
    SetValue(Value());
}

void TFloatSpin::SetAlignment(TAlignment value)
{
    FAlignment = value;
    setAlignment(toQtAlignment(value) | Qt::AlignVCenter);
}

int64_t TFloatSpin::GetAsInteger() const
{
    if (const auto number = parseInt64Text(text()))
        return *number;
    const double whole = std::trunc(FMinValue);
    constexpr double limit = 9223372036854775807.0;
    if (whole >= limit)
        return std::numeric_limits<int64_t>::max();
    if (whole <= -limit)
        return std::numeric_limits<int64_t>::min();
    return int64_t(whole);
}

int64_t TFloatSpin::IntegerInRange() const
{
    return std::max(int64_t(FMinValue), std::min(GetAsInteger(), int64_t(FMaxValue)));
}

bool TFloatSpin::IsValidChar(char16_t key) const
{
    const QString current = text();
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selLength = int(selectedText().size());
    const QChar separator = localeDecimalSeparator();

    const auto typed = [&](char16_t c) {
        return current.left(selStart) + QChar(c) + current.mid(selStart + selLength);
    };
    QString result;
    if (key >= u'0' && key <= u'9')
        result = typed(key);
    else if (key == u'-' && FMinValue < 0)
        result = typed(key);
    else if (key == separator.unicode() && FPrecision > 0)
        result = typed(key);
    else if (key == BackspaceChar && selLength > 0)
        result = current.left(selStart) + current.mid(selStart + selLength);
    else if (key == BackspaceChar)
        result = selStart > 0 ? current.left(selStart - 1) + current.mid(selStart) : current;
    else
        return false;
    return Acceptable(result);
}

bool TFloatSpin::Acceptable(const QString &Text) const
{
    const QChar separator = localeDecimalSeparator();
    if (!(Text.isEmpty() || Text == u"-" || Text == u"+")) {
        const auto number = parseFloatText(Text, separator);
        if (!number || *number > FMaxValue)
            return false;
    }
    const qsizetype point = Text.indexOf(separator);
    return point < 0 || Text.size() - (point + 1) <= FPrecision;
}

void TFloatSpin::UpClick()
{
    if (isReadOnly())
        MessageBeep(0);
    else
        SetValue(Value() + Increment);
}

void TFloatSpin::DownClick()
{
    if (isReadOnly())
        MessageBeep(0);
    else
        SetValue(Value() - Increment);
}

bool TFloatSpin::typeChar(char16_t key)
{
    if (key == CtrlC || key == EnterChar || key == CtrlV || key == CtrlX)
        return true;
    if (!IsValidChar(key))
        return false;
    if (key == BackspaceChar)
        backspace();
    else
        insert(QString(QChar(key)));
    return true;
}

void TFloatSpin::Refused()
{
    MessageBeep(0);
    QToolTip::showText(mapToGlobal(QPoint(0, height())),
                       QStringLiteral("Dozwolone wartości: od %1 do %2")
                           .arg(NumberText(FMinValue, FPrecision), NumberText(FMaxValue, FPrecision)),
                       this);
}

void TFloatSpin::Paste()
{
    if (!EditorEnabled || isReadOnly())
        return;
    const QString pasted = QGuiApplication::clipboard()->text();
    bool refused = false;
    for (const QChar c : pasted)
        refused = !typeChar(c.unicode()) || refused;
    if (refused)
        Refused();
}

void TFloatSpin::Cut()
{
    if (EditorEnabled && !isReadOnly())
        cut();
}

char16_t TFloatSpin::typedChar(const QKeyEvent &event)
{
    const int key = event.key();
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    if (ctrl && key >= Qt::Key_A && key <= Qt::Key_Z)
        return char16_t(key - Qt::Key_A + 1);
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return EnterChar;
    if (key == Qt::Key_Backspace)
        return ctrl ? CtrlBackspace : BackspaceChar;
    const QString text = event.text();
    if (!text.isEmpty() && text.front().unicode() >= 0x20 && text.front().unicode() != 0x7F)
        return text.front().unicode();
    return 0;
}

void TFloatSpin::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
        SetValue(Value() + LargeInc);
        event->accept();
        return;
    case Qt::Key_PageDown:
        SetValue(Value() - LargeInc);
        event->accept();
        return;
    case Qt::Key_Up:
        UpClick();
        event->accept();
        return;
    case Qt::Key_Down:
        DownClick();
        event->accept();
        return;
    default:
        break;
    }

    if (editCommand(*event)) {
        event->accept();
        return;
    }
    const char16_t key = typedChar(*event);
    if (key == 0) {
        QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    event->accept();
    if (key == EnterChar) {
        // Done typing; the key goes on to the dialog, whose default button it presses.
        EditDone();
        event->ignore();
        return;
    }
    if (key == CtrlC || key == CtrlV || key == CtrlX)
        return;
    if (!IsValidChar(key)) {
        // Control characters other than Backspace type nothing anyway.
        if (key >= u' ' || key == BackspaceChar)
            Refused();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool TFloatSpin::editCommand(QKeyEvent &event)
{
    if (event.matches(QKeySequence::Paste)) {
        Paste();
    } else if (event.matches(QKeySequence::Cut)) {
        Cut();
    } else if (event.matches(QKeySequence::Copy) || event.matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(&event);
    } else if (event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo)) {
        QLineEdit::keyPressEvent(&event);
        // The limits may have narrowed since the text undone to was typed.
        if (Value() > FMaxValue)
            SetValue(FMaxValue);
    } else {
        return false;
    }
    return true;
}

void TFloatSpin::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (AutoSelect && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        selectAll();
}

void TFloatSpin::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu or another application taking the focus is not leaving the field.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    EditDone();
}

void TFloatSpin::Commit()
{
    // Value reads an empty text as below MinValue, so SetValue's clamp turns it into MinValue.
    SetValue(Value());
}

void TFloatSpin::EditDone()
{
    Commit();
    if (OnEditDone)
        OnEditDone(this);
}

bool TFloatSpin::TypingUnfinished() const
{
    // Setting the text (Value, a step, Commit) clears the modified flag that typing sets.
    return isModified() && Acceptable(text() + QLatin1Char('0'));
}

int TFloatSpin::MinHeight() const
{
    constexpr int borderHeight = 1;
    const int fontHeight = fontMetrics().height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    return fontHeight + std::min(systemHeight, fontHeight) / 4 + 4 * borderHeight + 2;
}

void TFloatSpin::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setMinimumHeight(MinHeight());
}

void TFloatSpin::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    FButton->setGeometry(width() - ButtonWidth - frame, frame, ButtonWidth, height() - 2 * frame);
}

void TFloatSpin::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button would paste the selection unchecked.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TFloatSpin::contextMenuEvent(QContextMenuEvent *event)
{
    // The menu's paste and cut go through the checks of Paste and Cut. Qt names its actions only by
    // their (translated) texts, with the shortcut after a tab.
    QMenu *menu = createStandardContextMenu();
    for (QAction *action : menu->actions()) {
        const QString text = action->text().section(QLatin1Char('\t'), 0, 0);
        if (text == QLineEdit::tr("&Paste")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &TFloatSpin::Paste);
        } else if (text == QLineEdit::tr("Cu&t")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &TFloatSpin::Cut);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
