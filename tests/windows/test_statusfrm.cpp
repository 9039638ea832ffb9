#include "windows/statusfrm.h"

#include "mouse_input.h"
#include "png_files.h"
#include "windows/mainform.h"
#include "platform/regional_settings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <memory>

using namespace meter;

namespace {

struct StatusfrmTest : ::testing::Test {
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    int refreshes = 0;
    QWidget main;
    Regional regional;
    std::unique_ptr<Statusfrm> strip;

    void SetUp() override {
        initSharedState(*state);
        main.resize(MainForm::designWidth, MainForm::designHeight); // as the program runs
        regional.timeFormat = timeFormatFor(QStringLiteral("H:mm:ss"), QLocale::c());
        strip = std::make_unique<Statusfrm>(
            *state, &main, [] { return LocalDateTime{2024, 12, 31, 8, 7, 6}; }, regional, &main);
        QObject::connect(strip.get(), &Statusfrm::seriesSwitched, [this] { ++refreshes; });
        main.show();
    }
};

} // namespace

TEST_F(StatusfrmTest, DesignStateAndPlacement) {
    EXPECT_EQ(strip->geometry(), QRect(0, 550, 909, 120));
    // Without a main window it takes the main window's design size.
    const Statusfrm alone(
        *state, nullptr, [] { return LocalDateTime{}; }, regional);
    EXPECT_EQ(alone.geometry(), QRect(0, 550, 909, 120));
    for (int i = 1; i <= 12; ++i) {
        ASSERT_NE(strip->text(i), nullptr);
        EXPECT_EQ(strip->text(i)->text(), "0") << i;
        EXPECT_EQ(strip->text(i)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        EXPECT_FALSE(strip->text(i)->isReadOnly());
    }
    EXPECT_EQ(strip->text(0), nullptr);
    EXPECT_EQ(strip->text(13), nullptr);
    EXPECT_EQ(strip->Text1->geometry(), QRect(376, 24, 113, 19));
    EXPECT_EQ(strip->Text6->geometry(), QRect(520, 48, 113, 19));
    EXPECT_EQ(strip->Text12->geometry(), QRect(664, 96, 113, 19));
    EXPECT_EQ(strip->Check3->geometry(), QRect(240, 72, 17, 17));
    EXPECT_EQ(strip->Text1->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(strip->Text2->palette().color(QPalette::Text), QColor(0, 255, 0));
    EXPECT_EQ(strip->Label9->palette().color(QPalette::WindowText), QColor(0, 192, 0));
    EXPECT_EQ(strip->Text11->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(strip->Label12->text(), "MAXIMUM");
    EXPECT_EQ(strip->Label11->text(), "AREA");
    for (QCheckBox* c : {strip->Check1, strip->Check2, strip->Check3, strip->Check4}) EXPECT_TRUE(c->isChecked());
    // The clock stays blank until its first tick.
    EXPECT_EQ(strip->Label6->text(), QString(11, ' '));
    EXPECT_EQ(strip->Label5->text(), QString(23, ' '));
    EXPECT_EQ(strip->Timer1->interval(), 1000);
    EXPECT_TRUE(strip->Timer1->isActive());
    for (QWidget* w : {static_cast<QWidget*>(strip->Label7), static_cast<QWidget*>(strip->CursorAtext),
                       static_cast<QWidget*>(strip->AVGofAB), static_cast<QWidget*>(strip->Label2)})
        EXPECT_FALSE(w->isVisible());

    strip->Timer1_Timer();
    EXPECT_EQ(strip->Label6->text(), "31-12-2024");
    EXPECT_EQ(strip->Label5->text(), "8:07:06");
}

TEST_F(StatusfrmTest, SeriesSwitchRedrawsAtOnce) {
    strip->Check2->click();
    EXPECT_FALSE(state->showTemperature);
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(state->showVelocity && state->showFlow && state->showArea);
    strip->Check2->click();
    EXPECT_TRUE(state->showTemperature);
    EXPECT_EQ(refreshes, 2);
    strip->Check4->setChecked(false);
    EXPECT_FALSE(state->showArea);
    EXPECT_EQ(refreshes, 3);
    strip->Check1->click();
    strip->Check3->click();
    EXPECT_FALSE(state->showVelocity);
    EXPECT_FALSE(state->showFlow);
    EXPECT_EQ(refreshes, 5);
}

TEST_F(StatusfrmTest, OnlyTheBackgroundDragsTheMainWindow) {
    testsupport::QuietMouseGrabWarnings quiet;
    const QPoint start = main.pos();
    for (QWidget* w : std::initializer_list<QWidget*>{strip->Label8, strip->Label12, strip->Text3, strip->Check1})
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) testsupport::dragOn(w, {2, 2}, {60, 40}, b);
    EXPECT_EQ(main.pos(), start);

    // Any button on the background: the main window follows the pointer's
    // travel. The press first lets go of a capture that another holds.
    QWidget other(&main);
    other.show();
    other.grabMouse();
    testsupport::clickOn(strip.get(), {5, 60});
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(main.pos(), start);
    testsupport::dragOn(strip.get(), {5, 60}, {60, 40}, Qt::LeftButton);
    testsupport::dragOn(strip.get(), {850, 10}, {-30, 25}, Qt::RightButton);
    testsupport::dragOn(strip.get(), {800, 80}, {12, -70}, Qt::MiddleButton);
    EXPECT_EQ(main.pos(), start + QPoint(42, -5));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(StatusfrmTest, ShowsTheStatisticsAndTypedTextStaysUntilThen) {
    strip->Text3->setText("typed");
    RecordOutcome o;
    o.statistics = {.maximum = {"36", "21.5", "0.5", "10.76"},
                    .minimum = {"3.6", "0.0", "0.25", "0.108"},
                    .unit = {"km/h",
                             "\xC2\xB0"
                             "C",
                             "CMM", "Ft2"}};
    EXPECT_EQ(strip->Text3->text(), "typed");
    strip->showStatistics(o);
    // Text1..Text12.
    const char* const shown[] = {"36",
                                 "21.5",
                                 "0.5",
                                 "10.76",
                                 "3.6",
                                 "0.0",
                                 "0.25",
                                 "0.108",
                                 "km/h",
                                 "\xC2\xB0"
                                 "C",
                                 "CMM",
                                 "Ft2"};
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(strip->text(i)->text(), QString::fromUtf8(shown[i - 1])) << i;
    EXPECT_EQ(strip->Text10->text(), QString::fromUtf8("\u00B0C"));

    strip->Timer1_Timer();
    testsupport::savePng(*strip, "statusfrm.png");
}
