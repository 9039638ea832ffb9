#include "windows/toolbar.h"

#include "common/window_drag.h"
#include "windows/form_kit.h"
#include "windows/toolbar_art.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

namespace meter {

namespace {

using Design = FormDesign<Toolbar>;

// The command buttons show images of the strip's image list (hover, normal)
// and take their size from them; minimise and close show 29 x 32 pixels of
// their pictures.
const Design::Control table[] = {
    Design::PictureButton{&Toolbar::export_,
                          &Toolbar::ToolBarImageList,
                          {.geometry = {328, 24, 0, 0}, .tip = "export to *.xls", .hover = 3, .normal = 4}},
    Design::PictureButton{&Toolbar::saveas,
                          &Toolbar::ToolBarImageList,
                          {.geometry = {416, 24, 0, 0}, .tip = " save data as file ", .hover = 11, .normal = 12}},
    Design::PictureButton{&Toolbar::toolprint,
                          &Toolbar::ToolBarImageList,
                          {.geometry = {504, 24, 0, 0}, .tip = "print data or graph", .hover = 9, .normal = 10}},
    Design::PictureButton{&Toolbar::help,
                          &Toolbar::ToolBarImageList,
                          {.geometry = {592, 24, 0, 0}, .tip = "help", .hover = 5, .normal = 6}},
    Design::PictureButton{
        &Toolbar::connect_,
        &Toolbar::ToolBarImageList,
        {.geometry = {144, -8, 0, 0}, .tip = "connect to ValdorK17", .hover = 1, .normal = 2, .visible = false}},
    Design::PictureButton{
        &Toolbar::toolopen,
        &Toolbar::ToolBarImageList,
        {.geometry = {160, 0, 0, 0}, .tip = "open datafile", .hover = 7, .normal = 8, .visible = false}},
    Design::PictureButton{
        &Toolbar::toolmin, nullptr, {.geometry = {848, 8, 29, 32}, .tip = "mini", .picture = toolminPicture}},
    Design::PictureButton{
        &Toolbar::toolclose, nullptr, {.geometry = {880, 8, 29, 32}, .tip = "close", .picture = toolclosePicture}},
    Design::Button{&Toolbar::Command1, {.text = "Command1", .geometry = {704, 24, 65, 33}, .visible = false}},
    Design::Label{&Toolbar::Label1,
                  {.name = "Label1",
                   .text = "HW-310",
                   .geometry = twipsRect(480, 480, 3015, 615),
                   .font = FontDesign{DesignFace::MSSansSerif, 24},
                   .visible = false}},
};

} // namespace

Toolbar::Toolbar(SharedState& state, QWidget* mainWindow, CommonDialog& dialog, QWidget* parent)
    : QWidget(parent), CommonDialog1(dialog), ToolBarImageList(toolBarImages()), state_(state), mainWindow_(mainWindow),
      background_(toolbarBackground()) {
    setObjectName(QStringLiteral("toolbar"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    move(0, 0);
    resize(designedWidth, designedHeight);

    makeControls(*this, this, table);
    QObject::connect(export_, &PictureButton::clicked, this, &Toolbar::export_Click);
    QObject::connect(saveas, &PictureButton::clicked, this, &Toolbar::saveas_Click);
    QObject::connect(toolprint, &PictureButton::clicked, this, &Toolbar::toolprint_Click);
    QObject::connect(help, &PictureButton::clicked, this, &Toolbar::help_Click);
    QObject::connect(connect_, &PictureButton::clicked, this, &Toolbar::connect_Click);
    QObject::connect(toolopen, &PictureButton::clicked, this, &Toolbar::toolopen_Click);
    QObject::connect(toolmin, &PictureButton::clicked, this, &Toolbar::toolmin_Click);
    QObject::connect(toolclose, &PictureButton::clicked, this, &Toolbar::toolclose_Click);
    QObject::connect(Command1, &QPushButton::clicked, this, &Toolbar::Command1_Click);

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

void Toolbar::setMainWidth(int px) { resize(std::max(0, px), designedHeight); }

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

void Toolbar::printgraph_Click() { emit printGraphRequested(); }

void Toolbar::printdata_Click() { emit printDataRequested(printReport_); }

void Toolbar::printalldata_Click() { emit printAllDataRequested(printReport_); }

void Toolbar::toolmin_Click() {
    if (mainWindow_) mainWindow_->showMinimized();
}

void Toolbar::toolclose_Click() {
    if (mainWindow_) mainWindow_->close();
}

void Toolbar::Command1_Click() { emit testRequested(); }

void Toolbar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawPixmap(0, 0, background_);
}

} // namespace meter
