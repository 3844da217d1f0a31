#include <gtest/gtest.h>

#include <QTest>

#include "ColorSwatch.h"

namespace {

// Pixels inside the frame that are not exactly colour.
int OffColourPixels(CColorSwatch& swatch, const QColor& colour) {
    const QImage image = swatch.grab().toImage();
    const int f = CColorSwatch::kFrame;
    int off = 0;
    for (int y = f; y < image.height() - f; ++y) {
        for (int x = f; x < image.width() - f; ++x) {
            off += image.pixelColor(x, y) != colour ? 1 : 0;
        }
    }
    return off;
}

// Focused, unfocused or disabled, the swatch shows its colour unchanged; a click asks for
// another one.
TEST(ColorSwatch, ShowsItsColourExactlyInEveryState) {
    CColorSwatch swatch;
    swatch.resize(60, 24);
    swatch.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&swatch));
    int clicks = 0;
    QObject::connect(&swatch, &CColorSwatch::clicked, [&clicks] { ++clicks; });

    for (const QColor& colour : {QColor(0, 0, 255), QColor(12, 200, 34), QColor(255, 255, 255)}) {
        swatch.SetColor(colour);
        swatch.setEnabled(true);
        QTest::mouseClick(&swatch, Qt::LeftButton);  // takes the focus as well
        EXPECT_EQ(OffColourPixels(swatch, colour), 0) << colour.name().toStdString();
        swatch.setEnabled(false);
        EXPECT_EQ(OffColourPixels(swatch, colour), 0) << colour.name().toStdString();
    }
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(swatch.Color(), QColor(255, 255, 255));
}

}  // namespace
