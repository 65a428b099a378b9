#include "syswindows/FilterListGrid.h"

#include "controls/StringAlignGrid.h"

#include <QLineEdit>

QString FilterNumberText(const TFilter &Filter)
{
    return QStringLiteral("F%1").arg(Filter.DisplayNo, 2, 10, QLatin1Char('0'));
}

void ShowFilterList(const TFilterList &List, TStringAlignGrid *Grid, QLineEdit *Expression)
{
    const int count = List.Count();
    if (count == 0) {
        Grid->setRowCount(2);
        Grid->ClearRows(1, 1);
    } else {
        Grid->setRowCount(count + 1);
        for (int i = 0; i < count; ++i) {
            const TFilter &filter = *List.GetItem(i);
            Grid->setCells(0, i + 1, FilterNumberText(filter));
            Grid->setCells(1, i + 1, QString::fromStdString(filter.GetName()));
            Grid->setCells(2, i + 1, QString::fromStdString(filter.GetDescription()));
        }
    }
    Grid->InvalidateGrid();
    Expression->setText(QString::fromStdString(FilterListExpression(List)));
}
