#include "platform/gui/QtPrinters.h"

#include <QFont>
#include <QFontMetrics>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

namespace platform {

TQPrinterBase::TQPrinterBase() : FPrinter(QPrinter::HighResolution) {}

bool TQPrinterBase::BeginDoc()
{
    return FPainter.begin(&FPrinter);
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
    return FPrinter.width();
}

int TQPrinterBase::PageHeight() const
{
    return FPrinter.height();
}

double TQPrinterBase::HorzSize() const
{
    return FPrinter.pageLayout().paintRect(QPageLayout::Millimeter).width();
}

double TQPrinterBase::VertSize() const
{
    return FPrinter.pageLayout().paintRect(QPageLayout::Millimeter).height();
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
    FPrinter.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    FPrinter.setFullPage(true);
}

} // namespace platform
