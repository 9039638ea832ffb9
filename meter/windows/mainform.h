// The caption-less main window: start-up (shared state, child windows, the
// meter's port), the serial link's timers and receive handler, and shut-down.
#pragma once

#include "core/meter_frame.h"
#include "core/regional.h"
#include "core/shared_state.h"
#include "output/print_report.h"
#include "platform/common_dialog.h"
#include "platform/message_boxes.h"
#include "platform/mscomm.h"

#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

class QTimer;

namespace meter {

class AboutController;
class Frmgraphshow;
class FrmPrintUse;
class Printer;
class Offlinefrm;
class Statusfrm;
class Tableshow;
class Toolbar;

// What the outside world gives the program.
struct Environment {
    PortPathMap portPath = linuxPortPath;
    std::filesystem::path sysfsRoot = "/sys";
    MessageBoxes* boxes = nullptr; // required
    CommonDialog::Chooser chooser; // the file dialog
    Clock clock;                   // required: local date and time
    ShortDateText shortDate;       // required: today in the system's short-date form
    // Decimal separator and time format. The main window's copy is the one
    // the program goes by: its windows and commands are handed a reference.
    Regional regional;
    Printer* printer = nullptr; // none: the system's default printer
};

class MainForm : public QWidget {
    Q_OBJECT
public:
    // 13635 twips wide; tall enough for the tool strip, the readout panel and the
    // statistics strip at its designed 1800 twips.
    static constexpr int designWidth = 909;
    static constexpr int designHeight = 670;

    // Throws std::invalid_argument when the environment lacks the message
    // boxes, the clock or the short date.
    explicit MainForm(Environment env, QWidget* parent = nullptr);
    ~MainForm() override;

    // The start-up. Returns false when it ended the program (a message was shown
    // and the window closed); the caller then must not enter the event loop.
    bool MDIForm_Load();

    // Hands reception back to the synchronisation: no receive events until the
    // next silence of the meter.
    void resyncReceive();

    // Serial link.
    void TimerCheck_Timer();
    void MSComm1_OnComm();
    void Timer_offline_Timer();
    // Runs while the port's device is gone: reopens the same port number once
    // it is back and hands reception to the synchronisation.
    void Timer_reopen_Timer();

    // What the child windows raise: a key of the readout panel sends the meter
    // its command at once; the tool strip's test button shows its message
    // while the port is open.
    void sendKey(std::uint8_t keyCode);
    void Command1_Click();

    // The tool strip's connect button: a new connection dialog, shown modally;
    // a port chosen there is opened in place of the one in use.
    void connectDialog();
    // Closes the serial port and opens port n; on success reception starts
    // again on the next silence of the meter. A port that cannot be opened
    // leaves none open and says so.
    void connectPort(int commPort);

    SharedState state;

    MSComm* MSComm1 = nullptr;
    QTimer* TimerCheck = nullptr;
    QTimer* Timer_offline = nullptr;
    QTimer* Timer_reopen = nullptr; // started when the open port's device goes away
    CommonDialog CommonDialog1;

    Toolbar* frmtoolbar = nullptr;
    Tableshow* frmtableshow = nullptr;
    Statusfrm* frmstatus = nullptr;
    Frmgraphshow* frmgraph = nullptr;
    // The offline overlay, created on first use. Kept from the design; only
    // offlinetotableshow uses it.
    Offlinefrm* frmoffline();
    // The print layout window, a top-level window created on first use; it
    // closes with the main window.
    FrmPrintUse* frmprint();

    // Replaces the offline overlay by the readout panel. Kept from the design;
    // nothing in the program calls it.
    void offlinetotableshow();

    AboutController& about() { return *about_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void showChildren();
    void endProgram(const QString& message);
    void handleAcceptedFrame(const MeterFrame& frame);

    // Connects what the child windows raise to what the main window does, in
    // one place.
    void wireViews();

    Environment env_;
    std::unique_ptr<Printer> ownPrinter_;
    Printer* printer_ = nullptr;
    std::unique_ptr<AboutController> about_;
    Offlinefrm* offline_ = nullptr;
    std::unique_ptr<FrmPrintUse> printUse_;
    bool shutDownDone_ = false;
};

} // namespace meter
