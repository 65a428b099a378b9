#include "shell/NumberChoiceBoxes.h"

#include "core/UComb.h"
#include "shell/FGlobalControls.h"
#include "shell/NumberPad.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string>

namespace {

constexpr QSize PadButtonSize(27, 27);
constexpr int PadColumns = 10;
constexpr int PadMargin = 6;

QPlainTextEdit *NewMemo(QWidget *Parent, bool ReadOnly)
{
    auto *memo = new QPlainTextEdit(Parent);
    memo->setReadOnly(ReadOnly);
    memo->setTabChangesFocus(true);
    FitMemoLines(memo, 3);
    return memo;
}

} // namespace

QString NumbersText(const TDynByteArr &Numbers, const char *Fmt)
{
    std::string text;
    CombToStr(Numbers.data(), uint8_t(Numbers.size()), Fmt, text, 1);
    return QString::fromStdString(text);
}

TNumberChoiceBoxes BuildNumberChoiceBoxes(QWidget *Parent)
{
    TNumberChoiceBoxes boxes{};
    boxes.gbSelected = new QGroupBox(QStringLiteral("Wybrane liczby"), Parent);
    boxes.lblToSelect = new QLabel(boxes.gbSelected);
    boxes.lblSelected = new QLabel(boxes.gbSelected);
    boxes.txtSelected = NewMemo(boxes.gbSelected, true);
    boxes.txtSelected->setFont(QFont(QStringLiteral("Courier New"), 9));
    auto *selected = new QGridLayout(boxes.gbSelected);
    selected->addWidget(new QLabel(QStringLiteral("Do wybrania :"), boxes.gbSelected), 0, 0);
    selected->addWidget(boxes.lblToSelect, 0, 1);
    selected->addWidget(new QLabel(QStringLiteral("Wybrano :"), boxes.gbSelected), 1, 0);
    selected->addWidget(boxes.lblSelected, 1, 1);
    selected->setColumnStretch(1, 1);
    selected->addWidget(boxes.txtSelected, 2, 0, 1, 2);

    boxes.gbInput = new QGroupBox(QStringLiteral("&Kombinacja z klawiatury "), Parent);
    boxes.eInput = NewMemo(boxes.gbInput, false);
    boxes.btnReadNums = new QPushButton(QStringLiteral("&Wczytaj"), boxes.gbInput);
    auto *input = new QHBoxLayout(boxes.gbInput);
    input->addWidget(boxes.eInput, 1);
    input->addWidget(boxes.btnReadNums, 0, Qt::AlignTop);
    return boxes;
}

void TNumberChoiceBoxes::ShowChosen(const TDynByteArr &Chosen) const
{
    lblSelected->setText(QString::number(Chosen.size()));
    txtSelected->setPlainText(NumbersText(Chosen, "%2d "));
}

std::optional<TDynByteArr> TNumberChoiceBoxes::TypedNumbers(int MaxNumber, int Length, bool Sorted) const
{
    TTextToComb parser;
    parser.Init(uint8_t(MaxNumber), uint8_t(Length));
    if (!parser.Parse(eInput->toPlainText().toStdString(), Sorted, true))
        return std::nullopt;
    return TDynByteArr(parser.Comb.begin(), parser.Comb.begin() + parser.Count);
}

void BuildChoicePad(TNumberPad &Pad, int MaxNumber)
{
    Pad.Build(MaxNumber, PadButtonSize, PadColumns, PadMargin);
}
