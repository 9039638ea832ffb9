#include "windows/toolbar.h"

#include "platform/message_boxes.h"
#include "platform/mouse_capture.h"
#include "platform/mscomm.h"
#include "platform/window_drag.h"
#include "windows/hand_cursor.h"
#include "windows/toolbar_art.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace meter {

PictureButton::PictureButton(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setCursor(handCursor());
    setAttribute(Qt::WA_NoMousePropagation);
}

void PictureButton::setPicture(const QPixmap& p) {
    picture_ = p;
    update();
}

void PictureButton::setImages(const ImageList* list, int hoverImage, int normalImage) {
    list_ = list;
    hover_ = hoverImage;
    normal_ = normalImage;
    showImage(normal_);
    resize(picture_.size());
}

void PictureButton::showImage(int n) {
    if (!list_) return;
    shown_ = n;
    setPicture(list_->ListImages(n));
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

void PictureButton::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    if (!list_) return;
    setCapture(this);
    const QPointF at = e->position();
    if (at.x() >= 0 && at.x() <= width() && at.y() >= 0 && at.y() <= height()) {
        showImage(hover_);
    } else {
        showImage(normal_);
        releaseCapture();
    }
}

void PictureButton::mousePressEvent(QMouseEvent* e) {
    e->accept();
    pressed_ = e->button() == Qt::LeftButton;
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}

Toolbar::Toolbar(SharedState& state, QWidget* mainWindow, MSComm& comm, MessageBoxes& boxes,
                 CommonDialog& dialog, QWidget* parent)
    : QWidget(parent),
      dragWindow(startWindowDrag),
      CommonDialog1(dialog),
      ToolBarImageList(toolBarImages()),
      state_(state),
      mainWindow_(mainWindow),
      comm_(comm),
      boxes_(boxes),
      background_(toolbarBackground()) {
    setObjectName(QStringLiteral("toolbar"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    move(0, 0);
    resize(designedWidth, designedHeight);

    struct Button {
        PictureButton** button;
        int left, top;
        const char* tip;
        int hover, normal;
        bool visible;
        void (Toolbar::*click)();
    };
    const Button buttons[] = {
        {&export_, 328, 24, "export to *.xls", 3, 4, true, &Toolbar::export_Click},
        {&saveas, 416, 24, " save data as file ", 11, 12, true, &Toolbar::saveas_Click},
        {&toolprint, 504, 24, "print data or graph", 9, 10, true, &Toolbar::toolprint_Click},
        {&help, 592, 24, "help", 5, 6, true, &Toolbar::help_Click},
        {&connect_, 144, -8, "connect to ValdorK17", 1, 2, false, &Toolbar::connect_Click},
        {&toolopen, 160, 0, "open datafile", 7, 8, false, &Toolbar::toolopen_Click},
    };
    for (const Button& b : buttons) {
        auto* pb = new PictureButton(this);
        pb->setImages(&ToolBarImageList, b.hover, b.normal);
        pb->move(b.left, b.top);
        pb->setToolTip(QString::fromLatin1(b.tip));
        pb->setVisible(b.visible);
        QObject::connect(pb, &PictureButton::clicked, this, b.click);
        *b.button = pb;
    }

    toolmin = new PictureButton(this);
    toolmin->setGeometry(848, 8, 29, 32);
    toolmin->setPicture(toolminPicture());
    toolmin->setToolTip(QStringLiteral("mini"));
    QObject::connect(toolmin, &PictureButton::clicked, this, &Toolbar::toolmin_Click);
    toolclose = new PictureButton(this);
    toolclose->setGeometry(880, 8, 29, 32);
    toolclose->setPicture(toolclosePicture());
    toolclose->setToolTip(QStringLiteral("close"));
    QObject::connect(toolclose, &PictureButton::clicked, this, &Toolbar::toolclose_Click);

    Command1 = new QPushButton(QStringLiteral("Command1"), this);
    Command1->setGeometry(704, 24, 65, 33);
    Command1->setAttribute(Qt::WA_NoMousePropagation);
    Command1->hide();
    QObject::connect(Command1, &QPushButton::clicked, this, &Toolbar::Command1_Click);

    Label1 = new QLabel(QStringLiteral("HW-310"), this);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(32);
    Label1->setFont(f);
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    Label1->setGeometry(32, 32, 201, 41);
    Label1->hide();

    CapHelp = new QMenu(QStringLiteral("CapHelp"), this);
    CapContents = CapHelp->addAction(QStringLiteral("Contents"));
    CapAbout = CapHelp->addAction(QStringLiteral("About Valdor  K17"));
    printselect = new QMenu(QStringLiteral("printselect"), this);
    printgraph = printselect->addAction(QStringLiteral("Print Graph"));
    printdata = printselect->addAction(QStringLiteral("Print Data "));
    printalldata = printselect->addAction(QStringLiteral("Print All Data"));

    Form_Load();
}

void Toolbar::Form_Load() {
    setMainWidth(mainWindow_ ? mainWindow_->width() : designedWidth);
    toolmin->move(toolmin->x(), 8 + 5);
    toolclose->move(toolclose->x(), 8 + 5);
}

void Toolbar::setMainWidth(int px) {
    resize(std::max(0, px), designedHeight);
}

void Toolbar::export_Click() {
    export_->showNormalImage();
    releaseCapture();
    if (onExport) onExport();
}

void Toolbar::saveas_Click() {
    if (state_.liveRecordCount == 0) return; // nothing at all: the hover image and capture stay
    releaseCapture();
    saveas->showNormalImage();
    if (onSaveAs) onSaveAs();
}

void Toolbar::toolprint_Click() {
    releaseCapture();
    toolprint->showNormalImage();
    if (onPrint) onPrint();
}

void Toolbar::help_Click() {
    releaseCapture();
    help->showNormalImage();
    if (onHelp) onHelp();
}

void Toolbar::connect_Click() {
    releaseCapture();
    connect_->showNormalImage();
    if (onConnect) onConnect();
}

void Toolbar::toolopen_Click() {
    releaseCapture();
    toolopen->showNormalImage();
    if (onOpen) onOpen();
}

void Toolbar::toolmin_Click() {
    if (mainWindow_) mainWindow_->showMinimized();
}

void Toolbar::toolclose_Click() {
    if (mainWindow_) mainWindow_->close();
}

void Toolbar::Command1_Click() {
    if (comm_.PortOpen()) boxes_.show(QStringLiteral("fdsfds"), QStringLiteral("Meter"), MessageBoxes::Buttons::Ok);
}

void Toolbar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawPixmap(0, 0, background_);
}

void Toolbar::mousePressEvent(QMouseEvent* e) {
    e->accept();
    releaseCapture();
    if (dragWindow) dragWindow(mainWindow_);
}

} // namespace meter
