#pragma once
// A printer that records what is drawn, page by page, in pixels of a page of a given size.

#include "platform/gui/Printer.h"

#include <vector>

namespace platform {

class TRecordingPrinter : public TPrinter {
public:
    struct Caption {
        QPoint TopLeft;
        QString Text;
    };
    struct Page {
        std::vector<QRect> Marks;
        std::vector<Caption> Captions;
    };

    // A page of Width x Height pixels measuring WidthMm x HeightMm.
    TRecordingPrinter(int Width, int Height, double WidthMm, double HeightMm);

    bool Installed() const override { return FInstalled; }
    bool BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    int PageWidth() const override { return FWidth; }
    int PageHeight() const override { return FHeight; }
    double HorzSize() const override { return FWidthMm; }
    double VertSize() const override { return FHeightMm; }
    void FillMark(const QRect &Rect) override;
    void DrawCaption(const QPoint &TopLeft, const QString &Text) override;

    void SetInstalled(bool Value) { FInstalled = Value; }

    // The pages of every job, in order; jobs begun and ended.
    std::vector<Page> Pages;
    int Jobs = 0;
    int EndedJobs = 0;
    // Jobs begun inside a job, and pages or drawings outside one.
    int Faults = 0;

private:
    // The page drawn on; a drawing outside a job counts as a fault.
    Page &current();

    int FWidth;
    int FHeight;
    double FWidthMm;
    double FHeightMm;
    bool FInstalled = true;
    bool FInJob = false;
};

} // namespace platform
