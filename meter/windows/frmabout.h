// The About window: a small fixed dialog naming the instrument and its version,
// closed by a press of any mouse button on it.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPointer>

class QLabel;

namespace meter {

class MessageBoxes;

class FrmAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int clientWidth = 296;  // 4440 twips
    static constexpr int clientHeight = 101; // 1515 twips

    explicit FrmAbout(const QIcon& icon = QIcon(), QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // "Hot wire anemometer"
    QLabel* Label2 = nullptr; // "V1.0", hidden
    QLabel* Label3 = nullptr; // hidden
    QLabel* Label4 = nullptr; // "AV-62 V1.1"

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// The INFO button and the help menu items. One About window at most: it is
// built when shown while none is open and discarded when it closes.
class AboutController {
public:
    explicit AboutController(MessageBoxes& boxes, QIcon icon = QIcon());
    ~AboutController();
    AboutController(const AboutController&) = delete;
    AboutController& operator=(const AboutController&) = delete;

    // INFO (help_Click): shows the About window modelessly, the same one if
    // it is open already, and returns at once.
    void help();
    // CapAbout_Click: shows the About window modally; returns once it is closed.
    void capAbout();
    // CapContents_Click: "contents", titled "Meter".
    void capContents();

    // The open About window, or null.
    FrmAbout* window() const { return about_.data(); }

private:
    FrmAbout* ensureWindow();

    MessageBoxes& boxes_;
    QIcon icon_;
    QPointer<FrmAbout> about_;
};

} // namespace meter
