#include "mainform.h"

#include "core/serial_link.h"
#include "platform/serialcomm_map.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace meter {

namespace {
const QString kTitle = QStringLiteral("meter");

QWidget* plainPanel(QWidget* parent, int x, int y, int w, int h) {
    auto* p = new QWidget(parent);
    p->setGeometry(x, y, w, h);
    p->setAutoFillBackground(true);
    return p;
}
} // namespace

MainForm::MainForm(Environment env, QWidget* parent)
    : QWidget(parent), CommonDialog1(env.chooser), env_(std::move(env)) {
    setWindowTitle(QStringLiteral("METER"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(designWidth, designHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x80, 0xFF, 0xFF)); // &H00FFFF80&
    setPalette(pal);
    setAutoFillBackground(true);

    MSComm1 = new MSComm(env_.portPath, this);
    connect(MSComm1, &MSComm::OnComm, this, &MainForm::MSComm1_OnComm);

    TimerCheck = new QTimer(this);
    TimerCheck->setInterval(syncTickMs);
    connect(TimerCheck, &QTimer::timeout, this, &MainForm::TimerCheck_Timer);

    Timer_offline = new QTimer(this);
    Timer_offline->setInterval(offlineTimeoutMs);
    connect(Timer_offline, &QTimer::timeout, this, &MainForm::Timer_offline_Timer);
}

MainForm::~MainForm() = default;

bool MainForm::MDIForm_Load() {
    initSharedState(state);

    // No caption bar, no system menu, no sizing border.
    setWindowFlag(Qt::FramelessWindowHint, true);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect a = screen->availableGeometry();
        move(a.x() + (a.width() - width()) / 2, a.y() + (a.height() - height()) / 2);
    }

    showChildren();
    show();

    const PortLookup found = lookUpPort(readSerialDeviceMap(env_.sysfsRoot), MSComm1->CommPort());
    if (found.error == PortLookupError::KeyNotOpened) {
        endProgram(QStringLiteral("RegOpenKey error!"));
        return false;
    }
    if (found.error == PortLookupError::NoBridge) {
        endProgram(QStringLiteral(
            "No com-port! Please check out the line-connection and the device-driver-installation!"));
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
    const int toolHeight = 71;  // 1065 twips
    const int panelWidth = 194; // 2910 twips
    const int panelHeight = 479; // 7185 twips
    frmtoolbar = plainPanel(this, 0, 0, width(), toolHeight);
    frmtableshow = plainPanel(this, 0, toolHeight, panelWidth, panelHeight);
    FIRSTLABEL = new QLabel(QStringLiteral("-0.000"), frmtableshow);
    FIRSTLABEL->setGeometry(32, 80, 129, 33);
    SECONDLABEL = new QLabel(QStringLiteral("-0.000"), frmtableshow);
    SECONDLABEL->setGeometry(32, 152, 89, 33);
    frmstatus = plainPanel(this, 0, toolHeight + panelHeight, width(), height() - toolHeight - panelHeight);
    frmgraph = plainPanel(this, panelWidth, toolHeight, 723, panelHeight);
    for (QWidget* w : {frmtoolbar, frmtableshow, frmstatus, frmgraph}) w->show();
}

void MainForm::endProgram(const QString& message) {
    env_.boxes->show(message, kTitle, MessageBoxes::Buttons::Ok);
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
    FrameBytes frame{};
    if (frameGate(MSComm1->buffer(), MSComm1->CommEvent(), state.liveRecordCount, frame) !=
        GateResult::Accepted)
        return;
    Timer_offline->stop();
    handleAcceptedFrame(frame);
    Timer_offline->start();
}

void MainForm::handleAcceptedFrame(const FrameBytes& frame) {
    if (onFrameAccepted) onFrameAccepted(frame);
}

void MainForm::Timer_offline_Timer() {
    FIRSTLABEL->setText(QStringLiteral("OFF"));
    SECONDLABEL->setText(QStringLiteral("LINE"));
    Timer_offline->stop();
}

void MainForm::closeEvent(QCloseEvent* e) {
    if (!shutDownDone_) {
        shutDownDone_ = true;
        if (MSComm1->PortOpen()) MSComm1->setPortOpen(false);
        TimerCheck->stop();
        Timer_offline->stop();
        if (fileRecordCount > 1 &&
            env_.boxes->show(QStringLiteral("Do you want to save the existing graph data?"), kTitle,
                             MessageBoxes::Buttons::YesNo) == MessageBoxes::Answer::Yes) {
            // The samples report of the tool strip runs here once it exists.
        }
    }
    e->accept();
}

} // namespace meter
