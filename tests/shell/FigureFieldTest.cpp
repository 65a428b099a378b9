// The read-only figure field: at its least width it shows its whole text inside the margins a plain field
// leaves around it.
#include "shell/FigureField.h"
#include "tests/support/FontScales.h"

#include <QImage>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

// The columns of the field's image from the left edge to the first ink of its text and from the last ink
// to the right edge (the frame's light grey is no ink).
std::pair<int, int> TextGaps(QLineEdit &Field)
{
    const QImage image = Field.grab().toImage();
    int first = image.width(), last = -1;
    for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 96) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, image.width() - 1 - last};
}

} // namespace

TEST(FigureField, AtItsLeastWidthTheTextKeepsAPlainFieldsMargins)
{
    const QString nbsp(QChar(0x00A0));
    const QString loss = "-922" + nbsp + "337" + nbsp + "203" + nbsp + "685" + nbsp + "477,58" + nbsp + "zł";
    testsupport::ForEachFontScale([&](double) {
        TFigureField figure(nullptr, Qt::AlignRight);
        figure.setText(loss);
        figure.resize(figure.minimumSizeHint());
        // Plain fields wide enough for the text, aligned to either side.
        QLineEdit left, right;
        for (QLineEdit *plain : {&left, &right}) {
            plain->setReadOnly(true);
            plain->setText(loss);
            plain->resize(figure.width() * 2, figure.height());
        }
        right.setAlignment(Qt::AlignRight);
        const auto [figureLeft, figureRight] = TextGaps(figure);
        EXPECT_GE(figureLeft, TextGaps(left).first);
        EXPECT_GE(figureRight, TextGaps(right).second);
    });
}
