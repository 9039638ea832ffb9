// The offline overlay: the meter's front with "No Connection" in its display
// window, laid exactly over the readout panel.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace meter {

class Offlinefrm : public QWidget {
    Q_OBJECT
public:
    // Client area 2940 x 7215 twips.
    static constexpr int designWidth = 196;
    static constexpr int designHeight = 481;

    explicit Offlinefrm(QWidget* parent = nullptr);

    // Covers the readout panel: left 0, below the tool strip, the panel's size.
    void Form_Load(int toolStripHeight, const QWidget& readoutPanel);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap front_;
};

} // namespace meter
