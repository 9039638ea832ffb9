#include "windows/toolbar.h"

#include "platform/common_dialog.h"
#include "mouse_input.h"
#include "png_files.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <memory>

using namespace meter;

namespace {

using testsupport::sendMouse;

void moveTo(QWidget* w, QPointF at) { sendMouse(w, QEvent::MouseMove, at); }

void click(QWidget* w) { testsupport::clickOn(w, {10, 10}); }

struct ToolbarTest : ::testing::Test {
    testsupport::QuietMouseGrabWarnings quiet;
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    CommonDialog dialog{[](const CommonDialog::Request&) { return QString(); }};
    QWidget main;
    std::unique_ptr<Toolbar> bar;

    void SetUp() override {
        initSharedState(*state);
        main.resize(909, 635);
        bar = std::make_unique<Toolbar>(*state, &main, dialog, &main);
        main.show();
    }
    void TearDown() override {
        if (QWidget* g = QWidget::mouseGrabber()) g->releaseMouse();
    }
};

} // namespace

TEST_F(ToolbarTest, DesignStateAndPlacement) {
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 909, 71));
    EXPECT_EQ(&bar->CommonDialog1, &dialog);
    struct Case {
        PictureButton* b;
        QRect at;
        const char* tip;
        int hover, normal;
        bool visible;
    };
    const Case cases[] = {
        {bar->export_, {328, 24, 70, 40}, "export to *.xls", 3, 4, true},
        {bar->saveas, {416, 24, 70, 40}, " save data as file ", 11, 12, true},
        {bar->toolprint, {504, 24, 70, 40}, "print data or graph", 9, 10, true},
        {bar->help, {592, 24, 70, 40}, "help", 5, 6, true},
        {bar->connect_, {144, -8, 70, 40}, "connect to ValdorK17", 1, 2, false},
        {bar->toolopen, {160, 0, 70, 40}, "open datafile", 7, 8, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.b->geometry(), c.at) << c.tip;
        EXPECT_EQ(c.b->toolTip(), QString::fromLatin1(c.tip));
        EXPECT_EQ(c.b->hoverImage(), c.hover);
        EXPECT_EQ(c.b->normalImage(), c.normal);
        EXPECT_EQ(c.b->shownImage(), c.normal);
        EXPECT_EQ(c.b->isVisible(), c.visible);
        EXPECT_EQ(c.b->cursor().shape(), Qt::BitmapCursor);
    }
    // Minimise and close moved 5 pixels down; the close box ends at the right edge.
    EXPECT_EQ(bar->toolmin->geometry(), QRect(848, 13, 29, 32));
    EXPECT_EQ(bar->toolclose->geometry(), QRect(880, 13, 29, 32));
    EXPECT_EQ(bar->toolmin->toolTip(), "mini");
    EXPECT_EQ(bar->toolclose->toolTip(), "close");
    EXPECT_EQ(bar->toolclose->picture().size(), QSize(45, 32));

    EXPECT_FALSE(bar->Command1->isVisible());
    EXPECT_EQ(bar->Command1->text(), "Command1");
    EXPECT_FALSE(bar->Label1->isVisible());
    EXPECT_EQ(bar->Label1->text(), "HW-310");
    EXPECT_FALSE(bar->CapHelp->isVisible());
    EXPECT_FALSE(bar->printselect->isVisible());
    EXPECT_EQ(bar->CapHelp->title(), "CapHelp");
    EXPECT_EQ(bar->CapContents->text(), "Contents");
    EXPECT_EQ(bar->CapAbout->text(), "About Valdor  K17");
    EXPECT_EQ(bar->printselect->title(), "printselect");
    EXPECT_EQ(bar->printgraph->text(), "Print Graph");
    EXPECT_EQ(bar->printdata->text(), "Print Data ");
    EXPECT_EQ(bar->printalldata->text(), "Print All Data");

    ASSERT_EQ(bar->ToolBarImageList.count(), 12);
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(bar->ToolBarImageList.ListImages(n).size(), QSize(70, 40));
    EXPECT_TRUE(bar->ToolBarImageList.ListImages(0).isNull());
    EXPECT_TRUE(bar->ToolBarImageList.ListImages(13).isNull());
    const QImage hover = bar->ToolBarImageList.ListImages(3).toImage();
    const QImage normal = bar->ToolBarImageList.ListImages(4).toImage();
    EXPECT_EQ(QColor(hover.pixel(1, 1)), QColor(70, 158, 200));
    EXPECT_EQ(QColor(normal.pixel(1, 1)), QColor(156, 234, 245));

    bar->setMainWidth(966);
    EXPECT_EQ(bar->size(), QSize(966, 71));
    testsupport::savePng(*bar, "toolbar.png");
    moveTo(bar->saveas, {5, 5});
    testsupport::savePng(*bar, "toolbar_saveas_hover.png");
    QPixmap all(70 * 12 + 11 * 4, 40);
    all.fill(Qt::white);
    {
        QPainter p(&all);
        for (int n = 1; n <= 12; ++n) p.drawPixmap((n - 1) * 74, 0, bar->ToolBarImageList.ListImages(n));
    }
    testsupport::savePng(all, "toolbar_images.png");
}

TEST_F(ToolbarTest, HoverRuleCountsTheRightAndBottomEdgesAsInside) {
    struct Case {
        QPointF at;
        bool inside;
    };
    const Case cases[] = {
        {{0, 0}, true},    {{35, 20}, true},    {{70, 40}, true},    {{70, 0}, true},
        {{0, 40}, true},   {{70.5, 20}, false}, {{71, 20}, false},   {{35, 41}, false},
        {{-1, 20}, false}, {{35, -0.5}, false}, {{200, 300}, false},
    };
    for (PictureButton* b : {bar->export_, bar->saveas, bar->toolprint, bar->help}) {
        for (const Case& c : cases) {
            moveTo(b, {10, 10}); // hovered: the capture is held, so moves outside still arrive
            ASSERT_EQ(QWidget::mouseGrabber(), b);
            moveTo(b, c.at);
            EXPECT_EQ(b->shownImage(), c.inside ? b->hoverImage() : b->normalImage())
                << b->toolTip().toStdString() << " " << c.at.x() << "," << c.at.y();
            EXPECT_EQ(QWidget::mouseGrabber(), c.inside ? b : nullptr);
        }
        EXPECT_EQ(b->picture().toImage(), bar->ToolBarImageList.ListImages(b->normalImage()).toImage());
    }
    // Moving from one button to the next: the first gives up the capture on
    // its move outside, then the second takes it.
    moveTo(bar->export_, {5, 5});
    moveTo(bar->export_, {90, 5});
    moveTo(bar->saveas, {2, 5});
    EXPECT_EQ(bar->export_->shownImage(), 4);
    EXPECT_EQ(bar->saveas->shownImage(), 11);
    EXPECT_EQ(QWidget::mouseGrabber(), bar->saveas);
}

TEST_F(ToolbarTest, SaveAsWithoutRecordsDoesNothingAtAll) {
    int saves = 0;
    bool normalBeforeCommand = false;
    QObject::connect(bar.get(), &Toolbar::saveAsRequested, [&] {
        ++saves;
        normalBeforeCommand = bar->saveas->shownImage() == 12 && QWidget::mouseGrabber() == nullptr;
    });
    moveTo(bar->saveas, {10, 10});
    click(bar->saveas);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(bar->saveas->shownImage(), 11);
    EXPECT_EQ(QWidget::mouseGrabber(), bar->saveas);
    moveTo(bar->saveas, {80, 10});
    EXPECT_EQ(bar->saveas->shownImage(), 12);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    state->liveRecordCount = 1;
    moveTo(bar->saveas, {10, 10});
    click(bar->saveas);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(normalBeforeCommand);
    // Also callable directly, as the shut-down question does.
    bar->saveas_Click();
    EXPECT_EQ(saves, 2);
}

TEST_F(ToolbarTest, CommandButtonsResetThemselvesThenRunTheirCommand) {
    // Not wired: the button is reset and nothing more happens.
    moveTo(bar->export_, {10, 10});
    click(bar->export_);
    EXPECT_EQ(bar->export_->shownImage(), 4);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(state->liveRecordCount, 0);

    struct Case {
        PictureButton* b;
        void (Toolbar::*command)();
    };
    const Case cases[] = {{bar->export_, &Toolbar::exportRequested},
                          {bar->toolprint, &Toolbar::printRequested},
                          {bar->help, &Toolbar::helpRequested},
                          {bar->connect_, &Toolbar::connectRequested},
                          {bar->toolopen, &Toolbar::openRequested}};
    for (const Case& c : cases) {
        int runs = 0;
        bool reset = false;
        const QMetaObject::Connection wired = QObject::connect(bar.get(), c.command, [&] {
            ++runs;
            reset = c.b->shownImage() == c.b->normalImage() && QWidget::mouseGrabber() == nullptr;
        });
        c.b->show();
        moveTo(c.b, {10, 10});
        EXPECT_EQ(c.b->shownImage(), c.b->hoverImage());
        click(c.b);
        EXPECT_EQ(runs, 1) << c.b->toolTip().toStdString();
        EXPECT_TRUE(reset) << c.b->toolTip().toStdString();
        QObject::disconnect(wired);
    }
}

TEST_F(ToolbarTest, MinimiseCloseAndTestMessage) {
    const QImage before = bar->toolmin->picture().toImage();
    moveTo(bar->toolmin, {5, 5});
    moveTo(bar->toolmin, {50, 50});
    EXPECT_EQ(bar->toolmin->picture().toImage(), before);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // The hidden test button raises its command; the main window acts on it.
    bar->Command1_Click(); // not wired: nothing happens
    int tests = 0;
    QObject::connect(bar.get(), &Toolbar::testRequested, [&] { ++tests; });
    bar->Command1->click();
    EXPECT_EQ(tests, 1);

    click(bar->toolmin);
    EXPECT_TRUE(main.windowState() & Qt::WindowMinimized);
    main.showNormal();
    click(bar->toolclose);
    EXPECT_FALSE(main.isVisible());
}

TEST_F(ToolbarTest, BackgroundDragMovesTheMainWindow) {
    const QPoint start = main.pos();
    // A press on the background lets go of a hovered button's capture; a
    // click there moves nothing.
    moveTo(bar->help, {5, 5});
    ASSERT_EQ(QWidget::mouseGrabber(), bar->help);
    testsupport::clickOn(bar.get(), {200, 30}, Qt::RightButton);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(main.pos(), start);

    // A drag with any button moves the main window by the pointer's travel.
    testsupport::dragOn(bar.get(), {200, 30}, {60, 40}, Qt::RightButton);
    EXPECT_EQ(main.pos(), start + QPoint(60, 40));
    testsupport::dragOn(bar.get(), {700, 60}, {-20, 15}, Qt::LeftButton);
    EXPECT_EQ(main.pos(), start + QPoint(40, 55));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // The buttons keep their presses.
    testsupport::dragOn(bar->export_, {5, 5}, {60, 40});
    testsupport::dragOn(bar->toolclose, {5, 5}, {60, 40}, Qt::MiddleButton);
    EXPECT_EQ(main.pos(), start + QPoint(40, 55));
}
