#include "statwindows/CombListCells.h"

#include "shell/FGlobalGrids.h"
#include "stats/UStatFreq.h"
#include "syswindows/SysFormats.h"

bool CombListCellText(const TStatFreq &Stat, int Col, int Row, TDynByteArr &Comb, size_t CombLen, QString &Text)
{
    uint32_t freq = 0;
    uint8_t parity = 0;
    switch (Col) {
    case 0:
        Text = CountText(Row + 1) + QLatin1Char(' ');
        return true;
    case 1:
        Stat.GetItem(Row, Comb, freq, parity);
        Text = CombCellText(Comb.data(), CombLen);
        return true;
    case 2:
        Stat.GetItem(Row, Comb, freq, parity);
        Text = CountText(freq) + QLatin1Char(' ');
        return true;
    default:
        return false;
    }
}
