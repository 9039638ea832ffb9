// The tool strip across the top of the main window: the command buttons
// EXPORT, SAVE AS, PRINT and INFO, minimise and close, the file dialog and
// the button pictures. Pressing its background drags the main window.
#pragma once

#include "core/shared_state.h"
#include "platform/image_list.h"

#include <QPixmap>
#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace meter {

class CommonDialog;
class MessageBoxes;
class MSComm;

// A borderless picture box showing a pixmap from its top-left corner, with
// the hand pointer over it. With images from a list it follows the hover
// rule: every mouse move captures the mouse first; a pointer inside (the
// right and bottom edges included) shows the hover image, one outside the
// normal image and releases the capture.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void setPicture(const QPixmap& p);
    const QPixmap& picture() const { return picture_; }

    // Hover and normal images by number; the button takes the normal one and
    // fits its size to it.
    void setImages(const ImageList* list, int hoverImage, int normalImage);
    int hoverImage() const { return hover_; }
    int normalImage() const { return normal_; }
    // Number of the image shown now (0 when the button has no list).
    int shownImage() const { return shown_; }
    void showImage(int n);
    void showNormalImage() { showImage(normal_); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPixmap picture_;
    const ImageList* list_ = nullptr;
    int hover_ = 0, normal_ = 0, shown_ = 0;
    bool pressed_ = false;
};

class Toolbar : public QWidget {
    Q_OBJECT
public:
    Toolbar(SharedState& state, QWidget* mainWindow, MSComm& comm, MessageBoxes& boxes, CommonDialog& dialog,
            QWidget* parent = nullptr);

    static constexpr int designedWidth = 966;
    static constexpr int designedHeight = 71;

    // Width = the main window's width; minimise and close 5 pixels down.
    // The constructor runs it with the main window's width at that time.
    void Form_Load();
    void setMainWidth(int px);

    void export_Click();
    void saveas_Click();  // also run by the shut-down question
    void toolprint_Click();
    void help_Click();
    void toolmin_Click();
    void toolclose_Click();
    void connect_Click();
    void toolopen_Click();
    void Command1_Click();

    // The commands behind the buttons, run after each button's first steps.
    // Until set they do nothing.
    std::function<void()> onExport;  // CSV export
    std::function<void()> onSaveAs;  // samples report
    std::function<void()> onPrint;   // graph printing
    std::function<void()> onHelp;    // About window
    std::function<void()> onConnect; // connection dialog (hidden button)
    std::function<void()> onOpen;    // data file reader (hidden button)

    // Starts the drag of the main window; replaceable so that tests can see it.
    std::function<void(QWidget*)> dragWindow;

    CommonDialog& CommonDialog1;
    ImageList ToolBarImageList;

    // `export` and `connect` are the buttons' names; export is a C++ keyword and
    // connect would hide QObject::connect, hence the trailing underscore.
    PictureButton* export_ = nullptr;
    PictureButton* saveas = nullptr;
    PictureButton* toolprint = nullptr;
    PictureButton* help = nullptr;
    PictureButton* toolmin = nullptr;
    PictureButton* toolclose = nullptr;
    PictureButton* connect_ = nullptr; // hidden
    PictureButton* toolopen = nullptr; // hidden
    QPushButton* Command1 = nullptr;   // hidden
    QLabel* Label1 = nullptr;          // hidden

    // Hidden menus, never popped up.
    QMenu* CapHelp = nullptr;
    QAction* CapContents = nullptr;
    QAction* CapAbout = nullptr;
    QMenu* printselect = nullptr;
    QAction* printgraph = nullptr;
    QAction* printdata = nullptr;
    QAction* printalldata = nullptr;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    SharedState& state_;
    QWidget* mainWindow_;
    MSComm& comm_;
    MessageBoxes& boxes_;
    QPixmap background_;
};

} // namespace meter
