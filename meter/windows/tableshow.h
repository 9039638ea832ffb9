// The readout panel: the meter's front with its display emulated by labels,
// and click areas over the keys. It shows what it is given and raises the
// key presses; the main window sends them to the meter.
#pragma once

#include "core/readout.h"
#include "windows/key_area.h"

#include <QPixmap>
#include <QWidget>

#include <cstdint>
#include <string>
#include <string_view>

class QLabel;

namespace meter {

class Tableshow : public QWidget {
    Q_OBJECT
public:
    // Client area 2910 x 7185 twips.
    static constexpr int designWidth = 194;
    static constexpr int designHeight = 479;

    explicit Tableshow(QWidget* parent = nullptr);

    // Places the panel below the tool strip, at the main window's left edge.
    void Form_Load(int toolStripHeight);

    // Writes what one frame shows into the display's labels.
    void applyReadout(const ReadoutWrites& writes);

    // No data from the meter: "OFF" on line 1, "LINE" on line 2.
    void showOffline();

    // The display label of that name ("FIRSTLABEL", "Label_HOLD", ...), or nullptr.
    QLabel* label(std::string_view name) const;

    // Each key area's click: raises keyPressed with its key's code.
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

signals:
    // A key of the pictured meter was clicked: the meter is to get its command.
    void keyPressed(std::uint8_t keyCode);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void setCaption(QLabel* l, std::string_view utf8);

    QPixmap front_;
};

} // namespace meter
