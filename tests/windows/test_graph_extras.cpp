#include "windows/frmgraphshow.h"

#include "core/shared_state.h"
#include "mouse_input.h"
#include "png_files.h"
#include "wave_records.h"
#include "windows/picture_button.h"
#include "windows/zoom_band_shape.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

using namespace meter;

namespace {

QImage rgb(const QPixmap& p) { return p.toImage().convertToFormat(QImage::Format_RGB32); }

class GraphExtrasTest : public ::testing::Test {
protected:
    testsupport::QuietMouseGrabWarnings quiet;
    void SetUp() override {
        initSharedState(*state);
        testsupport::fillWaveRecords(*state, 400);
        w = std::make_unique<Frmgraphshow>(*state, regional);
    }
    void TearDown() override {
        if (QWidget* g = QWidget::mouseGrabber()) g->releaseMouse();
        w->PicUndoZoomMenu->hide();
    }

    // Records up to n stored, and the redraw the receive handler asks for.
    void receiveUpTo(int n) {
        state->liveRecordCount = n;
        w->frmrefresh();
    }

    void pickRate(const char* text) {
        const int i = w->SelectRate->findText(QString::fromLatin1(text));
        ASSERT_GE(i, 0) << text;
        w->SelectRate->setCurrentIndex(i);
        emit w->SelectRate->activated(i);
    }

    QImage plot() const { return rgb(w->Picture1->grab()); }

    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    const Regional regional;
    std::unique_ptr<Frmgraphshow> w;
};

// Black pixels of an image within a rectangle.
int blackIn(const QImage& img, QRect r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += img.pixel(x, y) == qRgb(0, 0, 0);
    return n;
}

TEST_F(GraphExtrasTest, ControlsAsStored) {
    struct Control {
        QWidget* widget;
        QRect at;
        const char* tip;  // nullptr: none
        const char* text; // a label's caption
    };
    const Control controls[] = {
        {w->btpause, {616, 0, 32, 32}, "pause graph", nullptr},
        {w->btstartorstop, {568, 0, 32, 32}, "start graph", nullptr},
        {w->btmvToup, {616, 0, 32, 32}, "to Up  (or Enter keyUp)", nullptr},
        {w->btmvTodown, {648, 0, 32, 32}, "to Down  (or Enter keyDown)", nullptr},
        {w->btmvToleft, {616, 0, 32, 32}, "to left  (or Enter keyLeft)", nullptr},
        {w->btmvToright, {656, 0, 32, 32}, "to Right  (or Enter keyRight)", nullptr},
        {w->btrealsize, {664, 0, 32, 32}, "undo zoom", nullptr},
        {w->dotLine, {504, 8, 17, 17}, nullptr, nullptr},
        {w->Label5, {536, 16, 104, 15}, nullptr, "dot-dot line "},
        {w->SelectRate, {648, 8, 65, 21}, nullptr, nullptr},
        {w->Label3, {528, 8, 112, 15}, nullptr, "Sampling Rate:"},
        {w->Label4, {608, 0, 24, 15}, nullptr, "Sec"},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE(c.widget->objectName().toStdString());
        EXPECT_EQ(c.widget->geometry(), c.at);
        EXPECT_TRUE(c.widget->isHidden());
        EXPECT_EQ(c.widget->toolTip(), QString::fromLatin1(c.tip ? c.tip : ""));
        if (auto* label = qobject_cast<QLabel*>(c.widget)) {
            EXPECT_EQ(label->text(), QString::fromLatin1(c.text));
            EXPECT_EQ(label->font().pixelSize(), 15);
            EXPECT_FALSE(label->autoFillBackground());
        } else {
            // The hand pointer, hot spot at the fingertip.
            EXPECT_EQ(c.widget->cursor().shape(), Qt::BitmapCursor);
            EXPECT_EQ(c.widget->cursor().hotSpot(), QPoint(12, 1));
        }
    }
    EXPECT_EQ(w->SelectRate->lineEdit()->cursor().shape(), Qt::BitmapCursor);

    // Design pictures: pause and start from ImageList2, the others their normal image.
    EXPECT_EQ(rgb(w->btpause->picture()), rgb(w->ImageList2.ListImages(1)));
    EXPECT_EQ(rgb(w->btstartorstop->picture()), rgb(w->ImageList2.ListImages(2)));
    struct Pair {
        PictureButton* b;
        const ImageList* list;
        int normal, hover;
    };
    const Pair pairs[] = {{w->btmvToup, &w->ImageList3, 1, 2},
                          {w->btmvTodown, &w->ImageList3, 3, 4},
                          {w->btmvToleft, &w->ImageList3, 5, 6},
                          {w->btmvToright, &w->ImageList3, 7, 8},
                          {w->btrealsize, &w->ImageList4, 1, 2}};
    for (const Pair& p : pairs) {
        EXPECT_EQ(p.b->normalImage(), p.normal);
        EXPECT_EQ(p.b->hoverImage(), p.hover);
        EXPECT_EQ(p.b->shownImage(), p.normal);
        EXPECT_EQ(rgb(p.b->picture()), rgb(p.list->ListImages(p.normal)));
    }

    EXPECT_FALSE(w->dotLine->isChecked());
    EXPECT_EQ(w->dotLine->text(), "Check1");

    EXPECT_TRUE(w->SelectRate->isEditable());
    EXPECT_EQ(w->SelectRate->currentText(), "0.5");
    QStringList items;
    for (int i = 0; i < w->SelectRate->count(); ++i) items << w->SelectRate->itemText(i);
    EXPECT_EQ(items, QStringList({"0.1", "0.2", "0.5", "1", "1.5", "2", "2.5", "3", "5"}));

    EXPECT_EQ(w->startRecTimer->interval(), 500);
    EXPECT_FALSE(w->startRecTimer->isActive());
    EXPECT_EQ(w->TimerRepire->interval(), 5321);
    EXPECT_FALSE(w->TimerRepire->isActive());
    EXPECT_FALSE(w->runORpause);

    EXPECT_EQ(w->Shape1->parentWidget(), w->Picture1);
    EXPECT_TRUE(w->Shape1->isHidden());
    EXPECT_EQ(w->Shape1->band(), (ZoomBand{144, 88, 1, 1}));
    EXPECT_TRUE(w->Shape1->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_FALSE(w->PicUndoZoomMenu->isVisible());
    EXPECT_EQ(w->PicUndoZoomMenu->title(), "PicUndoZoomMenu");
    ASSERT_EQ(w->PicUndoZoomMenu->actions().size(), 1);
    EXPECT_EQ(w->PicUndoZoomMenu->actions()[0], w->Undo_Zoom);
    EXPECT_EQ(w->Undo_Zoom->text(), "Undo Zoom");
}

// The image lists as described: sizes, backgrounds, and where the black of
// each sign lies.
TEST_F(GraphExtrasTest, ImageListsDrawnToTheirDescriptions) {
    ASSERT_EQ(w->ImageList2.count(), 2);
    ASSERT_EQ(w->ImageList3.count(), 8);
    ASSERT_EQ(w->ImageList4.count(), 2);
    struct Image {
        const ImageList* list;
        int n;
        QColor background;
    };
    const QColor cyan(125, 210, 222), light(208, 229, 244), strong(52, 147, 214);
    const Image images[] = {
        {&w->ImageList2, 1, cyan},   {&w->ImageList2, 2, cyan},   {&w->ImageList3, 1, light},
        {&w->ImageList3, 2, strong}, {&w->ImageList3, 3, light},  {&w->ImageList3, 4, strong},
        {&w->ImageList3, 5, light},  {&w->ImageList3, 6, strong}, {&w->ImageList3, 7, light},
        {&w->ImageList3, 8, strong}, {&w->ImageList4, 1, light},  {&w->ImageList4, 2, QColor(36, 144, 221)},
    };
    for (const Image& i : images) {
        const QImage img = rgb(i.list->ListImages(i.n));
        SCOPED_TRACE(i.n);
        ASSERT_EQ(img.size(), QSize(30, 30));
        for (QPoint corner : {QPoint(0, 0), QPoint(29, 0), QPoint(0, 29), QPoint(29, 29)})
            EXPECT_EQ(QColor(img.pixel(corner)), i.background);
    }

    // Pause: two bars with background between them; start: a triangle whose
    // right half, towards the apex, holds less black than its left half.
    const QImage pause = rgb(w->ImageList2.ListImages(1));
    EXPECT_EQ(pause.pixel(10, 15), qRgb(0, 0, 0));
    EXPECT_EQ(pause.pixel(19, 15), qRgb(0, 0, 0));
    EXPECT_EQ(QColor(pause.pixel(15, 15)), cyan);
    const QRect left(0, 0, 15, 30), right(15, 0, 15, 30), top(0, 0, 30, 15), bottom(0, 15, 30, 15);
    auto pointsTo = [&](const QImage& img, QRect towards, QRect away) {
        return blackIn(img, towards) > 0 && blackIn(img, towards) < blackIn(img, away);
    };
    EXPECT_TRUE(pointsTo(rgb(w->ImageList2.ListImages(2)), right, left));
    for (int n : {1, 2}) EXPECT_TRUE(pointsTo(rgb(w->ImageList3.ListImages(n)), top, bottom)) << n;
    for (int n : {3, 4}) EXPECT_TRUE(pointsTo(rgb(w->ImageList3.ListImages(n)), bottom, top)) << n;
    for (int n : {5, 6}) EXPECT_TRUE(pointsTo(rgb(w->ImageList3.ListImages(n)), left, right)) << n;
    for (int n : {7, 8}) EXPECT_TRUE(pointsTo(rgb(w->ImageList3.ListImages(n)), right, left)) << n;
    for (int n : {1, 2}) {
        const QImage disc = rgb(w->ImageList4.ListImages(n));
        EXPECT_EQ(QColor(disc.pixel(15, 15)), QColor(156, 35, 89));
        EXPECT_EQ(QColor(disc.pixel(15, 5)), QColor(255, 170, 200)); // the ring
    }

    QPixmap all(12 * 34, 30);
    all.fill(Qt::white);
    {
        QPainter p(&all);
        int x = 0;
        for (const ImageList* list : {&w->ImageList2, &w->ImageList3, &w->ImageList4})
            for (int n = 1; n <= list->count(); ++n, x += 34) p.drawPixmap(x, 0, list->ListImages(n));
    }
    testsupport::savePng(all, "graph_extras_images.png");
}

TEST_F(GraphExtrasTest, PauseClicksAfterLoading) {
    struct After {
        int clicks;
        bool paused;
        int image;
        const char* tip;
        bool recording;
    };
    const After cases[] = {
        {1, true, 2, "continue graph", false},
        {2, false, 1, "pause graph", true},
        {3, true, 2, "continue graph", false},
    };
    for (const After& c : cases) {
        SCOPED_TRACE(c.clicks);
        w = std::make_unique<Frmgraphshow>(*state, regional);
        w->TimerRepire->start(); // as though something had started it
        for (int i = 0; i < c.clicks; ++i) testsupport::clickOn(w->btpause, {10, 10});
        EXPECT_EQ(w->runORpause, c.paused);
        EXPECT_EQ(rgb(w->btpause->picture()), rgb(w->ImageList2.ListImages(c.image)));
        EXPECT_EQ(w->btpause->toolTip(), QString::fromLatin1(c.tip));
        EXPECT_EQ(w->startRecTimer->isActive(), c.recording);
        EXPECT_EQ(w->startRecTimer->interval(), 500);
        EXPECT_FALSE(w->TimerRepire->isActive());
    }
}

TEST_F(GraphExtrasTest, SamplingRateSetsTheRecordingTimer) {
    // Picked while stopped: the interval only.
    pickRate("1.5");
    EXPECT_EQ(w->startRecTimer->interval(), 1500);
    EXPECT_FALSE(w->startRecTimer->isActive());
    // The next resume starts it with that interval.
    w->btpause_Click();
    w->btpause_Click();
    EXPECT_TRUE(w->startRecTimer->isActive());
    EXPECT_EQ(w->startRecTimer->interval(), 1500);

    // Picked while running: restarted with the new period, the retry timer stopped.
    w->TimerRepire->start();
    pickRate("0.2");
    EXPECT_TRUE(w->startRecTimer->isActive());
    EXPECT_EQ(w->startRecTimer->interval(), 200);
    EXPECT_FALSE(w->TimerRepire->isActive());

    // A tick of the retry timer: the recording timer runs on, the retry timer stops.
    w->TimerRepire->start();
    w->TimerRepire_Timer();
    EXPECT_TRUE(w->startRecTimer->isActive());
    EXPECT_EQ(w->startRecTimer->interval(), 200);
    EXPECT_FALSE(w->TimerRepire->isActive());

    // Typing picks nothing, neither with Return nor on leaving the field, and
    // nothing completes the text to an item: it stays as typed.
    w->show();
    w->SelectRate->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    for (const char* typed : {"0.", "2.", "1", "5"}) {
        w->SelectRate->setFocus();
        w->SelectRate->lineEdit()->selectAll();
        QTest::keyClicks(w->SelectRate, QString::fromLatin1(typed));
        EXPECT_EQ(w->SelectRate->currentText().toStdString(), typed);
        QTest::keyClick(w->SelectRate, Qt::Key_Return);
        w->Combo1->setFocus(); // leaves the field
        EXPECT_EQ(w->SelectRate->currentText().toStdString(), typed);
        EXPECT_EQ(w->startRecTimer->interval(), 200) << typed;
    }

    // The list's text is compared as text: anything but an item gives 5000 ms.
    for (const char* other : {"0.3", "0,5", " 0.5", ""}) {
        w->SelectRate->setEditText(QString::fromLatin1("0.1"));
        w->SelectRate_Click();
        ASSERT_EQ(w->startRecTimer->interval(), 100);
        w->SelectRate->setEditText(QString::fromLatin1(other));
        w->SelectRate_Click();
        EXPECT_EQ(w->startRecTimer->interval(), 5000) << '"' << other << '"';
    }

    // Picked while paused: stays stopped.
    w->btpause_Click();
    pickRate("3");
    EXPECT_EQ(w->startRecTimer->interval(), 3000);
    EXPECT_FALSE(w->startRecTimer->isActive());
}

TEST_F(GraphExtrasTest, ZoomBandFollowsTheLeftButton) {
    const float nan = std::nanf(""), inf = std::numeric_limits<float>::infinity();
    const ZoomBand design{144, 88, 1, 1};
    enum Kind { Down, Move };
    struct Step {
        Kind kind;
        std::int16_t button;
        float x, y;
        bool shown;
        ZoomBand band;
    };
    const Step steps[] = {
        // While hidden nothing moves it; button 3 does not show it.
        {Move, 1, 10, 10, false, design},
        {Down, 3, 100, 50, false, design},
        {Down, 1, nan, 50, false, design},
        {Down, 1, 100, -inf, false, design},
        // A left press shows the band where it stands.
        {Down, 1, 100, 50, true, design},
        // Only a left move places it.
        {Move, 0, 40, 80, true, design},
        {Move, 2, 40, 80, true, design},
        {Move, 3, 40, 80, true, design},
        {Move, 1, 40, 80, true, {40, 50, 60, 30}},
        {Move, 1, 100, 20, true, {100, 20, 0, 30}},
        // Positions that are no pixel change nothing, at a press or a move.
        {Move, 1, nan, 5, true, {100, 20, 0, 30}},
        {Move, 1, 5, inf, true, {100, 20, 0, 30}},
        {Move, 1, 3e9f, 5, true, {100, 20, 0, 30}},
        {Down, 1, -inf, 5, true, {100, 20, 0, 30}},
        {Move, 1, 100, 50, true, {100, 50, 0, 0}}, // the anchor stayed at (100, 50)
        // Halves to the even pixel.
        {Down, 1, 10.5f, 11.5f, true, {100, 50, 0, 0}},
        {Move, 1, -10.5f, -11.5f, true, {-10, -12, 20, 24}},
        {Move, 1, -11.5f, 0, true, {-12, 0, 22, 12}},
        // The right button pops up the menu and leaves the band.
        {Down, 2, 300, 300, true, {-12, 0, 22, 12}},
        {Move, 1, 20, 40, true, {10, 12, 10, 28}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << (s.kind == Down ? "down " : "move ") << s.button << " at " << s.x << ","
                                        << s.y);
        if (s.kind == Down) w->zoomMouseDown(s.button, 0, s.x, s.y);
        else w->zoomMouseMove(s.button, 0, s.x, s.y);
        EXPECT_EQ(!w->Shape1->isHidden(), s.shown);
        EXPECT_EQ(w->Shape1->band(), s.band);
        EXPECT_EQ(w->PicUndoZoomMenu->isVisible(), s.kind == Down && s.button == 2);
        w->PicUndoZoomMenu->hide();
    }
}

TEST_F(GraphExtrasTest, UndoZoomAnswersTheLeftButtonAndChangesNothing) {
    receiveUpTo(150);
    w->zoomMouseDown(1, 0, 100, 50);
    w->zoomMouseMove(1, 0, 40, 80);
    w->zoomMouseDown(2, 0, 40, 80);
    ASSERT_TRUE(w->PicUndoZoomMenu->isVisible());
    const QImage before = plot();
    const GraphGeometry geometry = w->graphGeometry();

    QSignalSpy triggered(w->Undo_Zoom, &QAction::triggered);
    const QPoint item = w->PicUndoZoomMenu->actionGeometry(w->Undo_Zoom).center();
    testsupport::clickOn(w->PicUndoZoomMenu, item, Qt::RightButton);
    EXPECT_EQ(triggered.count(), 0);
    testsupport::clickOn(w->PicUndoZoomMenu, item, Qt::LeftButton);
    EXPECT_EQ(triggered.count(), 1);

    EXPECT_FALSE(w->Shape1->isHidden());
    EXPECT_EQ(w->Shape1->band(), (ZoomBand{40, 50, 60, 30}));
    EXPECT_EQ(state->graphRange, 6000.0);
    EXPECT_EQ(w->graphGeometry().base, geometry.base);
    EXPECT_EQ(w->graphGeometry().count, geometry.count);
    EXPECT_EQ(plot(), before);
}

// What of the band shows in the box: the rectangle cut to just beyond its
// edges, whatever the band's numbers; and its look over the plot.
TEST_F(GraphExtrasTest, BandDrawnWithinThePlotBox) {
    constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t huge = 4294967295LL;
    struct Case {
        ZoomBand band;
        QRect shown;
    };
    const Case cases[] = {
        {{40, 50, 60, 30}, {40, 50, 60, 30}},
        {{100, 20, 0, 30}, {100, 20, 1, 30}},
        {{100, 20, 0, 0}, {100, 20, 1, 1}},
        {{lo, lo, huge, huge}, {-2, -2, 636, 360}},
        {{-1000, 10, 10, 10}, {}},
        {{700, 10, 10, 10}, {}},
        {{-1000, 10, 1010, 10}, {-2, 10, 12, 10}},
    };
    for (const Case& c : cases) {
        w->Shape1->setBand(c.band);
        EXPECT_EQ(w->Shape1->shownRect(), c.shown) << c.band.left << "," << c.band.top;
    }

    receiveUpTo(150);
    const QImage bare = plot();
    w->zoomMouseDown(1, 0, 100, 50);
    w->zoomMouseMove(1, 0, 40, 80);
    const QImage banded = plot();
    const QRgb border = ZoomBandShape::borderColour.rgb();
    for (QPoint p : {QPoint(40, 50), QPoint(41, 51), QPoint(99, 79), QPoint(70, 51), QPoint(41, 65)})
        EXPECT_EQ(banded.pixel(p), border) << p.x() << "," << p.y();
    // Inside, the plot shows through a thin red; outside, the plot as it was.
    const QColor inside(banded.pixel(70, 70)), under(bare.pixel(70, 70));
    EXPECT_GT(inside.red(), inside.green());
    EXPECT_GT(inside.green(), 128);
    EXPECT_EQ(under, QColor(Qt::white));
    for (QPoint p : {QPoint(39, 50), QPoint(40, 49), QPoint(100, 80), QPoint(300, 200)})
        EXPECT_EQ(banded.pixel(p), bare.pixel(p)) << p.x() << "," << p.y();
}

TEST_F(GraphExtrasTest, MoveButtonsHoverWithTheirEdgesInside) {
    w->show();
    struct At {
        QPointF at;
        bool inside;
    };
    const At cases[] = {
        {{0, 0}, true},      {{32, 32}, true},  {{32, 0}, true},     {{0, 32}, true},     {{16, 16}, true},
        {{32.5, 16}, false}, {{33, 16}, false}, {{16, 32.5}, false}, {{-0.5, 16}, false}, {{16, -1}, false},
    };
    for (PictureButton* b : {w->btmvToup, w->btmvTodown, w->btmvToleft, w->btmvToright, w->btrealsize}) {
        SCOPED_TRACE(b->objectName().toStdString());
        b->show();
        for (const At& c : cases) {
            testsupport::sendMouse(b, QEvent::MouseMove, {10, 10});
            ASSERT_EQ(QWidget::mouseGrabber(), b);
            testsupport::sendMouse(b, QEvent::MouseMove, c.at);
            EXPECT_EQ(b->shownImage(), c.inside ? b->hoverImage() : b->normalImage()) << c.at.x() << "," << c.at.y();
            EXPECT_EQ(QWidget::mouseGrabber(), c.inside ? b : nullptr);
        }
        // No click action.
        testsupport::sendMouse(b, QEvent::MouseMove, {10, 10});
        testsupport::clickOn(b, {10, 10});
        EXPECT_EQ(b->shownImage(), b->hoverImage());
        EXPECT_FALSE(w->runORpause);
    }
}

// Pausing, a rate choice and the dotted-line box leave the plot as it was
// (not white), and the graph goes on growing with each record while paused.
TEST_F(GraphExtrasTest, ExtrasLeaveThePlotAlone) {
    // A window background that is not white, so a plot left white would show.
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 224));
    w->setPalette(pal);
    receiveUpTo(150);
    const QImage before = plot();
    ASSERT_EQ(QColor(before.pixel(600, 10)), QColor(255, 255, 224));

    w->btpause_Click();
    EXPECT_EQ(plot(), before);
    pickRate("2");
    EXPECT_EQ(plot(), before);
    w->dotLine->click();
    EXPECT_TRUE(w->dotLine->isChecked());
    EXPECT_EQ(w->Picture1->palette().color(QPalette::Base), QColor(255, 255, 224));
    EXPECT_EQ(plot(), before);
    w->dotLine->click();
    EXPECT_EQ(plot(), before);

    ASSERT_TRUE(w->runORpause);
    for (int n = 151; n <= 200; ++n) receiveUpTo(n);
    EXPECT_EQ(w->graphGeometry().count, 200);
    EXPECT_EQ(w->LabelB3->text(), "00:02:37"); // record 157
    const QImage grown = plot();
    EXPECT_NE(grown, before);
    // The velocity line reaches the newest record at x = 600.
    bool red = false;
    for (int y = 0; y < grown.height(); ++y) red = red || grown.pixel(600, y) == qRgb(255, 0, 0);
    EXPECT_TRUE(red);
}

// The window with every extra shown (here only) and a band stretched over the plot.
TEST_F(GraphExtrasTest, PictureWithTheExtrasShown) {
    receiveUpTo(180);
    w->show();
    for (QWidget* c : std::initializer_list<QWidget*>{w->btpause, w->btstartorstop, w->btmvToup, w->btmvTodown,
                                                      w->btmvToleft, w->btmvToright, w->btrealsize, w->dotLine,
                                                      w->Label5, w->SelectRate, w->Label3, w->Label4})
        c->show();
    w->zoomMouseDown(1, 0, 150.4f, 60.6f);
    w->zoomMouseMove(1, 0, 420, 250);
    EXPECT_EQ(w->Shape1->band(), (ZoomBand{150, 61, 270, 189}));
    testsupport::savePng(*w, "graph_window_extras.png");
}

} // namespace
