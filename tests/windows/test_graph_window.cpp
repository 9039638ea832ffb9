#include "png_files.h"
#include "wave_records.h"
#include "windows/frmgraphshow.h"

#include "core/graph_ranges.h"
#include "core/shared_state.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTime>
#include <QLineEdit>
#include <QScrollBar>
#include <QAbstractItemView>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

using namespace meter;

namespace {

QString qt(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }

// The axis captions a full scale gives, from the baseline up.
QStringList captionsOf(const GraphRange& r) {
    QStringList out{"0"};
    for (const std::string_view c : r.captions) out << qt(c);
    return out;
}

// The value that the plot puts at row y under the full scale 6000.
double valueAtRow(double y) { return (354.0 - y) * 6000.0 / 354.0; }

class GraphWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        state = std::make_unique<SharedState>();
        initSharedState(*state);
        w = std::make_unique<Frmgraphshow>(*state, regional);
    }

    void setRecord(int n, double v, double t, double f, double a) { testsupport::setWaveRecord(*state, n, v, t, f, a); }
    void fillWaves(int count) { testsupport::fillWaveRecords(*state, count); }

    // What the receive handler does with the graph window after record n.
    void receive(int n) {
        state->liveRecordCount = n;
        w->NumberofAlltext->setText(QString::number(n));
        if (n > 210) {
            const int max = 10 * (n / 210) + 1;
            w->setScrollRange(1, max, state->historyView ? std::nullopt : std::optional<int>(max));
        }
        w->frmrefresh();
    }

    void pick(const QString& text) {
        const int i = w->Combo1->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        w->Combo1->setCurrentIndex(i);
        emit w->Combo1->activated(i);
    }

    QStringList axisCaptions() const {
        return {w->Label_Range0->text(), w->Label_Range1->text(), w->Label_Range2->text(), w->Label_Range3->text(),
                w->Label_Range4->text(), w->Label_Range5->text(), w->Label_Range6->text()};
    }

    // The time labels as "T" and the record number whose time they show.
    QStringList timeLabels() const {
        QStringList out;
        for (const QLabel* l : {w->LabelB0, w->LabelB1, w->LabelB2, w->LabelB3, w->LabelB4}) {
            const QTime t = QTime::fromString(l->text(), QStringLiteral("HH:mm:ss"));
            out << (t.isValid() ? "T" + QString::number(t.msecsSinceStartOfDay() / 1000) : l->text());
        }
        return out;
    }

    std::unique_ptr<SharedState> state;
    const Regional regional;
    std::unique_ptr<Frmgraphshow> w;
};

TEST_F(GraphWindowTest, LayoutAfterLoading) {
    EXPECT_EQ(w->size(), QSize(723, 479));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(224, 224, 224));

    struct Control {
        QWidget* widget;
        QRect rect;
        const char* text; // nullptr: not a label
        Qt::Alignment align;
        int fontPixels;
    };
    const Qt::Alignment L = Qt::AlignLeft, R = Qt::AlignRight, C = Qt::AlignHCenter;
    const Control controls[] = {
        {w->Label1, {232, 0, 185, 25}, "Real-Time Graph", L, 19}, // 10 twips down: 0 px
        {w->Label6, {56, 32, 48, 15}, "Range:", L, 15},
        {w->Combo1, {128, 32, 89, 20}, nullptr, {}, 0},
        {w->Label2, {224, 32, 88, 15}, "Start Time:", L, 15},
        {w->starttimetext, {336, 32, 169, 19}, nullptr, {}, 0},
        {w->Label7, {512, 32, 56, 15}, "DataNo.", L, 15},
        {w->NumberofAlltext, {568, 32, 129, 19}, nullptr, {}, 0},
        {w->Label_Range6, {0, 57, 64, 15}, "6000", R, 15},
        {w->Label_Range5, {0, 116, 64, 15}, "5000", R, 15},
        {w->Label_Range4, {0, 176, 64, 15}, "4000", R, 15},
        {w->Label_Range3, {0, 234, 64, 15}, "3000", R, 15},
        {w->Label_Range2, {0, 295, 64, 15}, "2000", R, 15},
        {w->Label_Range1, {0, 353, 64, 15}, "1000", R, 15},
        {w->Label_Range0, {24, 408, 32, 15}, "0", R, 15},
        {w->Picture1, {64, 64, 632, 356}, nullptr, {}, 0},
        {w->LabelB0, {32, 432, 120, 15}, "00:00:00", L, 15},
        {w->LabelB1, {152, 432, 136, 15}, "00:00:00", C, 15},
        {w->LabelB2, {312, 432, 136, 15}, "00:00:00", C, 15},
        {w->LabelB3, {472, 432, 136, 15}, "00:00:00", C, 15},
        {w->LabelB4, {616, 432, 120, 15}, "00:00:00", R, 15},
        {w->HScroll1, {56, 452, 649, 25}, nullptr, {}, 0},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE(c.widget->metaObject()->className());
        EXPECT_EQ(c.widget->geometry(), c.rect);
        EXPECT_FALSE(c.widget->isHidden());
        if (c.text == nullptr) continue;
        auto* label = qobject_cast<QLabel*>(c.widget);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromLatin1(c.text));
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, c.align) << c.text;
        EXPECT_EQ(label->font().pixelSize(), c.fontPixels) << c.text;
        EXPECT_FALSE(label->autoFillBackground());
    }
    EXPECT_TRUE(w->Label1->font().bold());
    EXPECT_FALSE(w->LabelB0->font().bold());

    for (QLineEdit* box : {w->starttimetext, w->NumberofAlltext}) {
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_EQ(box->text(), "0");
    }
    EXPECT_TRUE(w->Combo1->isEditable());
    EXPECT_EQ(w->Combo1->currentText(), qt(graphRanges[startRangeIndex].text));
    ASSERT_EQ(w->Combo1->count(), static_cast<int>(graphRanges.size()));
    for (int i = 0; i < w->Combo1->count(); ++i)
        EXPECT_EQ(w->Combo1->itemText(i), qt(graphRanges[static_cast<std::size_t>(i)].text)) << i;

    EXPECT_EQ(w->Picture1->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(w->HScroll1->orientation(), Qt::Horizontal);
    EXPECT_EQ(w->HScroll1->minimum(), 1);
    EXPECT_EQ(w->HScroll1->maximum(), 1);
    EXPECT_EQ(w->HScroll1->value(), 1);
    EXPECT_EQ(w->HScroll1->singleStep(), 1);
    EXPECT_EQ(w->HScroll1->pageStep(), 1);
    EXPECT_FALSE(w->HScroll1->hasTracking());

    // Stored hidden.
    EXPECT_TRUE(w->Picture2->isHidden());
    EXPECT_EQ(w->Picture2->size(), QSize(632, 356));
    for (QWidget* hidden : {static_cast<QWidget*>(w->MaxofAll), static_cast<QWidget*>(w->MinofAll),
                            static_cast<QWidget*>(w->Label8), static_cast<QWidget*>(w->Label9)})
        EXPECT_TRUE(hidden->isHidden());
    EXPECT_EQ(w->Label8->text(), "Maximum:");
    EXPECT_EQ(w->Label9->text(), "Minimum:");

    // The start values that printing and the pause button go by.
    EXPECT_EQ(w->xwidthzoom, 3.0);
    EXPECT_EQ(w->NumStartShow, 0);
    EXPECT_FALSE(w->showzoom);
    EXPECT_FALSE(w->runORpause);

    w->frmrefresh(); // no record: the labels keep their captions
    for (const QLabel* l : {w->LabelB0, w->LabelB1, w->LabelB2, w->LabelB3, w->LabelB4})
        EXPECT_EQ(l->text(), "00:00:00");
    testsupport::savePng(*w, "graph_window_empty.png");
}

TEST_F(GraphWindowTest, RangeListSetsTheFullScaleAndCaptions) {
    fillWaves(50);
    state->liveRecordCount = 50;
    // Every item, last first so that each pick changes the scale.
    for (auto r = graphRanges.rbegin(); r != graphRanges.rend(); ++r) {
        SCOPED_TRACE(std::string(r->text));
        pick(qt(r->text));
        EXPECT_EQ(state->graphRange, r->range);
        EXPECT_EQ(axisCaptions(), captionsOf(*r));
        // The redraw followed: the plot now maps with the new scale.
        EXPECT_EQ(w->graphGeometry().line(GraphSeries::Area).segments[1].y1,
                  graphY(state->liveRecords[2].area, r->range));
    }
    const GraphRange& first = graphRanges.front();

    // Typing changes nothing until an item is picked; a text that is no full
    // scale only redraws.
    w->Combo1->setEditText(qt(graphRanges.back().text));
    EXPECT_EQ(state->graphRange, first.range);
    ASSERT_EQ(findGraphRange("123"), nullptr);
    w->Combo1->setEditText("123");
    w->Combo1_Click();
    EXPECT_EQ(state->graphRange, first.range);
    EXPECT_EQ(axisCaptions(), captionsOf(first));
}

// Typing into the list's edit field is no pick: neither Return nor leaving
// the field takes a typed full scale, even one that matches an item. An item
// picked from the drop-down list, or with the arrow keys, is.
TEST_F(GraphWindowTest, TypedTextChangesNothingUntilAnItemIsPicked) {
    w->show();
    QComboBox* list = w->Combo1;
    // With the focus, as when the user types.
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    list->setFocus();
    auto typeIn = [&](const char* text) {
        list->lineEdit()->selectAll();
        QTest::keyClicks(list, QString::fromLatin1(text));
        EXPECT_EQ(list->currentText().toStdString(), text); // not completed to an item
    };
    const GraphRange& start = graphRanges[startRangeIndex];
    // The first digit of an item, which several items begin with but none is.
    const std::string digit(start.text.substr(0, 1));
    ASSERT_EQ(findGraphRange(digit), nullptr);
    typeIn(digit.c_str());
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(list->currentText().toStdString(), digit);
    // Items other than the one shown, each left in its own way.
    const std::string typed[] = {std::string(graphRanges.front().text),
                                 std::string(graphRanges[startRangeIndex + 1].text),
                                 std::string(graphRanges.back().text)};
    typeIn(typed[0].c_str());
    QTest::keyClick(list, Qt::Key_Return);
    typeIn(typed[1].c_str());
    QTest::keyClick(list->lineEdit(), Qt::Key_Enter);
    typeIn(typed[2].c_str());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(list, &out);
    EXPECT_EQ(state->graphRange, start.range);
    EXPECT_EQ(axisCaptions(), captionsOf(start));

    // A pick from the drop-down list.
    const int picked = static_cast<int>(graphRanges.size()) - 2;
    const GraphRange& r = graphRanges[static_cast<std::size_t>(picked)];
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QModelIndex item = view->model()->index(picked, 0);
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    EXPECT_EQ(state->graphRange, r.range);
    EXPECT_EQ(axisCaptions(), captionsOf(r));

    // The arrow keys step to the next item in the list, each step a pick.
    const GraphRange& next = graphRanges[static_cast<std::size_t>(picked) + 1];
    list->setEditText(list->itemText(picked));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentText(), qt(next.text));
    EXPECT_EQ(state->graphRange, next.range);
}

TEST_F(GraphWindowTest, ScrollingBackWhileRecordsArrive) {
    fillWaves(900);
    // Up to record 210 the scroll bar stays at 1 and cannot move.
    for (int n = 1; n <= 210; ++n) receive(n);
    EXPECT_EQ(w->HScroll1->maximum(), 1);
    w->HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    w->HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(w->HScroll1->value(), 1);
    EXPECT_FALSE(state->historyView);
    EXPECT_EQ(w->graphGeometry().view, GraphView::FirstPage);
    EXPECT_EQ(timeLabels(), QStringList({"T1", "T52", "T105", "T157", "T210"}));

    // Record 211: the thumb jumps to the new maximum, the plot is empty and the
    // labels keep the first page's times.
    receive(211);
    EXPECT_EQ(w->HScroll1->maximum(), 11);
    EXPECT_EQ(w->HScroll1->value(), 11);
    EXPECT_FALSE(state->historyView);
    EXPECT_EQ(w->graphGeometry().view, GraphView::None);
    EXPECT_EQ(timeLabels(), QStringList({"T1", "T52", "T105", "T157", "T210"}));

    for (int n = 212; n <= 300; ++n) receive(n);
    EXPECT_EQ(w->graphGeometry().view, GraphView::PagedLive);
    EXPECT_EQ(w->graphGeometry().base, 210);

    // The user clicks the left arrow once: history view of records 190 on.
    w->HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(w->HScroll1->value(), 10);
    EXPECT_TRUE(state->historyView);
    EXPECT_EQ(w->graphGeometry().view, GraphView::History);
    EXPECT_EQ(w->graphGeometry().base, 189);
    EXPECT_EQ(w->graphGeometry().count, 111);
    EXPECT_EQ(timeLabels()[0], "T190");

    // Records keep arriving: the range grows, the position and the screen stay,
    // which fills up to 210 records; the count box goes on counting.
    for (int n = 301; n <= 700; ++n) receive(n);
    EXPECT_EQ(w->HScroll1->maximum(), 31);
    EXPECT_EQ(w->HScroll1->value(), 10);
    EXPECT_TRUE(state->historyView);
    EXPECT_EQ(w->graphGeometry().base, 189);
    EXPECT_EQ(w->graphGeometry().count, 210);
    EXPECT_EQ(timeLabels(), QStringList({"T190", "T241", "T294", "T346", "T399"}));
    EXPECT_EQ(w->NumberofAlltext->text(), "700");

    // Scrolling further back: position 1 shows records 1 to 210 with the stub.
    w->HScroll1->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(w->graphGeometry().base, 0);
    EXPECT_EQ(w->graphGeometry().line(GraphSeries::Velocity).segments[0].x2, 0);
    EXPECT_EQ(timeLabels()[0], "T1");
    testsupport::savePng(*w, "graph_window_history.png");

    // To the end: back to the newest records.
    w->HScroll1->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(w->HScroll1->value(), 31);
    EXPECT_FALSE(state->historyView);
    EXPECT_EQ(w->graphGeometry().view, GraphView::PagedLive);
    EXPECT_EQ(w->graphGeometry().base, 630);
    receive(701);
    EXPECT_EQ(w->HScroll1->value(), 31);
    EXPECT_EQ(w->graphGeometry().count, 71);
    EXPECT_EQ(timeLabels()[0], "T631");
}

TEST_F(GraphWindowTest, FullStoreScrollsToTheLastHistoryPosition) {
    fillWaves(50000);
    receive(50000);
    EXPECT_EQ(w->HScroll1->maximum(), 2381);
    w->HScroll1->setValue(2380);
    EXPECT_TRUE(state->historyView);
    EXPECT_EQ(w->graphGeometry().base, 49959);
    EXPECT_EQ(w->graphGeometry().count, 41);
    EXPECT_EQ(timeLabels(), QStringList({"T49960", " ", " ", " ", " "}));
}

// The pixels of the plot box: each series in its colour along its segments,
// nothing elsewhere, a gap where a reading is invalid, and the dotted grid
// above the series.
TEST_F(GraphWindowTest, PlotPixelsFollowTheSegments) {
    const double vel[] = {40, 60, 80, -1, 120, 140, 160}; // rows; -1: invalid reading
    const int count = 7;
    for (int n = 1; n <= count; ++n) {
        const double vy = vel[n - 1];
        setRecord(n, vy < 0 ? invalidReading : valueAtRow(vy),
                  1000,                    // row 295, on a grid line
                  valueAtRow(250 - 5 * n), // rising
                  valueAtRow(330));        // flat near the bottom
    }
    state->liveRecordCount = count;
    w->frmrefresh();
    const QImage img = w->Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(img.size(), QSize(632, 356));

    const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0)};
    const QRgb background = w->Picture1->palette().color(QPalette::Base).rgb() | 0xff000000;
    const GraphGeometry& g = w->graphGeometry();

    auto onGrid = [](int x, int y) {
        for (int gy : {59, 118, 177, 236, 295})
            if (y == gy && x % 2 == 0) return true;
        for (int gx : {160, 311, 472})
            if (x == gx && y <= 352 && (352 - y) % 2 == 0) return true;
        return false;
    };
    // Distance from a pixel centre to the nearest drawn segment of a series.
    auto distance = [&](int series, int px, int py) {
        double best = 1e9;
        const GraphSeriesLine& line = g.series[static_cast<std::size_t>(series)];
        for (int i = 0; i < line.count; ++i) {
            const GraphSegment& s = line.segments[static_cast<std::size_t>(i)];
            if (!s.drawn) continue;
            const double ax = s.x2, ay = s.y2, bx = s.x1, by = s.y1;
            const double dx = bx - ax, dy = by - ay;
            double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
            t = std::clamp(t, 0.0, 1.0);
            best = std::min(best, std::hypot(px - (ax + t * dx), py - (ay + t * dy)));
        }
        return best;
    };

    // Nothing outside the segments.
    int coloured[4] = {};
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (onGrid(x, y)) {
                EXPECT_EQ(c, colours[3]) << "grid dot " << x << "," << y;
                continue;
            }
            if (c == background) continue;
            int series = -1;
            for (int s = 0; s < 4; ++s)
                if (c == colours[s]) series = s;
            ASSERT_GE(series, 0) << "stray colour at " << x << "," << y;
            ++coloured[series];
            EXPECT_LE(distance(series, x, y), 1.0) << "series " << series << " at " << x << "," << y;
        }
    }
    for (int s = 0; s < 4; ++s) EXPECT_GT(coloured[s], 0) << s;

    // Along every drawn segment its colour is found within a pixel.
    for (int s = 0; s < 4; ++s) {
        const GraphSeriesLine& line = g.series[static_cast<std::size_t>(s)];
        for (int i = 0; i < line.count; ++i) {
            const GraphSegment& seg = line.segments[static_cast<std::size_t>(i)];
            if (!seg.drawn) continue;
            for (double t = 0.1; t < 1.0; t += 0.2) {
                const double x = seg.x2 + t * (seg.x1 - seg.x2);
                const double y = seg.y2 + t * (seg.y1 - seg.y2);
                bool found = false;
                for (int dy = -1; dy <= 1 && !found; ++dy)
                    for (int dx = -1; dx <= 1 && !found; ++dx) {
                        const QPoint p(static_cast<int>(std::lround(x)) + dx, static_cast<int>(std::lround(y)) + dy);
                        found = img.valid(p) && img.pixel(p) == colours[s];
                    }
                EXPECT_TRUE(found) << "series " << s << " segment " << seg.position << " t " << t;
            }
        }
    }

    // The velocity gap: records 3 to 5 (x 9 to 15) are not joined.
    for (int y = 0; y < img.height(); ++y)
        for (int x = 10; x <= 14; ++x) EXPECT_NE(img.pixel(x, y), colours[0]) << x << "," << y;

    // Both ends of the line are set: the newest record at x = 21 shows.
    EXPECT_EQ(img.pixel(21, 160), colours[0]);
    EXPECT_EQ(img.pixel(0, 40), colours[0]);

    // The grid lies over the temperature line on row 295.
    for (int x = 0; x <= 3 * count; ++x) EXPECT_EQ(img.pixel(x, 295), x % 2 == 0 ? colours[3] : colours[1]) << x;
}

TEST_F(GraphWindowTest, LabelsAreWrittenWhileHidden) {
    ASSERT_FALSE(w->isVisible());
    fillWaves(120);
    state->liveRecordCount = 120;
    w->frmrefresh();
    EXPECT_EQ(timeLabels(), QStringList({"T1", "T52", "T105", " ", " "}));
}

TEST_F(GraphWindowTest, FrozenPlotAndRestoreFromBackdrop) {
    fillWaves(400);
    receive(150);
    const QImage live = w->Picture1->grab().toImage();
    testsupport::savePng(*w, "graph_window_first_page.png");

    w->freezePlot();
    EXPECT_TRUE(w->Picture1->frozen());
    receive(200); // the picture stays; the labels follow
    EXPECT_EQ(w->Picture1->grab().toImage(), live);
    EXPECT_EQ(timeLabels()[3], "T157");

    w->restorePlotFromBackdrop();
    EXPECT_FALSE(w->Picture1->frozen());
    // The backdrop is the empty plot with its grid.
    const QImage backdrop = w->Picture2->image().toImage();
    GraphPlotBox empty;
    EXPECT_EQ(backdrop, empty.image().toImage());
    EXPECT_EQ(w->Picture1->picture().toImage(), backdrop);

    w->frmrefresh();
    const QImage after = w->Picture1->grab().toImage();
    EXPECT_NE(after, live);
    // Same drawing as a box that never was frozen.
    Frmgraphshow fresh(*state, regional);
    fresh.frmrefresh();
    EXPECT_EQ(after, fresh.Picture1->grab().toImage());
}

// Readings far above the full scale run off the top of the box in the history
// view; infinite and not-a-number readings are painted without harm.
TEST_F(GraphWindowTest, HugeReadingsAreCutOffAtTheBox) {
    fillWaves(400);
    setRecord(30, invalidReading, 1500, 4500, 600);
    setRecord(60, 1e300, 1500, 4500, 600);
    setRecord(90, std::numeric_limits<double>::infinity(), 1500, 4500, 600);
    setRecord(120, std::nan(""), 1500, 4500, 600);
    setRecord(150, -1e300, 1500, 4500, 600);
    for (int n = 211; n <= 400; ++n) receive(n);
    w->HScroll1->triggerAction(QAbstractSlider::SliderToMinimum);
    ASSERT_EQ(w->graphGeometry().view, GraphView::History);
    const QImage img = w->Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The spike to record 30 (x = 90) reaches the top row.
    bool top = false;
    for (int x = 87; x <= 93; ++x) top = top || img.pixel(x, 0) == qRgb(255, 0, 0);
    EXPECT_TRUE(top);
    // And the one down to record 150 (x = 450) the bottom row.
    bool bottom = false;
    for (int x = 447; x <= 453; ++x) bottom = bottom || img.pixel(x, 355) == qRgb(255, 0, 0);
    EXPECT_TRUE(bottom);
}

} // namespace
