#include "hosts/qt/HostWindow.h"

#include "platform/core/VirtualKeys.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "tests/support/RecordingInput.h"

#include <QGuiApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dd {
namespace {

constexpr TColor kPureGreen = 0x00FF00;

TMonitor PrimaryMonitor() {
    return {QGuiApplication::primaryScreen()->name().toStdString(), {}, true};
}

TEST(QtHostWindow, GivesTheSaverTheCodesOfItsKeysAndWherePointerEventsHappen) {
    const Bitmap surface(4, 4);
    test::RecordingInput input;
    HostWindow window(&surface, SurfacePlacement(4, 4, {0, 0, 4, 4}, {0, 0, 4, 4}), input);
    input.window = &window;
    window.Cover(PrimaryMonitor());
    const auto pressed = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        input.seen.clear();
        QTest::keyPress(&window, key, modifiers);
        QTest::keyRelease(&window, key, modifiers);
        return input.seen;
    };
    using Seen = std::vector<std::string>;
    EXPECT_EQ(pressed(Qt::Key_Left), (Seen{"down 37", "up 37"}));
    EXPECT_EQ(pressed(Qt::Key_Right), (Seen{"down 39", "up 39"}));
    EXPECT_EQ(pressed(Qt::Key_Home), (Seen{"down 36", "up 36"}));
    EXPECT_EQ(pressed(Qt::Key_PageUp), (Seen{"down 33", "up 33"}));
    EXPECT_EQ(pressed(Qt::Key_Escape), (Seen{"down 27", "char \x1b", "up 27"}));
    // The keypad's digits with Num Lock on; off, they arrive as the arrows and Home they show.
    EXPECT_EQ(pressed(Qt::Key_4, Qt::KeypadModifier), (Seen{"down 100", "char 4", "up 100"}));
    EXPECT_EQ(pressed(Qt::Key_6, Qt::KeypadModifier), (Seen{"down 102", "char 6", "up 102"}));
    EXPECT_EQ(pressed(Qt::Key_7, Qt::KeypadModifier), (Seen{"down 103", "char 7", "up 103"}));
    EXPECT_EQ(pressed(Qt::Key_9, Qt::KeypadModifier), (Seen{"down 105", "char 9", "up 105"}));
    EXPECT_EQ(pressed(Qt::Key_Home, Qt::KeypadModifier), (Seen{"down 36", "up 36"}));
    EXPECT_EQ(pressed(Qt::Key_G), (Seen{"down 71", "char g", "up 71"}));
    EXPECT_EQ(pressed(Qt::Key_H), (Seen{"down 72", "char h", "up 72"}));
    EXPECT_EQ(pressed(Qt::Key_4), (Seen{"down 52", "char 4", "up 52"}));
    input.seen.clear();
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(3, 2));
    window.close();
    EXPECT_EQ(input.seen, (Seen{"click 3,2", "close"})) << "in the window's own device pixels";
    EXPECT_TRUE(window.isVisible()) << "close requests are the saver's to refuse";
}

TEST(QtHostWindow, ShowsTheSurfacesColoursAsTheyAre) {
    Bitmap surface(3, 1);
    surface.SetPixel(0, 0, clRed);
    surface.SetPixel(1, 0, kPureGreen);
    surface.SetPixel(2, 0, clBlue);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen->geometry().size();
    // Centred, each surface pixel a 2 x 2 block.
    const int left = (size.width() - 6) / 2, top = (size.height() - 2) / 2;
    test::RecordingInput input;
    HostWindow window(&surface, SurfacePlacement(3, 1, {0, 0, 3, 1}, Bounds(left, top, 6, 2)),
                      input);
    window.Cover(PrimaryMonitor());
    ASSERT_EQ(window.devicePixelRatioF(), 1.0);
    // Into a transparent image without the window's background: what a compositor blends.
    QImage shown(size, QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::transparent);
    window.render(&shown, {}, {}, {});
    const std::vector<QColor> expected = {Qt::red, Qt::green, Qt::blue};
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 2; ++y)
            EXPECT_EQ(shown.pixelColor(left + x, top + y), expected[x / 2])
                << "at (" << x << ", " << y << ")";
    EXPECT_EQ(shown.pixelColor(left - 1, top), QColor(Qt::black)) << "opaque black";
    EXPECT_EQ(shown.pixelColor(left + 6, top + 1), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(left, top + 2), QColor(Qt::black));
}

} // namespace
} // namespace dd
