#pragma once
// The printer the program prints on: a print job of pages, the paper in device pixels and in
// millimetres (origin at its top-left corner, the paper's edge on every printer), and the two things a play slip needs drawn: filled black marks
// and a caption. The default CUPS printer unless another printer was installed (a PDF file, or a
// recording of what is drawn for tests).

#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>

namespace platform {

class TPrinter {
public:
    virtual ~TPrinter() = default;

    // Whether there is a printer to print on at all.
    virtual bool Installed() const = 0;
    // Starts a job on its first page; false when the job cannot start (nothing is drawn then).
    virtual bool BeginDoc() = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;

    // The paper: pixels and millimetres across and down the page.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual double HorzSize() const = 0;
    virtual double VertSize() const = 0;

    // A solid black rectangle covering the pixels x .. x + width - 1, y .. y + height - 1.
    virtual void FillMark(const QRect &Rect) = 0;
    // Text in Arial 10 points, red, on a clear background, its top-left corner at TopLeft.
    virtual void DrawCaption(const QPoint &TopLeft, const QString &Text) = 0;
};

// The installed printer; the default CUPS printer when none was installed.
TPrinter &Printer();
// Installs a printer in place of the default one; nullptr goes back to the default.
void setPrinter(std::unique_ptr<TPrinter> NewPrinter);

} // namespace platform
