#pragma once
// Printers over QPrinter: the default CUPS printer and a PDF file.

#include "platform/gui/Printer.h"

#include <QPainter>
#include <QPrinter>

namespace platform {

// Paints with QPainter on its QPrinter, the whole sheet without margins; the origin is the paper's
// top-left corner, whatever margins the printer keeps.
class TQPrinterBase : public TPrinter {
public:
    bool BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    int PageWidth() const override;
    int PageHeight() const override;
    double HorzSize() const override;
    double VertSize() const override;
    void FillMark(const QRect &Rect) override;
    void DrawCaption(const QPoint &TopLeft, const QString &Text) override;

protected:
    TQPrinterBase();
    QPrinter FPrinter;

private:
    QPainter FPainter;
};

// The system's default printer, as CUPS lists it.
class TCupsPrinter : public TQPrinterBase {
public:
    TCupsPrinter();
    // CUPS lists at least one printer.
    bool Installed() const override;
};

// An A4 page written to a PDF file, 1200 pixels to the inch.
class TPdfPrinter : public TQPrinterBase {
public:
    explicit TPdfPrinter(const QString &FileName);
    bool Installed() const override { return true; }
};

} // namespace platform
