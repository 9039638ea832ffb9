// Building forms: twips, design fonts, stored colours, labels and boxes.
#include "windows/form_kit.h"
#include "windows/frmabout.h"
#include "windows/frmgraphshow.h"
#include "windows/statusfrm.h"

#include "mouse_input.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>

#include <memory>

using namespace meter;

TEST(FormKit, TwipsPointsAndStoredColours) {
    EXPECT_EQ(px(1935), 129);
    EXPECT_EQ(px(14), 0);
    EXPECT_EQ(twipsRect(480, 960, 1995, 2520), QRect(32, 64, 133, 168));
    EXPECT_EQ(twipsRect(DesignRect{600, 6120, 570, 510}), QRect(40, 408, 38, 34));
    const std::pair<double, int> sizes[] = {{8, 11}, {8.25, 11}, {9, 12}, {11.25, 15}, {12, 16}, {14.25, 19}, {24, 32}};
    for (const auto& [points, pixels] : sizes) EXPECT_EQ(pointsToPixels(points), pixels) << points;
    EXPECT_EQ(storedColour(0x00FFFF80), QColor(0x80, 0xFF, 0xFF));
    EXPECT_EQ(storedColour(0x0000C000), QColor(0, 0xC0, 0));
    EXPECT_EQ(storedColour(0x00FF0000), QColor(0, 0, 0xFF));
}

// A design face looks the same in every window that names it.
TEST(FormKit, OneFallbackPerDesignFace) {
    auto state = std::make_unique<SharedState>();
    initSharedState(*state);
    Frmgraphshow graph(*state);
    Statusfrm strip(*state, {}, nullptr, {}, {});
    const QString simSun = QFontInfo(designFont(DesignFace::SimSun, 11.25)).family();
    EXPECT_EQ(QFontInfo(graph.Label6->font()).family(), simSun);
    EXPECT_EQ(QFontInfo(strip.Label8->font()).family(), simSun);
    EXPECT_EQ(QFontInfo(strip.Label8->font()).pixelSize(), 15);
    FrmAbout about;
    EXPECT_EQ(QFontInfo(about.Label2->font()).family(),
              QFontInfo(designFont(DesignFace::MSSansSerif, 12)).family());
    for (DesignFace face : {DesignFace::SimSun, DesignFace::MSSansSerif, DesignFace::Arial,
                            DesignFace::ArialUnicodeMS, DesignFace::Tahoma})
        EXPECT_TRUE(QFontInfo(designFont(face, 12)).exactMatch() ||
                    QFontInfo(designFont(face, 12)).family() == QStringLiteral("Liberation Sans"))
            << QFontInfo(designFont(face, 12)).family().toStdString();
}

namespace {

struct Surface : QWidget {
    int presses = 0;
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

} // namespace

TEST(FormKit, LabelsAndBoxesKeepTheirPressesAndSizeThemselves) {
    Surface window;
    window.resize(300, 200);
    QLabel* fixed = makeLabel(&window, {.name = "Label1", .text = QStringLiteral("<b>Fixed</b>"),
                                        .geometry = {10, 10, 120, 15}, .font = designFont(DesignFace::SimSun, 11.25),
                                        .colour = storedColour(0x000000FF), .align = Qt::AlignRight});
    QLabel* sized = makeLabel(&window, {.text = QStringLiteral("TEMPERATURE"), .geometry = {10, 40, 0, 0},
                                        .font = designFont(DesignFace::SimSun, 11.25)});
    QLabel* opaque = makeLabel(&window, {.text = QStringLiteral("X10"), .geometry = {10, 70, 30, 13},
                                         .background = storedColour(0x00E0E0E0), .visible = false});
    QLineEdit* box = makeBox(&window, {.name = "Text1", .geometry = {10, 100, 113, 19}, .locked = true,
                                       .textColour = QColor(255, 0, 0)});
    window.show();

    EXPECT_EQ(fixed->objectName(), "Label1");
    EXPECT_EQ(fixed->geometry(), QRect(10, 10, 120, 15));
    EXPECT_EQ(fixed->textFormat(), Qt::PlainText);
    EXPECT_EQ(fixed->alignment(), Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(fixed->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_FALSE(fixed->autoFillBackground());
    EXPECT_EQ(sized->pos(), QPoint(10, 40));
    EXPECT_EQ(sized->size(), sized->sizeHint());
    EXPECT_TRUE(opaque->autoFillBackground());
    EXPECT_EQ(opaque->palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_TRUE(opaque->isHidden());
    EXPECT_EQ(box->text(), "0");
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->palette().color(QPalette::Text), QColor(255, 0, 0));

    for (QWidget* w : {static_cast<QWidget*>(fixed), static_cast<QWidget*>(sized), static_cast<QWidget*>(box)})
        testsupport::pressAt(window, w->geometry().topLeft() + QPoint(2, 2));
    EXPECT_EQ(window.presses, 0);
    testsupport::pressAt(window, {250, 150});
    EXPECT_EQ(window.presses, 1);
}
