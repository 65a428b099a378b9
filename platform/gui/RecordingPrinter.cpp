#include "platform/gui/RecordingPrinter.h"

namespace platform {

TRecordingPrinter::TRecordingPrinter(int Width, int Height, double WidthMm, double HeightMm)
    : FWidth(Width)
    , FHeight(Height)
    , FWidthMm(WidthMm)
    , FHeightMm(HeightMm)
{
}

bool TRecordingPrinter::BeginDoc()
{
    if (FInJob)
        ++Faults;
    FInJob = true;
    ++Jobs;
    Pages.emplace_back();
    return true;
}

void TRecordingPrinter::NewPage()
{
    if (!FInJob)
        ++Faults;
    Pages.emplace_back();
}

void TRecordingPrinter::EndDoc()
{
    if (!FInJob)
        ++Faults;
    FInJob = false;
    ++EndedJobs;
}

void TRecordingPrinter::FillMark(const QRect &Rect)
{
    current().Marks.push_back(Rect);
}

void TRecordingPrinter::DrawCaption(const QPoint &TopLeft, const QString &Text)
{
    current().Captions.push_back({TopLeft, Text});
}

TRecordingPrinter::Page &TRecordingPrinter::current()
{
    if (!FInJob || Pages.empty()) {
        ++Faults;
        Pages.emplace_back();
    }
    return Pages.back();
}

} // namespace platform
