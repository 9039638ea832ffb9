// The readout panel: the meter's front with its display emulated by labels,
// and click areas over the keys that send the meter the key's command.
#pragma once

#include "core/meter_frame.h"
#include "core/readout.h"

#include <QPixmap>
#include <QWidget>

#include <cstdint>
#include <string_view>
#include <vector>

class QLabel;

namespace meter {

class MSComm;

// The command a key of the meter sends: 0xAA 0xBB, then the key's code.
std::vector<std::uint8_t> keyCommand(std::uint8_t keyCode);

// A transparent click area over a pictured key, with the hand pointer.
// Clicked when the left button is pressed and released inside it.
class KeyArea : public QWidget {
    Q_OBJECT
public:
    KeyArea(std::uint8_t keyCode, QWidget* parent);
    std::uint8_t keyCode() const { return keyCode_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    std::uint8_t keyCode_;
    bool pressed_ = false;
};

class Tableshow : public QWidget {
    Q_OBJECT
public:
    // Client area 2910 x 7185 twips.
    static constexpr int designWidth = 194;
    static constexpr int designHeight = 479;

    explicit Tableshow(MSComm& comm, QWidget* parent = nullptr);

    // Places the panel below the tool strip, at the main window's left edge.
    void Form_Load(int toolStripHeight);

    // Writes what one accepted frame shows into the display's labels.
    void showFrame(const FrameBytes& frame, char decimalSeparator);
    void applyReadout(const ReadoutWrites& writes);

    // The display label of that name ("FIRSTLABEL", "Label_HOLD", ...), or nullptr.
    QLabel* label(std::string_view name) const;

    // Each key area's click: sends its command at once.
    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void Image5_Click();
    void Image6_Click();
    void Image7_Click();

    // The display box and its labels.
    QWidget* Picture1 = nullptr;
    QLabel* FIRSTLABEL = nullptr;
    QLabel* SECONDLABEL = nullptr;
    QLabel* Label_VEL = nullptr;
    QLabel* Label_HOLD = nullptr;
    QLabel* Label_VEL_UNIT = nullptr;
    QLabel* Label_X = nullptr;
    QLabel* Label_FUN = nullptr;
    QLabel* Label_TEMP_UNIT = nullptr;
    QLabel* Label_FLOW_UNIT = nullptr;
    QLabel* Label_MAXMIN = nullptr;
    QLabel* Label_MEAN = nullptr;
    QLabel* Label_XX = nullptr;

    // Key areas: HOLD/ZERO, FLOW/TEMP, SET, ENTER, MAX/MIN (hidden), MEAN, power.
    KeyArea* Image1 = nullptr;
    KeyArea* Image2 = nullptr;
    KeyArea* Image3 = nullptr;
    KeyArea* Image4 = nullptr;
    KeyArea* Image5 = nullptr;
    KeyArea* Image6 = nullptr;
    KeyArea* Image7 = nullptr;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void sendKey(std::uint8_t keyCode);
    void setCaption(QLabel* l, const std::string& utf8);

    MSComm& comm_;
    QPixmap front_;
};

} // namespace meter
