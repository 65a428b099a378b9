#include "platform/gui/QtPrinters.h"

#include <QFont>
#include <QFontMetrics>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

namespace platform {

TQPrinterBase::TQPrinterBase() : FPrinter(QPrinter::HighResolution)
{
    // The whole sheet without margins: a slip's boxes are measured from the paper's edge.
    FPrinter.setFullPage(true);
    FPrinter.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool TQPrinterBase::BeginDoc()
{
    if (!FPainter.begin(&FPrinter))
        return false;
    // A printer that keeps margins anyway paints from its printable area's corner: move the origin back
    // to the paper's.
    FPainter.translate(FPrinter.paperRect(QPrinter::DevicePixel).topLeft() -
                       FPrinter.pageRect(QPrinter::DevicePixel).topLeft());
    return true;
}

void TQPrinterBase::NewPage()
{
    FPrinter.newPage();
}

void TQPrinterBase::EndDoc()
{
    if (FPainter.isActive())
        FPainter.end();
}

int TQPrinterBase::PageWidth() const
{
    return qRound(FPrinter.paperRect(QPrinter::DevicePixel).width());
}

int TQPrinterBase::PageHeight() const
{
    return qRound(FPrinter.paperRect(QPrinter::DevicePixel).height());
}

double TQPrinterBase::HorzSize() const
{
    return FPrinter.paperRect(QPrinter::Millimeter).width();
}

double TQPrinterBase::VertSize() const
{
    return FPrinter.paperRect(QPrinter::Millimeter).height();
}

void TQPrinterBase::FillMark(const QRect &Rect)
{
    FPainter.fillRect(Rect, Qt::black);
}

void TQPrinterBase::DrawCaption(const QPoint &TopLeft, const QString &Text)
{
    FPainter.setFont(QFont(QStringLiteral("Arial"), 10));
    FPainter.setPen(Qt::red);
    FPainter.setBackgroundMode(Qt::TransparentMode);
    FPainter.drawText(TopLeft + QPoint(0, QFontMetrics(FPainter.font(), &FPrinter).ascent()), Text);
}

TCupsPrinter::TCupsPrinter()
{
    FPrinter.setPrinterName(QPrinterInfo::defaultPrinterName());
}

bool TCupsPrinter::Installed() const
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

TPdfPrinter::TPdfPrinter(const QString &FileName)
{
    FPrinter.setOutputFormat(QPrinter::PdfFormat);
    FPrinter.setOutputFileName(FileName);
    FPrinter.setPageSize(QPageSize(QPageSize::A4));
}

} // namespace platform
