// The readout panel, headless: design state, key clicks raised as key
// presses, and frames written into the display.
#include "windows/hand_cursor.h"
#include "windows/offlinefrm.h"
#include "windows/tableshow.h"

#include "core/meter_frame.h"
#include "frame_bytes.h"
#include "mouse_input.h"
#include "png_files.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include <memory>

using namespace meter;

namespace {

using testsupport::putFloat;
using testsupport::savePng;

// Normal mode: 3.456 m/s on line 1, 23.45 °C on line 2.
FrameBytes typicalFrame() {
    FrameBytes b{};
    putFloat(b, 2, 3.456f);
    putFloat(b, 6, 23.45f);
    b[26] = 0x01; // m/s
    b[27] = 0x02; // CMM
    b[28] = 0x81;
    b[29] = 0x01; // °C
    return b;
}

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// Writes what a frame shows, as the main window's receive handler does.
void show(Tableshow& panel, const FrameBytes& b, char decimalSeparator) {
    panel.applyReadout(decodeReadout(decodeFrame(b), decimalSeparator));
}

class TableshowTest : public ::testing::Test {
protected:
    TableshowTest() {
        panel.show();
        QObject::connect(&panel, &Tableshow::keyPressed, [this](std::uint8_t code) { pressed.push_back(code); });
    }

    Tableshow panel;
    std::vector<std::uint8_t> pressed; // key presses raised, in order
};

} // namespace

TEST_F(TableshowTest, DesignState) {
    EXPECT_EQ(panel.size(), QSize(194, 479));
    EXPECT_EQ(panel.minimumSize(), panel.maximumSize());
    EXPECT_EQ(panel.palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(panel.Picture1->geometry(), QRect(32, 64, 133, 168));
    EXPECT_EQ(panel.Picture1->palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));

    // name, caption, left, top (pixels inside the display box)
    struct Design {
        const char* name;
        const char* caption;
        int left, top;
    };
    const Design designs[] = {
        {"FIRSTLABEL", "-0.000", 0, 16}, {"SECONDLABEL", "-0.000", 0, 88},        {"Label_VEL", "VEL", 2, 3},
        {"Label_HOLD", "HOLD", 32, 0},   {"Label_VEL_UNIT", "km/h", 48, 48},      {"Label_X", "X10", 96, 48},
        {"Label_FUN", "TEMP", 2, 72},    {"Label_TEMP_UNIT", "\u00B0C", 102, 88}, {"Label_FLOW_UNIT", "CFM", 95, 113},
        {"Label_MAXMIN", "MAX", 8, 128}, {"Label_MEAN", "*MEAN", 40, 128},        {"Label_XX", "X10", 97, 128},
    };
    for (const Design& d : designs) {
        SCOPED_TRACE(d.name);
        QLabel* l = panel.label(d.name);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->parentWidget(), panel.Picture1);
        EXPECT_EQ(l->text(), text(d.caption));
        EXPECT_TRUE(l->isVisible());
        EXPECT_EQ(l->pos(), QPoint(d.left, d.top));
        EXPECT_TRUE(l->autoFillBackground());
        EXPECT_EQ(l->palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
        // Every annunciator's caption fits its label (the number lines are
        // fixed fields; "-0.000" overhangs the second one by design).
        if (l != panel.FIRSTLABEL && l != panel.SECONDLABEL) {
            EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width());
        }
        EXPECT_LE(l->geometry().right(), panel.Picture1->width() - 1);
        EXPECT_LE(l->geometry().bottom(), panel.Picture1->height() - 1);
    }
    EXPECT_EQ(panel.FIRSTLABEL, panel.label("FIRSTLABEL"));
    EXPECT_EQ(panel.FIRSTLABEL->size(), QSize(129, 33));
    EXPECT_EQ(panel.SECONDLABEL->size(), QSize(89, 33));
    EXPECT_EQ(panel.FIRSTLABEL->font().pixelSize(), 32);
    EXPECT_TRUE(panel.FIRSTLABEL->font().italic());
    EXPECT_TRUE(panel.FIRSTLABEL->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(panel.SECONDLABEL->alignment() & Qt::AlignRight);
    EXPECT_EQ(panel.Label_HOLD->font().pixelSize(), 11);

    // Key areas: geometry in pixels, the hand pointer, MAX/MIN hidden.
    const std::pair<KeyArea*, QRect> areas[] = {
        {panel.Image3, QRect(40, 280, 27, 24)},  {panel.Image6, QRect(80, 280, 33, 25)},
        {panel.Image1, QRect(128, 280, 31, 27)}, {panel.Image5, QRect(40, 312, 31, 32)},
        {panel.Image2, QRect(80, 312, 34, 33)},  {panel.Image4, QRect(120, 312, 34, 30)},
        {panel.Image7, QRect(40, 408, 38, 34)},
    };
    for (const auto& [area, rect] : areas) {
        EXPECT_EQ(area->geometry(), rect);
        EXPECT_EQ(area->cursor().hotSpot(), QPoint(12, 1));
        EXPECT_EQ(area->isVisible(), area != panel.Image5);
    }
    savePng(panel, "tableshow_design.png");
}

TEST_F(TableshowTest, EachKeyRaisesItsKeyPress) {
    const std::pair<QRect, std::uint8_t> keys[] = {
        {QRect(40, 280, 27, 24), 0x09},  // SET
        {QRect(80, 280, 33, 25), 0x0B},  // MEAN
        {QRect(128, 280, 31, 27), 0x05}, // HOLD/ZERO
        {QRect(80, 312, 34, 33), 0x06},  // FLOW/TEMP
        {QRect(120, 312, 34, 30), 0x0C}, // ENTER
        {QRect(40, 408, 38, 34), 0x0D},  // power
    };
    for (const auto& [rect, code] : keys) {
        SCOPED_TRACE(int(code));
        pressed.clear();
        testsupport::clickAt(panel, rect.topLeft());
        testsupport::clickAt(panel, rect.bottomRight());
        EXPECT_EQ(pressed, (std::vector<std::uint8_t>{code, code}));
    }
    pressed.clear();

    // Where MAX/MIN is pictured, beside a key, on the display: nothing.
    testsupport::clickAt(panel, QRect(40, 312, 31, 32).center());
    testsupport::clickAt(panel, QPoint(39, 290));
    testsupport::clickAt(panel, QPoint(90, 120));
    // Only the left button clicks.
    testsupport::clickAt(panel, QPoint(50, 290), Qt::RightButton);
    // A press on a key released outside it is no click.
    testsupport::sendMouse(panel.Image3, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    testsupport::sendMouse(panel.Image3, QEvent::MouseButtonRelease, {60, 5}, Qt::LeftButton);
    EXPECT_TRUE(pressed.empty());

    // The hidden area's own click handler still knows its key.
    panel.Image5_Click();
    EXPECT_EQ(pressed, (std::vector<std::uint8_t>{0x0A}));
}

TEST_F(TableshowTest, FramesWriteTheDisplay) {
    show(panel, typicalFrame(), '.');
    EXPECT_EQ(panel.FIRSTLABEL->text(), text("3.45"));
    EXPECT_EQ(panel.SECONDLABEL->text(), text("23.4"));
    EXPECT_EQ(panel.Label_VEL_UNIT->text(), text("m/s"));
    EXPECT_EQ(panel.Label_TEMP_UNIT->text(), text("\u00B0C"));
    EXPECT_EQ(panel.Label_FUN->text(), text("TEMP"));
    EXPECT_EQ(panel.Label_MAXMIN->text(), text(" "));
    EXPECT_EQ(panel.Label_X->text(), text(" "));
    EXPECT_EQ(panel.Label_XX->text(), text(" "));
    EXPECT_TRUE(panel.Label_VEL->isVisible());
    EXPECT_TRUE(panel.Label_VEL_UNIT->isVisible());
    EXPECT_TRUE(panel.Label_TEMP_UNIT->isVisible());
    EXPECT_FALSE(panel.Label_FLOW_UNIT->isVisible());
    EXPECT_FALSE(panel.Label_MEAN->isVisible());
    EXPECT_FALSE(panel.Label_HOLD->isVisible());
    EXPECT_EQ(panel.Label_FLOW_UNIT->text(), text("CFM")); // hidden, caption kept
    savePng(panel, "tableshow_frame.png");

    // The decimal separator is handed in.
    show(panel, typicalFrame(), ',');
    EXPECT_EQ(panel.FIRSTLABEL->text(), text("3,45"));
    EXPECT_EQ(panel.SECONDLABEL->text(), text("23,4"));

    // A frame that writes neither line leaves the watchdog's texts in place.
    panel.showOffline();
    EXPECT_EQ(panel.FIRSTLABEL->text(), text("OFF"));
    EXPECT_EQ(panel.SECONDLABEL->text(), text("LINE"));
    FrameBytes silent = typicalFrame();
    silent[26] = 0x06; // no known velocity unit
    silent[35] = 2;    // no second-line function
    show(panel, silent, '.');
    EXPECT_EQ(panel.FIRSTLABEL->text(), text("OFF"));
    EXPECT_EQ(panel.SECONDLABEL->text(), text("LINE"));
    EXPECT_EQ(panel.Label_VEL_UNIT->text(), text("m/s"));

    // MEAN mode, flow function, HOLD, MIN, line 2 X100: annunciators resize
    // to their captions from their left edge.
    FrameBytes mean = typicalFrame();
    putFloat(mean, 2, 1234.5f);
    putFloat(mean, 6, 12345.0f);
    mean[27] = 0x01; // CFM
    mean[30] = 0x22; // HOLD, flow function
    mean[31] = 0x30; // MAX and MIN
    mean[32] = 0x40; // line 2 X100
    mean[34] = 0x40; // MEAN
    const QPoint xxPos = panel.Label_XX->pos();
    const int xxWidth = panel.Label_XX->width();
    show(panel, mean, '.');
    EXPECT_EQ(panel.FIRSTLABEL->text(), text("1234"));
    EXPECT_EQ(panel.SECONDLABEL->text(), text("123.4"));
    EXPECT_EQ(panel.Label_FUN->text(), text("FLOW"));
    EXPECT_EQ(panel.Label_FLOW_UNIT->text(), text("CFM"));
    EXPECT_EQ(panel.Label_MAXMIN->text(), text("MIN"));
    EXPECT_EQ(panel.Label_XX->text(), text("X100"));
    EXPECT_EQ(panel.Label_XX->pos(), xxPos);
    EXPECT_GT(panel.Label_XX->width(), xxWidth);
    EXPECT_LE(panel.Label_XX->fontMetrics().horizontalAdvance(QStringLiteral("X100")), panel.Label_XX->width());
    EXPECT_TRUE(panel.Label_HOLD->isVisible());
    EXPECT_TRUE(panel.Label_MEAN->isVisible());
    EXPECT_FALSE(panel.Label_VEL->isVisible());
    EXPECT_TRUE(panel.Label_FLOW_UNIT->isVisible());
    EXPECT_FALSE(panel.Label_TEMP_UNIT->isVisible());
    EXPECT_FALSE(panel.Label_VEL_UNIT->isVisible());
    // Numbers stay on their fixed fields.
    EXPECT_EQ(panel.FIRSTLABEL->geometry(), QRect(0, 16, 129, 33));
    EXPECT_EQ(panel.SECONDLABEL->geometry(), QRect(0, 88, 89, 33));
    savePng(panel, "tableshow_mean.png");
}

TEST(Offlinefrm, CoversTheReadoutPanel) {
    QWidget main;
    main.resize(909, 635);
    auto* panel = new Tableshow(&main);
    panel->Form_Load(71);
    auto* overlay = new Offlinefrm(&main);
    EXPECT_EQ(overlay->size(), QSize(196, 481));
    overlay->Form_Load(71, *panel);
    EXPECT_EQ(panel->geometry(), QRect(0, 71, 194, 479));
    EXPECT_EQ(overlay->geometry(), panel->geometry());
    main.show();
    savePng(*overlay, "offlinefrm.png");
}

TEST(HandCursor, PointsWithItsFingerTip) {
    const QCursor c = handCursor();
    EXPECT_EQ(c.hotSpot(), QPoint(12, 1));
    const QImage img = handCursorPixmap().toImage();
    EXPECT_EQ(img.size(), QSize(32, 32));
    // The hot spot lies on the drawn outline; the corner is transparent.
    EXPECT_GT(qAlpha(img.pixel(12, 1)), 0);
    EXPECT_EQ(qAlpha(img.pixel(31, 0)), 0);
    QImage big = img.scaled(128, 128);
    savePng(big, "hand_cursor.png");
}
