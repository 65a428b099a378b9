#include "shell/FGlobalDrawsRange.h"

#include "controls/RichView.h"
#include "core/ProgramLocale.h"
#include "shell/FGlobalViewers.h"

#include <array>

std::string DrawsRangePeriodText(const TDrawsRange &Range)
{
    return DateToStr(Range.From) + " - " + DateToStr(Range.To);
}

std::string ReportRangeLines(const TDrawsRange &Range)
{
    return "  Liczba losowań : " + std::to_string(Range.Count) + "#" + "  Okres czasu    : " +
           DrawsRangePeriodText(Range) + "#" + "  Ograniczenia   : " + DrawsRangeDaysText(Range) + "#";
}

void ShowDrawsRange(const TDrawsRange &Range, TRichView *View, bool Short)
{
    constexpr int PlainStyle = 0;
    constexpr int ValueStyle = 6;
    constexpr int CountStyle = 7;
    static const std::array<QString, 4> shortLabels = {QStringLiteral("DT: "), QStringLiteral("DM: "),
                                                       QStringLiteral("M: "), QStringLiteral("K: ")};
    static const std::array<QString, 4> longLabels = {QStringLiteral("Dni tygodnia: "), QStringLiteral("Dni miesiąca: "),
                                                      QStringLiteral("Miesiące: "), QStringLiteral("Kwartały: ")};

    View->Clear();
    View->AddText(QStringLiteral("Brak losowań"), PlainStyle);
    if (Range.Count > 0) {
        View->Clear();
        View->AddText(Short ? QStringLiteral("LL: ") : QStringLiteral("Liczba losowań: "), PlainStyle);
        View->AddText(QString::number(Range.Count), CountStyle);
        View->AddText(QStringLiteral(";   "), PlainStyle);
        View->AddText(Short ? QStringLiteral("O: ") : QStringLiteral("Okres: "), PlainStyle);
        View->AddText(QString::fromStdString(DrawsRangePeriodText(Range)), ValueStyle);
        View->AddText(QStringLiteral(";   "), PlainStyle);
        for (int part = 0; part < 4; ++part) {
            const std::string text = DrawsRangePartText(Range, part);
            if (text.empty())
                continue;
            View->AddText((Short ? shortLabels : longLabels)[size_t(part)], PlainStyle);
            View->AddText(QString::fromStdString(text), ValueStyle);
            View->AddText(QStringLiteral("; "), PlainStyle);
        }
    }
    View->Format();
    FitViewerToText(View);
}
