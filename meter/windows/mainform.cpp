#include "mainform.h"

#include "core/meter_keys.h"
#include "core/readout.h"
#include "core/recording.h"
#include "core/serial_link.h"
#include "output/commands.h"
#include "output/data_file_read.h"
#include "output/graph_print.h"
#include "output/workbook_export.h"
#include "platform/printer.h"
#include "platform/serialcomm_map.h"
#include "windows/app_icon.h"
#include "windows/dlg_selectcon.h"
#include "windows/form_kit.h"
#include "windows/frmabout.h"
#include "windows/frmgraphshow.h"
#include "windows/frmprintuse.h"
#include "windows/log.h"
#include "windows/offlinefrm.h"
#include "windows/picture_button.h"
#include "windows/statusfrm.h"
#include "windows/tableshow.h"
#include "windows/toolbar.h"

#include <QAction>
#include <QCloseEvent>
#include <QTimer>

#include <optional>
#include <stdexcept>

namespace meter {

namespace {

Environment checked(Environment env) {
    if (!env.boxes) throw std::invalid_argument("The main window needs message boxes (Environment::boxes)");
    if (!env.clock) throw std::invalid_argument("The main window needs a clock (Environment::clock)");
    if (!env.shortDate) throw std::invalid_argument("The main window needs the short date (Environment::shortDate)");
    return env;
}

} // namespace

MainForm::MainForm(Environment env, QWidget* parent)
    : QWidget(parent), CommonDialog1(env.chooser), env_(checked(std::move(env))) {
    setWindowTitle(QStringLiteral("METER"));
    setWindowIcon(appIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(designWidth, designHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, storedColour(0x00FFFF80));
    setPalette(pal);
    setAutoFillBackground(true);

    MSComm1 = new MSComm(env_.portPath, this);
    connect(MSComm1, &MSComm::OnComm, this, &MainForm::MSComm1_OnComm);

    TimerCheck = new QTimer(this);
    TimerCheck->setInterval(syncTickMs);
    connect(TimerCheck, &QTimer::timeout, this, &MainForm::TimerCheck_Timer);

    if (env_.printer) {
        printer_ = env_.printer;
    } else {
        ownPrinter_ = std::make_unique<SystemPrinter>();
        printer_ = ownPrinter_.get();
    }
    about_ = std::make_unique<AboutController>(*env_.boxes, appIcon());

    Timer_offline = new QTimer(this);
    Timer_offline->setInterval(offlineTimeoutMs);
    connect(Timer_offline, &QTimer::timeout, this, &MainForm::Timer_offline_Timer);

    // An unplugged bridge takes its device with it; a look once a second finds
    // it again when it is plugged back in, without keeping the processor busy.
    Timer_reopen = new QTimer(this);
    Timer_reopen->setInterval(reopenCheckMs);
    connect(Timer_reopen, &QTimer::timeout, this, &MainForm::Timer_reopen_Timer);
    connect(MSComm1, &MSComm::portLost, Timer_reopen, qOverload<>(&QTimer::start));
}

MainForm::~MainForm() = default;

bool MainForm::MDIForm_Load() {
    initSharedState(state);

    // No caption bar, no system menu, no sizing border.
    setWindowFlag(Qt::FramelessWindowHint, true);
    centreOnScreen(*this);

    showChildren();
    show();

    const PortLookup found = lookUpPort(readSerialDeviceMap(env_.sysfsRoot), MSComm1->CommPort());
    if (found.error == PortLookupError::KeyNotOpened) {
        endProgram(QStringLiteral("RegOpenKey error!"));
        return false;
    }
    if (found.error == PortLookupError::NoBridge) {
        qCWarning(windowsLog, "No tty in %s is driven by cp210x", (env_.sysfsRoot / "class" / "tty").c_str());
        endProgram(
            QStringLiteral("No com-port! Please check out the line-connection and the device-driver-installation!"));
        return false;
    }
    MSComm1->setCommPort(static_cast<std::int16_t>(found.commPort));

    // A port that is missing or held by another program ends the program like
    // the other start-up failures, instead of leaving it deaf.
    if (!MSComm1->setPortOpen(true)) {
        endProgram(QStringLiteral("PortOpen error!"));
        return false;
    }

    TimerCheck->start();
    return true;
}

void MainForm::showChildren() {
    frmtoolbar = new Toolbar(state, this, CommonDialog1, this);
    frmtoolbar->show();
    const int toolHeight = frmtoolbar->height();

    frmtableshow = new Tableshow(this);
    frmtableshow->Form_Load(toolHeight);
    frmtableshow->show();

    frmgraph = new Frmgraphshow(state, env_.regional, this);
    frmstatus = new Statusfrm(state, this, env_.clock, env_.regional, this);
    frmstatus->Form_Load(toolHeight, frmtableshow->height());
    frmstatus->show();

    frmgraph->move(frmtableshow->width(), toolHeight);
    frmgraph->show();

    wireViews();
}

void MainForm::wireViews() {
    connect(frmtableshow, &Tableshow::keyPressed, this, &MainForm::sendKey);
    connect(frmstatus, &Statusfrm::seriesSwitched, frmgraph, &Frmgraphshow::frmrefresh);

    auto resync = [this] { resyncReceive(); };
    connect(frmtoolbar, &Toolbar::saveAsRequested, this,
            [this, resync] { saveasCommand(state, CommonDialog1, *env_.boxes, env_.clock, env_.regional, resync); });
    connect(frmtoolbar, &Toolbar::exportRequested, this,
            [this, resync] { exportCommand(state, CommonDialog1, *env_.boxes, env_.regional, resync); });
    connect(frmtoolbar, &Toolbar::printRequested, this, [this, resync] {
        GraphPrintAdapter<Frmgraphshow> graph(*frmgraph);
        printCommand(graph, *printer_, *env_.boxes, resync);
    });
    connect(frmtoolbar, &Toolbar::helpRequested, this, [this] {
        about_->help();
        resyncReceive();
    });
    connect(frmtoolbar, &Toolbar::testRequested, this, &MainForm::Command1_Click);
    connect(frmtoolbar, &Toolbar::openRequested, this, [this] {
        openDataFileCommand(state, CommonDialog1, *env_.boxes, env_.regional, [this] {
            frmgraph->OpenFileUse();
            frmgraph->frmrefresh();
        });
    });
    connect(frmtoolbar, &Toolbar::exportToExcelRequested, this,
            [this] { exportToExcelCommand(state, CommonDialog1, *env_.boxes); });
    connect(frmtoolbar, &Toolbar::printAllDataRequested, this, [this](PrintReportState& report) {
        printAllDataCommand(state, *printer_, *env_.boxes, env_.regional, report, env_.shortDate);
    });
    connect(frmtoolbar, &Toolbar::printDataRequested, this, [this](PrintReportState& report) {
        const GraphZoomView zoom{frmgraph->showzoom, frmgraph->xwidthzoom, frmgraph->NumStartShow};
        printDataCommand(state, zoom, *printer_, *env_.boxes, env_.regional, report, env_.shortDate);
    });
    connect(frmtoolbar, &Toolbar::printGraphRequested, this, [this] {
        FrmPrintUse* layout = frmprint();
        layout->show();
        layout->raise();
    });
    connect(frmtoolbar, &Toolbar::connectRequested, this, &MainForm::connectDialog);
    connect(frmtoolbar->CapAbout, &QAction::triggered, this, [this] { about_->capAbout(); });
    connect(frmtoolbar->CapContents, &QAction::triggered, this, [this] { about_->capContents(); });
}

Offlinefrm* MainForm::frmoffline() {
    if (!offline_) {
        offline_ = new Offlinefrm(this);
        offline_->Form_Load(frmtoolbar->height(), *frmtableshow);
    }
    return offline_;
}

FrmPrintUse* MainForm::frmprint() {
    if (!printUse_) printUse_ = std::make_unique<FrmPrintUse>();
    return printUse_.get();
}

void MainForm::offlinetotableshow() {
    if (Offlinefrm* o = frmoffline()) {
        o->close();
        o->deleteLater();
        offline_ = nullptr;
    }
    frmtableshow->show();
}

void MainForm::endProgram(const QString& message) {
    env_.boxes->show(message, programName, MessageBoxes::Buttons::Ok);
    close();
}

void MainForm::resyncReceive() {
    MSComm1->setRThreshold(0);
    TimerCheck->start();
}

void MainForm::TimerCheck_Timer() {
    if (syncTick(MSComm1->buffer())) TimerCheck->stop();
}

void MainForm::MSComm1_OnComm() {
    FrameBytes bytes{};
    const GateResult gate = frameGate(MSComm1->buffer(), MSComm1->CommEvent(), state.liveRecordCount, bytes);
    // Bytes from both sides of a pause: reception is off the frames' start (a
    // stray byte, a broken frame), and would stay so; find the start again.
    if (gate == GateResult::Misaligned) resyncReceive();
    if (gate != GateResult::Accepted) return;
    Timer_offline->stop();
    handleAcceptedFrame(decodeFrame(bytes));
    Timer_offline->start();
}

void MainForm::handleAcceptedFrame(const MeterFrame& frame) {
    frmtableshow->applyReadout(decodeReadout(frame, env_.regional.decimalSeparator));

    const RecordOutcome o = recordFrame(state, frame, env_.clock, env_.regional);
    if (!o.stored) return;
    frmgraph->showRecordCount(o.countText);
    if (o.startTimeText) frmgraph->showStartTime(*o.startTimeText);
    frmstatus->showStatistics(o);
    // Moving the scroll bar runs its change handler here, inside the receive event.
    if (o.scroll) frmgraph->setScrollRange(o.scroll->min, o.scroll->max, o.scroll->moveValue);
    frmgraph->frmrefresh();
}

void MainForm::Timer_offline_Timer() {
    frmtableshow->showOffline();
    Timer_offline->stop();
}

void MainForm::Timer_reopen_Timer() {
    if (!MSComm1->setPortOpen(true)) return; // still gone: look again in a second
    Timer_reopen->stop();
    qCInfo(windowsLog, "COM%d is back: reception starts again", MSComm1->CommPort());
    // The meter may be in the middle of a frame.
    resyncReceive();
}

void MainForm::sendKey(std::uint8_t keyCode) {
    const auto command = keyCommand(keyCode);
    MSComm1->Output({command.begin(), command.end()});
}

void MainForm::Command1_Click() {
    if (MSComm1->PortOpen()) env_.boxes->show(QStringLiteral("fdsfds"), programTitle, MessageBoxes::Buttons::Ok);
}

void MainForm::connectDialog() {
    DlgSelectCon dialog(this);
    // The dialog lives for this one modal run, so it is wired here.
    connect(&dialog, &DlgSelectCon::cancelled, frmtoolbar->connect_, &PictureButton::showNormalImage);
    dialog.exec();
    if (const std::optional<int> port = dialog.chosenPort()) connectPort(*port);
}

void MainForm::connectPort(int commPort) {
    // The user's choice replaces any wait for the old port to come back.
    Timer_reopen->stop();
    if (MSComm1->PortOpen()) MSComm1->setPortOpen(false);
    MSComm1->setCommPort(static_cast<std::int16_t>(commPort));
    if (!MSComm1->setPortOpen(true)) {
        if (MSComm1->PortOpen()) MSComm1->setPortOpen(false);
        env_.boxes->show(QStringLiteral("PortOpen error!"), programTitle, MessageBoxes::Buttons::Ok);
        return;
    }
    // The new line may begin in the middle of a frame: find the frames' start
    // again, as after start-up.
    resyncReceive();
}

void MainForm::closeEvent(QCloseEvent* e) {
    if (!shutDownDone_) {
        shutDownDone_ = true;
        if (MSComm1->PortOpen()) MSComm1->setPortOpen(false);
        TimerCheck->stop();
        Timer_offline->stop();
        Timer_reopen->stop();
        if (state.fileRecordCount > 1 &&
            env_.boxes->show(QStringLiteral("Do you want to save the existing graph data?"), programName,
                             MessageBoxes::Buttons::YesNo) == MessageBoxes::Answer::Yes) {
            frmtoolbar->saveas_Click();
        }
        // The windows of the program close with it, the top-level ones too.
        if (printUse_) printUse_->close();
    }
    e->accept();
}

} // namespace meter
