#pragma once
// A test run at the default application font and at one and a half times it.

#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

#include <functional>

namespace testsupport {

inline void ForEachFontScale(const std::function<void(double Scale)> &Run)
{
    const QFont normal = QApplication::font();
    for (const double scale : {1.0, 1.5}) {
        SCOPED_TRACE(scale);
        QFont font = normal;
        font.setPointSizeF(normal.pointSizeF() * scale);
        QApplication::setFont(font);
        Run(scale);
    }
    QApplication::setFont(normal);
}

} // namespace testsupport
