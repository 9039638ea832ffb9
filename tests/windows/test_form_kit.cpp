// Building forms: twips, design fonts, stored colours, labels and boxes.
#include "windows/form_kit.h"
#include "windows/dlg_selectcon.h"
#include "windows/frmabout.h"
#include "windows/frmgraphshow.h"
#include "windows/frmprintuse.h"
#include "windows/mainform.h"
#include "windows/statusfrm.h"
#include "windows/tableshow.h"
#include "windows/toolbar.h"

#include "mouse_input.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>

#include <functional>
#include <memory>
#include <vector>

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
    const Regional regional;
    Frmgraphshow graph(*state, regional);
    Statusfrm strip(*state, nullptr, {}, regional);
    const QString simSun = QFontInfo(designFont(DesignFace::SimSun, 11.25)).family();
    EXPECT_EQ(QFontInfo(graph.Label6->font()).family(), simSun);
    EXPECT_EQ(QFontInfo(strip.Label8->font()).family(), simSun);
    EXPECT_EQ(QFontInfo(strip.Label8->font()).pixelSize(), 15);
    FrmAbout about;
    EXPECT_EQ(QFontInfo(about.Label2->font()).family(), QFontInfo(designFont(DesignFace::MSSansSerif, 12)).family());
}

// A design font is built once for its face, size and style, and then shared.
TEST(FormKit, EachDesignFontIsBuiltOnce) {
    const QFont first = designFont(DesignFace::SimSun, 11.25);
    EXPECT_TRUE(designFont(DesignFace::SimSun, 11.25).isCopyOf(first));
    EXPECT_TRUE(pixelFont(DesignFace::SimSun, 15).isCopyOf(first));
    EXPECT_FALSE(designFont(DesignFace::SimSun, 11.25, true).isCopyOf(first));
    EXPECT_FALSE(designFont(DesignFace::SimSun, 12).isCopyOf(first));
}

// Each face is drawn in a twin of its widths, so that texts fit the room the
// design gives them.
TEST(FormKit, DesignFacesResolveToTwinsOfTheirWidths) {
    struct Case {
        DesignFace face;
        double points;
        bool bold;
        const char* family;
        const char* style;
    };
    const Case cases[] = {
        {DesignFace::SimSun, 11.25, false, "AR PL UMing CN", nullptr},
        {DesignFace::SimSun, 14.25, true, "AR PL UMing CN", nullptr},
        {DesignFace::Tahoma, 14.25, false, "Tahoma", "Regular"},
        {DesignFace::Tahoma, 14.25, true, "Tahoma", "Bold"},
        {DesignFace::MSSansSerif, 8.25, false, "MS Sans Serif", nullptr},
        // The bitmap MS Sans Serif has no strike for these sizes.
        {DesignFace::MSSansSerif, 12, true, "Liberation Sans", nullptr},
        {DesignFace::MSSansSerif, 24, false, "Liberation Sans", nullptr},
        {DesignFace::Arial, 24, false, "Liberation Sans", nullptr},
        {DesignFace::ArialUnicodeMS, 14.25, true, "Liberation Sans", nullptr},
    };
    for (const Case& c : cases) {
        const QFontInfo info(designFont(c.face, c.points, c.bold));
        EXPECT_EQ(info.family().toStdString(), c.family) << c.points;
        EXPECT_EQ(info.bold(), c.bold) << c.family << ' ' << c.points;
        if (c.style) {
            EXPECT_EQ(info.styleName().toStdString(), c.style) << c.points;
        }
    }
    // SimSun's Latin letters are half its em wide; the 8-point MS Sans Serif
    // is its 13-pixel strike, drawn as designed.
    EXPECT_DOUBLE_EQ(QFontMetricsF(designFont(DesignFace::SimSun, 11.25)).horizontalAdvance("TEMPERATURE"), 82.5);
    EXPECT_EQ(QFontInfo(designFont(DesignFace::MSSansSerif, 8.25)).pixelSize(), 13);
    EXPECT_EQ(QFontMetrics(designFont(DesignFace::MSSansSerif, 8.25)).horizontalAdvance("Sampling rate"), 64);
}

namespace {

QLabel* labelWithText(const QWidget& window, const QString& text) {
    for (QLabel* l : window.findChildren<QLabel*>())
        if (l->text() == text) return l;
    return nullptr;
}

} // namespace

// Labels the design packs closely: each text within its label, and each label
// clear of the box beside it.
TEST(FormKit, LabelsFitTheRoomTheDesignGivesThem) {
    auto state = std::make_unique<SharedState>();
    initSharedState(*state);
    const Regional regional;
    Frmgraphshow graph(*state, regional);
    Statusfrm strip(*state, nullptr, {}, regional);
    FrmPrintUse layout;

    for (const QLabel* l : {graph.Label6, graph.Label3, graph.Label4, graph.Label5}) {
        const QFontMetrics m(l->font());
        EXPECT_LE(m.horizontalAdvance(l->text()), l->width()) << l->text().toStdString();
        EXPECT_LE(m.height(), l->height()) << l->text().toStdString();
    }

    const std::pair<const QLabel*, const QWidget*> besideBoxes[] = {
        {strip.Label9, strip.Text2}, // TEMPERATURE
        {labelWithText(layout, QStringLiteral("Maximum:")), layout.MaxofAll},
        {labelWithText(layout, QStringLiteral("Minimum:")), layout.MinofAll},
        {labelWithText(layout, QStringLiteral("Start Time:")), layout.starttimetext},
        {labelWithText(layout, QStringLiteral("(Between A and B)MAX:")), layout.MaxofAB},
    };
    for (const auto& [label, box] : besideBoxes) {
        ASSERT_NE(label, nullptr);
        EXPECT_LT(label->geometry().right() + 1, box->x()) << label->text().toStdString();
    }
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
    QLabel* fixed = makeLabel(&window, {.name = "Label1",
                                        .text = QStringLiteral("<b>Fixed</b>"),
                                        .geometry = {10, 10, 120, 15},
                                        .font = FontDesign{DesignFace::SimSun, 11.25},
                                        .colour = storedColour(0x000000FF),
                                        .align = Qt::AlignRight});
    QLabel* sized = makeLabel(&window, {.text = QStringLiteral("TEMPERATURE"),
                                        .geometry = {10, 40, 0, 0},
                                        .font = FontDesign{DesignFace::SimSun, 11.25}});
    QLabel* opaque = makeLabel(&window, {.text = QStringLiteral("X10"),
                                         .geometry = {10, 70, 30, 13},
                                         .background = storedColour(0x00E0E0E0),
                                         .visible = false});
    QLineEdit* box = makeBox(
        &window, {.name = "Text1", .geometry = {10, 100, 113, 19}, .locked = true, .textColour = QColor(255, 0, 0)});
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

// A centred window, its frame included, stands at half the room the screen
// has to spare on each side, in whole pixels cut off: (800 - 300) / 2 = 250,
// not the 249 that the screen's centre pixel (399) would give.
TEST(FormKit, CentringSharesTheSpareRoomOfTheScreen) {
    auto centred = [](const QWidget& w) {
        const QRect screen = w.screen()->geometry();
        const QRect frame = w.frameGeometry();
        return screen.topLeft() + QPoint((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2);
    };
    {
        FrmAbout about; // with a title bar; centres itself when shown
        about.show();
        QApplication::processEvents();
        EXPECT_GT(about.frameGeometry().height(), about.height());
        EXPECT_EQ(about.frameGeometry().topLeft(), centred(about));
    }
    {
        FrmPrintUse layout; // borderless and larger than the screen; centred when built
        layout.show();
        QApplication::processEvents();
        EXPECT_EQ(layout.frameGeometry(), layout.geometry());
        EXPECT_EQ(layout.pos(), centred(layout));
    }
    {
        DlgSelectCon dialog; // borderless; centres itself when shown
        dialog.show();
        QApplication::processEvents();
        EXPECT_EQ(dialog.pos(), centred(dialog));
    }
    for (const QSize size : {QSize(301, 201), QSize(300, 200)}) {
        QWidget w; // framed, centred once shown
        w.resize(size);
        w.show();
        QApplication::processEvents();
        centreOnScreen(w);
        EXPECT_EQ(w.frameGeometry().topLeft(), centred(w)) << size.width();
    }
    {
        // Framed and centred before it is shown, while its frame is not yet
        // known: it is centred again, frame and all, once the frame is there.
        QWidget w;
        w.resize(300, 200);
        centreOnScreen(w);
        w.show();
        QApplication::processEvents();
        EXPECT_GT(w.frameGeometry().width(), w.width());
        EXPECT_EQ(w.frameGeometry().topLeft(), centred(w));
        // Moved afterwards, it stays where it was put.
        w.move(10, 20);
        QApplication::processEvents();
        EXPECT_EQ(w.pos(), QPoint(10, 20));
    }
}

// Labels, pictures and shapes lie on the surface of their container, beneath
// every control of it that is a window of its own (text box, list, button,
// scroll bar, picture box), and in the order they were made among themselves.
TEST(FormKit, LabelsLieBeneathTheControlsOfTheirContainer) {
    auto state = std::make_unique<SharedState>();
    initSharedState(*state);
    CommonDialog files{[](const CommonDialog::Request&) { return QString(); }};
    QWidget main;
    main.resize(MainForm::designWidth, MainForm::designHeight);
    const Regional regional;
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<Frmgraphshow>(*state, regional));
    windows.push_back(std::make_unique<Statusfrm>(*state, nullptr, Clock{}, regional));
    windows.push_back(std::make_unique<FrmAbout>());
    windows.push_back(std::make_unique<FrmPrintUse>());
    windows.push_back(std::make_unique<DlgSelectCon>());
    windows.push_back(std::make_unique<Tableshow>());
    windows.push_back(std::make_unique<Toolbar>(*state, &main, files));

    // Labels and shapes are frames; no windowed control of these windows is one.
    auto onSurface = [](const QWidget* w) { return qobject_cast<const QFrame*>(w) != nullptr; };
    int labels = 0;
    for (const auto& window : windows) {
        std::vector<QWidget*> containers = {window.get()};
        for (QWidget* w : window->findChildren<QWidget*>()) containers.push_back(w);
        for (QWidget* container : containers) {
            std::vector<QWidget*> stack; // bottom first
            for (QObject* o : container->children())
                if (o->isWidgetType() && !static_cast<QWidget*>(o)->isWindow())
                    stack.push_back(static_cast<QWidget*>(o));
            bool windowedSeen = false;
            for (QWidget* w : stack) {
                if (!onSurface(w)) {
                    windowedSeen = true;
                    continue;
                }
                if (qobject_cast<QLabel*>(w)) ++labels;
                EXPECT_FALSE(windowedSeen) << window->metaObject()->className() << ": " << w->objectName().toStdString()
                                           << " " << w->metaObject()->className() << " lies above a control";
            }
        }
    }
    EXPECT_GT(labels, 50);
}

// A label's text starts at the top unless the design centres it vertically,
// as it does the statistics strip's clock.
TEST(FormKit, LabelsStartAtTheTopUnlessCentredVertically) {
    QWidget w;
    EXPECT_EQ(makeLabel(&w, {.text = "a", .align = Qt::AlignRight})->alignment(), Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(makeLabel(&w, {.text = "b", .align = Qt::AlignLeft | Qt::AlignVCenter})->alignment(),
              Qt::AlignLeft | Qt::AlignVCenter);
    auto state = std::make_unique<SharedState>();
    initSharedState(*state);
    const Regional regional;
    const Statusfrm strip(*state, nullptr, {}, regional);
    EXPECT_EQ(strip.Label6->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(strip.Label5->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
}

// Labels made after the controls keep their order among themselves.
TEST(FormKit, LaterLabelsLieAboveEarlierOnes) {
    QWidget w;
    QLabel* first = makeLabel(&w, {.text = QStringLiteral("a"), .geometry = {0, 0, 20, 20}});
    QLineEdit* box = makeBox(&w, {.geometry = {0, 0, 20, 20}});
    QLabel* second = makeLabel(&w, {.text = QStringLiteral("b"), .geometry = {0, 0, 20, 20}});
    QLabel* third = makeLabel(&w, {.text = QStringLiteral("c"), .geometry = {0, 0, 20, 20}});
    EXPECT_EQ(w.children(), QObjectList({first, second, third, box}));
}
