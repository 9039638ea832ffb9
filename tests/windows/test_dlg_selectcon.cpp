// The connection dialog on its own, and the main window reopening its port
// on what the dialog chose, through pseudo-terminals on two port numbers.
#include "windows/dlg_selectcon.h"

#include "frame_bytes.h"
#include "main_window_rig.h"
#include "mouse_input.h"
#include "png_files.h"
#include "pty_meter.h"
#include "windows/mainform.h"
#include "windows/picture_button.h"
#include "windows/tableshow.h"
#include "windows/toolbar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

using namespace meter;
using namespace testsupport;
using namespace std::chrono_literals;

namespace {

QStringList itemsOf(const QComboBox* c) {
    QStringList items;
    for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
    return items;
}

} // namespace

// ---------------------------------------------------------------- the dialog

TEST(ConnectionDialog, DesignAfterLoad) {
    DlgSelectCon d;
    d.show();
    QApplication::processEvents();

    EXPECT_EQ(d.size(), QSize(400, 300));
    EXPECT_EQ(d.minimumSize(), d.maximumSize());
    EXPECT_TRUE(d.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(d.palette().color(QPalette::Window), QColor(0xC0, 0xFF, 0xFF));
    const QRect screen = d.screen()->availableGeometry();
    EXPECT_LE((d.geometry().center() - screen.center()).manhattanLength(), 2);

    struct Case {
        QWidget* w;
        QRect at;
        QString text;
        bool visible;
        bool hand;
    };
    const Case cases[] = {
        // in tab order
        {d.Option1, {40, 32, 177, 20}, "connect to com_port", true, true},
        {d.Combo1, {224, 32, 105, 21}, "com3", true, true},
        {d.Option2, {40, 88, 177, 20}, "connect to Internet", true, true},
        {d.Combo2, {224, 88, 105, 21}, "TCP", true, true},
        {d.Label1, {40, 136, 89, 25}, "IP Address:", false, false},
        {d.Label2, {40, 176, 89, 25}, "Port NO.:", false, false},
        {d.Text1, {128, 136, 49, 25}, "", false, false},
        {d.Text2, {184, 136, 49, 25}, "", false, false},
        {d.Text3, {240, 136, 49, 25}, "", false, false},
        {d.Text4, {296, 136, 49, 25}, "", false, false},
        {d.Text5, {128, 176, 65, 25}, "", false, false},
        {d.Label3, {176, 136, 9, 25}, ".", false, false},
        {d.Label4, {232, 136, 9, 25}, ".", false, false},
        {d.Label5, {288, 136, 9, 25}, ".", false, false},
        {d.connectto, {96, 256, 105, 33}, "Connect", true, true},
        {d.cancelcon, {224, 256, 105, 33}, "Cancel", true, true},
    };
    std::vector<QWidget*> tabOrder;
    for (QWidget* w = d.nextInFocusChain(); w != &d; w = w->nextInFocusChain())
        for (const Case& c : cases)
            if (w == c.w) tabOrder.push_back(w);
    ASSERT_EQ(tabOrder.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const std::string name = c.w->objectName().toStdString();
        EXPECT_EQ(tabOrder[i], c.w) << name;
        EXPECT_EQ(c.w->geometry(), c.at) << name;
        EXPECT_EQ(c.w->isVisible(), c.visible) << name;
        EXPECT_EQ(c.w->cursor().shape() == Qt::BitmapCursor, c.hand) << name;
        // Also over the parts it is made of, such as a list's edit field.
        if (c.visible) {
            QWidget* under = d.childAt(c.at.center());
            ASSERT_TRUE(under && (under == c.w || c.w->isAncestorOf(under))) << name;
            EXPECT_EQ(under->cursor().shape() == Qt::BitmapCursor, c.hand) << name;
        }
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(c.w)) text = b->text();
        if (auto* l = qobject_cast<QLabel*>(c.w)) text = l->text();
        if (auto* e = qobject_cast<QLineEdit*>(c.w)) text = e->text();
        if (auto* x = qobject_cast<QComboBox*>(c.w)) text = x->currentText();
        EXPECT_EQ(text, c.text) << name;
        if (!qobject_cast<QComboBox*>(c.w)) {
            // MS Sans Serif 12 pt, drawn in a face this machine has.
            EXPECT_EQ(c.w->font().pixelSize(), 16) << name;
            EXPECT_TRUE(c.w->font().families().contains("Liberation Sans")) << name;
        }
    }

    EXPECT_EQ(itemsOf(d.Combo1), QStringList({"com1", "com2", "com3", "com4", "com5", "other"}));
    EXPECT_EQ(itemsOf(d.Combo2), QStringList({"TCP", "UDP"}));
    EXPECT_TRUE(d.Combo1->isEditable());
    EXPECT_TRUE(d.Combo1->isEnabled());
    EXPECT_FALSE(d.Combo2->isEnabled());
    for (QLineEdit* t : {d.Text1, d.Text2, d.Text3, d.Text4}) EXPECT_EQ(t->maxLength(), 3);
    EXPECT_GT(d.Text5->maxLength(), 3);
    EXPECT_TRUE(d.connectto->isDefault());
    EXPECT_FALSE(d.cancelcon->isDefault());
    for (QRadioButton* o : {d.Option1, d.Option2}) {
        EXPECT_TRUE(o->autoFillBackground());
    }
    EXPECT_FALSE(d.Label1->autoFillBackground());
    EXPECT_TRUE(d.Label3->autoFillBackground());
    EXPECT_EQ(d.Label3->palette().color(QPalette::Window), QColor(Qt::white));
    // Option1, first in tab order, took the focus and with it the selection.
    EXPECT_EQ(d.focusWidget(), d.Option1);
    EXPECT_TRUE(d.Option1->isChecked());
    EXPECT_FALSE(d.Option2->isChecked());

    const QImage portList = d.grab().toImage();
    savePng(portList, "dlg_selectcon.png");
    EXPECT_EQ(QColor(portList.pixel(3, 3)).blue(), 255); // the light background picture
    // The option buttons' captions on their grey.
    const QRect option = d.Option1->geometry();
    EXPECT_EQ(QColor(portList.pixel(option.right() - 2, option.top() + 2)), QColor(0xC0, 0xC0, 0xC0));

    d.Option2->click();
    QTest::keyClicks(d.Text1, "192");
    QTest::keyClicks(d.Text2, "168");
    QTest::keyClicks(d.Text3, "1");
    QTest::keyClicks(d.Text4, "20");
    QTest::keyClicks(d.Text5, "8080");
    d.connectto->setFocus(); // no box drawn with the focus
    const QImage internet = d.grab().toImage();
    savePng(internet, "dlg_selectcon_internet.png");
    // The white dots lie beneath the address boxes: each box shows its whole
    // border, as the port box beside no dot does, also where a dot touches it.
    const QRect port = d.Text5->geometry();
    const QColor border = internet.pixelColor(port.left(), port.center().y());
    ASSERT_NE(border, QColor(Qt::white));
    for (QLineEdit* box : {d.Text1, d.Text2, d.Text3, d.Text4}) {
        const QRect r = box->geometry();
        for (int x : {r.left(), r.right()})
            EXPECT_EQ(internet.pixelColor(x, r.center().y()), border) << box->objectName().toStdString() << " " << x;
    }
}

TEST(ConnectionDialog, OptionsSwitchTheControlsAndOption1EmptiesTheBoxes) {
    DlgSelectCon d; // not shown: no option selected
    EXPECT_FALSE(d.Option1->isChecked());
    EXPECT_FALSE(d.Option2->isChecked());
    const std::vector<QLineEdit*> boxes = {d.Text1, d.Text2, d.Text3, d.Text4, d.Text5};
    const std::vector<QLabel*> labels = {d.Label1, d.Label2, d.Label3, d.Label4, d.Label5};

    d.Option2->click();
    EXPECT_FALSE(d.Combo1->isEnabled());
    EXPECT_TRUE(d.Combo2->isEnabled());
    for (QLabel* l : labels) EXPECT_FALSE(l->isHidden()) << l->objectName().toStdString();
    for (QLineEdit* t : boxes) {
        EXPECT_FALSE(t->isHidden());
        t->setText("12");
    }
    d.Option2_Click(); // again: the boxes keep their texts
    for (QLineEdit* t : boxes) EXPECT_EQ(t->text(), "12");

    d.Option1->click();
    EXPECT_TRUE(d.Combo1->isEnabled());
    EXPECT_FALSE(d.Combo2->isEnabled());
    for (QLabel* l : labels) EXPECT_TRUE(l->isHidden());
    for (QLineEdit* t : boxes) {
        EXPECT_TRUE(t->isHidden());
        EXPECT_EQ(t->text(), "") << t->objectName().toStdString();
    }
    d.Option2->click();
    for (QLineEdit* t : boxes) EXPECT_EQ(t->text(), "");
}

TEST(ConnectionDialog, AThirdCharacterMovesOnAndAFourthCannotBeTyped) {
    DlgSelectCon d;
    d.show();
    d.Option2->click();
    struct Case {
        QLineEdit* box;
        QLineEdit* next;
    };
    for (const Case& c : {Case{d.Text1, d.Text2}, Case{d.Text2, d.Text3}, Case{d.Text3, d.Text4}}) {
        c.box->setFocus();
        QTest::keyClicks(c.box, "19");
        EXPECT_EQ(d.focusWidget(), c.box) << c.box->objectName().toStdString();
        QTest::keyClick(c.box, Qt::Key_2);
        EXPECT_EQ(d.focusWidget(), c.next) << c.box->objectName().toStdString();
        QTest::keyClicks(c.box, "7");
        EXPECT_EQ(c.box->text(), "192");
    }
    // The last address part keeps the focus; the port box has no limit.
    d.Text4->setFocus();
    QTest::keyClicks(d.Text4, "2546");
    EXPECT_EQ(d.Text4->text(), "254");
    EXPECT_EQ(d.focusWidget(), d.Text4);
    d.Text5->setFocus();
    QTest::keyClicks(d.Text5, "1234567890");
    EXPECT_EQ(d.Text5->text(), "1234567890");
}

TEST(ConnectionDialog, ConnectGivesThePortOnlyWithThePortListSelected) {
    {
        DlgSelectCon d; // neither option selected
        d.connectto_Click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_FALSE(d.chosenPort());
    }
    {
        DlgSelectCon d;
        d.Option2->click();
        d.connectto_Click();
        EXPECT_FALSE(d.chosenPort());
    }
    {
        DlgSelectCon d;
        d.Option1->click();
        d.Combo1->setCurrentIndex(4);
        d.connectto_Click();
        EXPECT_EQ(d.chosenPort(), 5);
    }
    {
        DlgSelectCon d;
        d.Option1->click();
        d.Combo1->setEditText("com1");
        d.cancelcon_Click();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_FALSE(d.chosenPort());
    }
}

// The port list takes what was typed, letter for letter: nothing completes it
// or matches it to an item regardless of letter case, neither while typing
// nor when Return presses Connect.
TEST(ConnectionDialog, TypedPortNamesAreTakenAsTyped) {
    const struct {
        const char* typed;
        int port;
    } cases[] = {
        {"com1", 1}, {"com5", 5}, {"COM2", 3},  {"Com1", 3},  {"c", 3},
        {"co", 3},   {"com", 3},  {" com2", 3}, {"com2 ", 3}, {"oth", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        DlgSelectCon d;
        d.show();
        QApplication::processEvents();
        ASSERT_TRUE(d.Option1->isChecked());
        d.Combo1->setFocus();
        d.Combo1->lineEdit()->selectAll();
        QTest::keyClicks(d.Combo1, QString::fromLatin1(c.typed));
        EXPECT_EQ(d.Combo1->currentText().toStdString(), c.typed);
        QTest::keyClick(d.Combo1, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.Combo1->currentText().toStdString(), c.typed);
        EXPECT_EQ(d.chosenPort(), c.port);
    }
    // The network protocol list keeps what was typed as well.
    DlgSelectCon d;
    d.show();
    d.Option2->click();
    d.Combo2->setFocus();
    d.Combo2->lineEdit()->selectAll();
    QTest::keyClicks(d.Combo2, QStringLiteral("u"));
    EXPECT_EQ(d.Combo2->currentText().toStdString(), "u");
}

TEST(ConnectionDialog, KeysAndPresses) {
    QuietMouseGrabWarnings quiet;
    DlgSelectCon d;
    d.show();
    QApplication::processEvents();

    // Dragging the background moves the dialog, any button; a press on a
    // control does not (Cancel let go outside it is no click either).
    const QPoint start = d.pos();
    dragOn(&d, {10, 10}, {60, 40}, Qt::LeftButton);
    dragOn(&d, {390, 220}, {-25, 30}, Qt::RightButton);
    EXPECT_EQ(d.pos(), start + QPoint(35, 70));
    dragOn(d.Option2, {5, 5}, {60, 40});
    dragOn(d.cancelcon, {5, 5}, {0, 100});
    EXPECT_EQ(d.pos(), start + QPoint(35, 70));
    EXPECT_TRUE(d.isVisible());

    // Escape has no button to press; Enter presses Connect.
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.isVisible());
    QTest::keyClick(d.Option1, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.chosenPort(), 3);
}

// ---------------------------------------------------------------- through the main window

namespace {

// A second pseudo-terminal, made before the main window that opens it.
struct SecondLine {
    PtyMeter line2;
};

// The main window started on port 3, whose pseudo-terminal is `pty`; `line2`
// stands on port 2; no device is behind any other port.
struct ConnectRig : SecondLine, MainWindowRig {
    ConnectRig() : MainWindowRig(Options{.tty = "ttyUSB2", .morePorts = {{2, line2.slavePath()}}}) {}

    // Presses the connect button; `act` works the dialog once it is up, then
    // the dialog is closed if `act` left it open. False when no dialog came.
    bool connect(const std::function<void(DlgSelectCon&)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<DlgSelectCon*>(QApplication::activeModalWidget());
            if (!d) return;
            seen = true;
            act(*d);
            if (d->isVisible()) d->reject();
        });
        form->frmtoolbar->connect_Click();
        return seen;
    }
    // Connect with the port list's text set to `text`.
    bool connectTo(const QString& text) {
        return connect([&](DlgSelectCon& d) {
            d.Combo1->setEditText(text);
            d.connectto_Click();
        });
    }

    int port() const { return form->MSComm1->CommPort(); }
    bool open() const { return form->MSComm1->PortOpen(); }
    // Sends a frame on `line` and waits until it is recorded.
    bool record(PtyMeter& line, std::uint8_t tag) {
        const int before = count();
        line.send(frameOf(tag));
        return waitForCount(before + 1) && velocity(before + 1) == tag;
    }
};

} // namespace

TEST(Connect, MovesReceptionToTheChosenPortAndFindsTheFramesAgain) {
    ConnectRig rig;
    ASSERT_TRUE(rig.started);
    ASSERT_EQ(rig.port(), 3);
    ASSERT_TRUE(rig.record(rig.pty, 1));

    ASSERT_TRUE(rig.connectTo("com2"));
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_EQ(rig.port(), 2);
    EXPECT_TRUE(rig.open());
    EXPECT_TRUE(rig.resynchronised());

    // The new line starts in the middle of a frame: its tail is no reading,
    // and every whole frame after the meter's pause is.
    const std::vector<std::uint8_t> whole = frameOf(99);
    const std::vector<std::uint8_t> tail(whole.begin() + 25, whole.end());
    rig.line2.send(tail);
    ASSERT_TRUE(rig.waitArmed());
    rig.pty.send(frameOf(50)); // the old port: no longer heard
    for (std::uint8_t tag : {21, 22, 23}) {
        ASSERT_TRUE(rig.record(rig.line2, tag)) << int(tag);
        spin(100ms);
    }
    ASSERT_EQ(rig.count(), 4);
    EXPECT_EQ(rig.velocity(1), 1);
    EXPECT_EQ(rig.velocity(2), 21);
    EXPECT_EQ(rig.velocity(3), 22);
    EXPECT_EQ(rig.velocity(4), 23);

    // Four seconds after the last frame the readout says the line is off.
    ASSERT_TRUE(waitUntil([&] { return rig.form->frmtableshow->FIRSTLABEL->text() == "OFF"; }, 5s));
    EXPECT_EQ(rig.form->frmtableshow->SECONDLABEL->text(), "LINE");
    EXPECT_EQ(rig.count(), 4);
}

TEST(Connect, AnyTextButTheFiveNamesOpensPortThree) {
    ConnectRig rig;
    ASSERT_TRUE(rig.started);
    struct Case {
        const char* name;
        std::function<void(DlgSelectCon&)> act;
    };
    const Case cases[] = {
        {"plain Connect after load", [](DlgSelectCon& d) { d.connectto_Click(); }},
        {"COM2",
         [](DlgSelectCon& d) {
             d.Combo1->setEditText("COM2");
             d.connectto_Click();
         }},
        {"' com2'",
         [](DlgSelectCon& d) {
             d.Combo1->setEditText(" com2");
             d.connectto_Click();
         }},
        {"other",
         [](DlgSelectCon& d) {
             d.Combo1->setCurrentIndex(5);
             d.connectto_Click();
         }},
        {"Enter", [](DlgSelectCon& d) { QTest::keyClick(&d, Qt::Key_Enter); }},
    };
    std::uint8_t tag = 1;
    for (const Case& c : cases) {
        ASSERT_TRUE(rig.connectTo("com2")) << c.name;
        ASSERT_EQ(rig.port(), 2) << c.name;
        ASSERT_TRUE(rig.waitArmed());
        ASSERT_TRUE(rig.record(rig.line2, tag++)) << c.name;

        ASSERT_TRUE(rig.connect(c.act)) << c.name;
        EXPECT_EQ(rig.port(), 3) << c.name;
        EXPECT_TRUE(rig.open()) << c.name;
        ASSERT_TRUE(rig.waitArmed()) << c.name;
        EXPECT_TRUE(rig.record(rig.pty, tag++)) << c.name;
    }
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(Connect, SamePortIsClosedAndOpenedAgain) {
    ConnectRig rig;
    ASSERT_TRUE(rig.started);
    rig.pty.send({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}); // part of a frame, waiting
    ASSERT_TRUE(waitUntil([&] { return rig.form->MSComm1->InBufferCount() == 10; }, 2s));

    ASSERT_TRUE(rig.connectTo("com3"));
    EXPECT_EQ(rig.port(), 3);
    EXPECT_TRUE(rig.open());
    EXPECT_EQ(rig.form->MSComm1->InBufferCount(), 0); // closing dropped what was waiting
    EXPECT_TRUE(rig.resynchronised());
    ASSERT_TRUE(rig.waitArmed());
    EXPECT_TRUE(rig.record(rig.pty, 7));
    EXPECT_EQ(rig.count(), 1);
}

TEST(Connect, WithoutThePortListOrOnCancelThePortStaysAsItIs) {
    ConnectRig rig;
    ASSERT_TRUE(rig.started);
    rig.pty.send({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    ASSERT_TRUE(waitUntil([&] { return rig.form->MSComm1->InBufferCount() == 10; }, 2s));
    PictureButton* button = rig.form->frmtoolbar->connect_;

    struct Case {
        const char* name;
        std::function<void(DlgSelectCon&)> act;
    };
    const Case cases[] = {
        {"connect to Internet",
         [](DlgSelectCon& d) {
             d.Option2->click();
             d.Combo1->setEditText("com2");
             d.connectto_Click();
         }},
        {"no option",
         [](DlgSelectCon& d) {
             d.Combo1->setEditText("com2");
             d.Option1->setAutoExclusive(false);
             d.Option1->setChecked(false);
             d.connectto_Click();
         }},
        {"Cancel",
         [&](DlgSelectCon& d) {
             d.Combo1->setEditText("com2");
             button->showImage(button->hoverImage()); // the pointer went back over the button
             d.cancelcon->grabMouse();
             d.cancelcon->click();
             EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
             EXPECT_EQ(button->shownImage(), button->normalImage());
         }},
    };
    for (const Case& c : cases) {
        // The button's click rule runs before the dialog comes up.
        button->showImage(button->hoverImage());
        bool closed = false;
        ASSERT_TRUE(rig.connect([&](DlgSelectCon& d) {
            EXPECT_EQ(button->shownImage(), button->normalImage()) << c.name;
            c.act(d);
            closed = !d.isVisible();
        })) << c.name;
        EXPECT_TRUE(closed) << c.name;
        EXPECT_EQ(rig.port(), 3) << c.name;
        EXPECT_TRUE(rig.open()) << c.name;
        EXPECT_EQ(rig.form->MSComm1->InBufferCount(), 10) << c.name; // the port was not touched
        EXPECT_TRUE(rig.armed()) << c.name;
    }
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(Connect, AMissingPortGivesTheMessageAndLeavesNoPortOpen) {
    ConnectRig rig;
    ASSERT_TRUE(rig.started);
    ASSERT_TRUE(rig.connectTo("com4")); // no device behind port 4
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, "PortOpen error!");
    EXPECT_EQ(rig.boxes.shown[0].title, "Meter");
    EXPECT_EQ(rig.boxes.shown[0].buttons, MessageBoxes::Buttons::Ok);
    EXPECT_FALSE(rig.open());
    EXPECT_EQ(rig.port(), 4);
    rig.pty.send(frameOf(5));
    spin(200ms);
    EXPECT_EQ(rig.count(), 0);

    // A later Connect on a port that is there brings reception back.
    ASSERT_TRUE(rig.connectTo("com2"));
    EXPECT_TRUE(rig.open());
    ASSERT_TRUE(rig.waitArmed());
    EXPECT_TRUE(rig.record(rig.line2, 6));
    EXPECT_EQ(rig.boxes.shown.size(), 1u);
}

TEST(Connect, EveryClickStartsFromTheLoadedDialog) {
    ConnectRig rig;
    ASSERT_TRUE(rig.started);
    ASSERT_TRUE(rig.connect([](DlgSelectCon& d) {
        d.Option2->click();
        d.Text1->setText("10");
        d.Combo1->setEditText("com5");
        d.cancelcon_Click();
    }));
    ASSERT_TRUE(rig.connect([](DlgSelectCon& d) {
        EXPECT_TRUE(d.Option1->isChecked());
        EXPECT_FALSE(d.Option2->isChecked());
        EXPECT_EQ(d.Combo1->currentText(), "com3");
        EXPECT_TRUE(d.Text1->isHidden());
        EXPECT_EQ(d.Text1->text(), "");
        d.cancelcon_Click();
    }));
    EXPECT_EQ(rig.port(), 3);
}
