#pragma once
// Helpers of the grid tests: a small grid of known geometry, its painted image, and pixel probes.

#include "controls/StringAlignGrid.h"
#include "tests/support/HangGuard.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace gridtest {

// A shown ColCount x RowCount grid with one fixed row and column, no scroll bars, cells 60 x 24.
template <typename Grid = TStringAlignGrid>
std::unique_ptr<Grid> makeGrid(int cols = 4, int rows = 4)
{
    auto grid = std::make_unique<Grid>();
    grid->setScrollBars(ssNone);
    grid->setColCount(cols);
    grid->setRowCount(rows);
    grid->setDefaultColWidth(60);
    grid->setDefaultRowHeight(24);
    grid->resize(std::min(cols, 10) * 61 + 2 * grid->frameWidth() + 10, std::min(rows, 10) * 25 + 2 * grid->frameWidth() + 10);
    grid->setColor(clWhite);
    grid->setFixedColor(clSilver);
    grid->show();
    return grid;
}

inline QImage paint(TStringAlignGrid &grid)
{
    return grid.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A pixel well inside the cell, away from where text goes.
inline QColor cellBackground(const QImage &image, const TStringAlignGrid &grid, int col, int row)
{
    const TRect rect = grid.CellRect(col, row);
    return QColor(image.pixel(rect.Right - 2, rect.Bottom - 2));
}

// The bounding box of pixels in the cell that differ from its background.
inline QRect inkInCell(const QImage &image, const TStringAlignGrid &grid, int col, int row)
{
    const TRect rect = grid.CellRect(col, row);
    const QRgb background = image.pixel(rect.Right - 1, rect.Bottom - 1);
    QRect ink;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if (image.pixel(x, y) != background)
                ink = ink.united(QRect(x, y, 1, 1));
    return ink;
}

// The most saturated colour among the cell's text pixels (the font colour where antialiasing is full).
inline QColor inkColour(const QImage &image, const TStringAlignGrid &grid, int col, int row)
{
    const TRect rect = grid.CellRect(col, row);
    const QRgb background = image.pixel(rect.Right - 1, rect.Bottom - 1);
    QColor best(background);
    int bestDistance = -1;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int distance = std::abs(qRed(pixel) - qRed(background)) + std::abs(qGreen(pixel) - qGreen(background))
                                 + std::abs(qBlue(pixel) - qBlue(background));
            if (distance > bestDistance) {
                bestDistance = distance;
                best = QColor(pixel);
            }
        }
    return best;
}

// Shows the grid as the active window with the keyboard focus.
inline bool focusGrid(TStringAlignGrid &grid)
{
    grid.show();
    grid.activateWindow();
    QApplication::setActiveWindow(&grid);
    grid.setFocus();
    return QTest::qWaitForWindowActive(&grid, testsupport::HangGuardMs) && grid.hasFocus();
}

inline void processPosted()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace gridtest
