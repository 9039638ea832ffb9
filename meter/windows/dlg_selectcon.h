// The connection dialog: a caption-less modal window in which the user picks
// the meter's serial port from a list ("connect to com_port") or fills in a
// network address and port ("connect to Internet", which connects nothing).
// Connect closes it with its choice; the main window then reopens the port.
// Cancel closes it and leaves the port alone. Pressing its background drags it.
#pragma once

#include <QDialog>
#include <QPixmap>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace meter {

// The dialog's background: 400 x 300 pixels.
QPixmap selectConBackground();

class DlgSelectCon : public QDialog {
    Q_OBJECT
public:
    // Client area 6000 x 4500 twips.
    static constexpr int clientWidth = 400;
    static constexpr int clientHeight = 300;

    explicit DlgSelectCon(QWidget* parent = nullptr);

    // The port number Connect chose; none when the dialog was cancelled or
    // Connect ran without "connect to com_port" selected.
    std::optional<int> chosenPort() const { return chosenPort_; }

    void Form_Load();
    void Option1_Click();
    void Option2_Click();
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void connectto_Click();
    // Releases the mouse capture, raises cancelled, closes the dialog.
    void cancelcon_Click();

    // The controls, in tab order.
    QRadioButton* Option1 = nullptr; // "connect to com_port"
    QComboBox* Combo1 = nullptr;     // the port list
    QRadioButton* Option2 = nullptr; // "connect to Internet"
    QComboBox* Combo2 = nullptr;     // "TCP" / "UDP"
    QLabel* Label1 = nullptr;        // "IP Address:"
    QLabel* Label2 = nullptr;        // "Port NO.:"
    QLineEdit* Text1 = nullptr;      // the address's four parts
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr; // the network port
    QLabel* Label3 = nullptr;   // the dots between the address parts
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* connectto = nullptr; // "Connect", the default button
    QPushButton* cancelcon = nullptr; // "Cancel"

signals:
    // Cancel was pressed: the tool strip's connect button is to show its
    // normal image again. Raised before the dialog closes.
    void cancelled();

protected:
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // The port list enabled, the address and port boxes hidden and emptied.
    void showPortList();
    // The address box that takes the focus when `box` holds three characters.
    void moveOnWhenFull(QLineEdit* box, QLineEdit* next);

    QPixmap background_;
    std::optional<int> chosenPort_;
    bool focusTaken_ = false;
};

} // namespace meter
