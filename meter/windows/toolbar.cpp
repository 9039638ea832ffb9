#include "windows/toolbar.h"

#include "common/window_drag.h"
#include "windows/form_kit.h"
#include "windows/toolbar_art.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

namespace meter {

Toolbar::Toolbar(SharedState& state, QWidget* mainWindow, CommonDialog& dialog, QWidget* parent)
    : QWidget(parent),
      CommonDialog1(dialog),
      ToolBarImageList(toolBarImages()),
      state_(state),
      mainWindow_(mainWindow),
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

    Label1 = makeLabel(this, {.name = "Label1",
                              .text = QStringLiteral("HW-310"),
                              .geometry = twipsRect(480, 480, 3015, 615),
                              .font = designFont(DesignFace::MSSansSerif, 24),
                              .visible = false});

    CapHelp = new QMenu(QStringLiteral("CapHelp"), this);
    CapContents = CapHelp->addAction(QStringLiteral("Contents"));
    CapAbout = CapHelp->addAction(QStringLiteral("About Valdor  K17"));
    printselect = new QMenu(QStringLiteral("printselect"), this);
    printgraph = printselect->addAction(QStringLiteral("Print Graph"));
    printdata = printselect->addAction(QStringLiteral("Print Data "));
    printalldata = printselect->addAction(QStringLiteral("Print All Data"));
    QObject::connect(printgraph, &QAction::triggered, this, &Toolbar::printgraph_Click);
    QObject::connect(printdata, &QAction::triggered, this, &Toolbar::printdata_Click);
    QObject::connect(printalldata, &QAction::triggered, this, &Toolbar::printalldata_Click);

    // Pressing the strip's own background drags the main window.
    new common::WindowDrag(this, mainWindow_);

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
    export_->endClick();
    emit exportRequested();
}

void Toolbar::saveas_Click() {
    if (state_.liveRecordCount == 0) return; // nothing at all: the hover image and capture stay
    saveas->endClick();
    emit saveAsRequested();
}

void Toolbar::toolprint_Click() {
    toolprint->endClick();
    emit printRequested();
}

void Toolbar::help_Click() {
    help->endClick();
    emit helpRequested();
}

void Toolbar::connect_Click() {
    connect_->endClick();
    emit connectRequested();
}

void Toolbar::toolopen_Click() {
    toolopen->endClick();
    emit openRequested();
}

void Toolbar::exportToExcel() {
    export_->endClick();
    emit exportToExcelRequested();
}

void Toolbar::printgraph_Click() {
    emit printGraphRequested();
}

void Toolbar::printdata_Click() {
    emit printDataRequested(printReport_);
}

void Toolbar::printalldata_Click() {
    emit printAllDataRequested(printReport_);
}

void Toolbar::toolmin_Click() {
    if (mainWindow_) mainWindow_->showMinimized();
}

void Toolbar::toolclose_Click() {
    if (mainWindow_) mainWindow_->close();
}

void Toolbar::Command1_Click() {
    emit testRequested();
}

void Toolbar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawPixmap(0, 0, background_);
}

} // namespace meter
