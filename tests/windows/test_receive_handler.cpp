// Frames through a pseudo-terminal into the whole main window: readout,
// records, statistics, graph.
#include "frame_bytes.h"
#include "main_window_rig.h"
#include "png_files.h"
#include "core/graph_geometry.h"
#include "windows/frmgraphshow.h"
#include "windows/mainform.h"
#include "windows/statusfrm.h"
#include "windows/tableshow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <cstring>

using namespace meter;
using namespace testsupport;
using namespace std::chrono_literals;

namespace {

struct Reading {
    float display1, display2, velocity, temperature, flow, area;
    std::uint8_t velocityCode, flowCode, areaCode, temperatureCode;
};

std::vector<std::uint8_t> frameOf(const Reading& r) {
    std::vector<std::uint8_t> f(40, 0);
    auto put = [&f](int at, float v) { putFloat(f, at, v); };
    put(2, r.display1);
    put(6, r.display2);
    put(10, r.velocity);
    put(14, r.temperature);
    put(18, r.flow);
    put(22, r.area);
    f[26] = r.velocityCode;
    f[27] = r.flowCode;
    f[28] = r.areaCode;
    f[29] = r.temperatureCode;
    f[35] = 0; // line 2 shows the temperature
    return f;
}

QString unitOf(Unit u) { return QString::fromUtf8(unitText(u).data(), static_cast<int>(unitText(u).size())); }

} // namespace

TEST(ReceiveHandler, FramesBecomeRecordsStatisticsAndGraph) {
    const MainWindowRig::Options options{};
    MainWindowRig rig(options);
    ASSERT_TRUE(rig.started);
    MainForm& form = *rig.form;

    const Reading readings[] = {
        {197, 21.5f, 1, 21.5f, 1, 0.01f, 0x02, 0x01, 0x82, 0x01},
        {394, 0, 2, -3.2f, 5, 0.01f, 0x02, 0x11, 0x82, 0x01}, // flow flagged invalid
        {300, 25, 1.5f, 25, 2, 0.01f, 0x02, 0x01, 0x82, 0x01},
    };
    int sent = 0;
    for (const Reading& r : readings) {
        rig.pty.send(frameOf(r));
        ASSERT_TRUE(rig.waitForCount(++sent));
        spin(120ms); // the meter's pause between frames
    }

    const SharedState& s = form.state;
    EXPECT_EQ(s.liveRecords[1].velocity, 197);
    EXPECT_EQ(unitOf(s.liveRecords[1].velocityUnit), "ft/min");
    EXPECT_EQ(s.liveRecords[1].temperature, 21.5);
    EXPECT_EQ(s.liveRecords[1].flow, 35.31);
    EXPECT_EQ(unitOf(s.liveRecords[1].flowUnit), "CFM");
    EXPECT_EQ(s.liveRecords[1].area, 15.5);
    EXPECT_EQ(unitOf(s.liveRecords[1].areaUnit), "in2");
    EXPECT_EQ(s.liveRecords[1].dateText.view(), "10-12-2026");
    EXPECT_EQ(options.regional.timeFormat.text(s.liveRecords[1].timeText), "09:30:05");
    EXPECT_EQ(s.liveRecords[2].velocity, 394);
    EXPECT_EQ(s.liveRecords[2].temperature, 0);  // below 0 °C is stored as 0
    EXPECT_EQ(s.liveRecords[2].flow, 353146624); // invalid, in CFM
    EXPECT_EQ(s.liveRecords[3].no, 3);

    EXPECT_EQ(form.frmgraph->NumberofAlltext->text(), "3");
    EXPECT_EQ(form.frmgraph->starttimetext->text(), "10-12-2026 09:30:05");
    const char* expected[12] = {"394",
                                "25.0",
                                "70.63",
                                "15.5",
                                "197",
                                "0.0",
                                "35.31",
                                "15.5",
                                "ft/min",
                                "\xC2\xB0"
                                "C",
                                "CFM",
                                "in2"};
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(form.frmstatus->text(i)->text(), QString::fromUtf8(expected[i - 1])) << "Text" << i;

    EXPECT_EQ(form.frmtableshow->FIRSTLABEL->text(), "300");
    EXPECT_EQ(form.frmtableshow->SECONDLABEL->text(), "25");

    // All three records are on the first page, every series drawn.
    const GraphGeometry& g = form.frmgraph->graphGeometry();
    EXPECT_EQ(g.view, GraphView::FirstPage);
    EXPECT_TRUE(g.line(GraphSeries::Temperature).shown);

    testsupport::savePng(form, "mainform_run.png");

    // The series switch redraws at once, and only its own series changes.
    form.frmstatus->Check2->click();
    EXPECT_FALSE(form.state.showTemperature);
    EXPECT_FALSE(form.frmgraph->graphGeometry().line(GraphSeries::Temperature).shown);
    EXPECT_TRUE(form.frmgraph->graphGeometry().line(GraphSeries::Velocity).shown);
    form.frmstatus->Check2->click();
    EXPECT_TRUE(form.state.showTemperature);
    EXPECT_TRUE(form.frmgraph->graphGeometry().line(GraphSeries::Temperature).shown);
}
