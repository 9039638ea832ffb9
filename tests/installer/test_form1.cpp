// The launcher window driven with real mouse events over a medium folder made for each test.
#include "artwork.h"
#include "form1.h"
#include "launcher_services.h"
#include "medium.h"
#include "mouse_input.h"
#include "picture_button.h"
#include "png_files.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <utility>
#include <vector>

using namespace installer;

namespace {

struct Shown {
    QString title;
    QString text;
};

// A medium folder (with a blank in its name) and the record its scripts write into.
class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp_.isValid());
        medium_ = tmp_.path() + QStringLiteral("/Medium Folder");
        ASSERT_TRUE(QDir().mkpath(medium_));
        record_ = tmp_.path() + QStringLiteral("/record.txt");
    }

    // A shell script at the medium path that appends its name to the record when it runs.
    void writeScript(const QString& path, const QString& name, bool executable = true) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral("#!/bin/sh\necho %1 >> '%2'\n").arg(name, record_).toUtf8());
        file.close();
        QFileDevice::Permissions perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        if (executable) perms |= QFileDevice::ExeOwner;
        ASSERT_TRUE(file.setPermissions(perms));
    }

    void writeAllScripts(bool executable = true) {
        writeScript(setupPath(medium_), QStringLiteral("setup"), executable);
        writeScript(driver32Path(medium_), QStringLiteral("x86"), executable);
        writeScript(driver64Path(medium_), QStringLiteral("x64"), executable);
    }

    int runsOf(const QString& name) const {
        QFile file(record_);
        if (!file.open(QIODevice::ReadOnly)) return 0;
        int count = 0;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line == name.toUtf8()) ++count;
        return count;
    }

    // Services that record what the window does; programs are started for real unless told not to.
    LauncherServices recordingServices(bool realStarter) {
        LauncherServices services;
        services.startProgram = [this, realStarter](const QString& path) {
            started_.push_back(path);
            return realStarter ? startDetachedProgram(path) : true;
        };
        services.showMessage = [this](QWidget*, const QString& title, const QString& text) {
            shown_.push_back({title, text});
        };
        services.moveWindow = [this](QWindow* window) {
            moved_.push_back(window);
            return systemMoves_;
        };
        return services;
    }

    static void show(Form1& form) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(57, 22)); }

    QTemporaryDir tmp_;
    QString medium_;
    QString record_;
    std::vector<QString> started_;
    std::vector<Shown> shown_;
    std::vector<QWindow*> moved_; // the window system's moves asked for
    bool systemMoves_ = false;    // whether the window system carries them out
};

struct StartCase {
    const char* label;
    PictureButton* (Form1::*button)() const;
    const char* script;
    QString (*path)(const QString&);
};

const StartCase kStartCases[] = {
    {"Software", &Form1::btn_conn, "setup", &setupPath},
    {"Driver 32", &Form1::Image1, "x86", &driver32Path},
    {"Driver 64", &Form1::Image3, "x64", &driver64Path},
};

} // namespace

TEST_F(LauncherTest, WindowIsBorderlessCentredWithButtonsInPlace) {
    Form1 form(medium_, recordingServices(false));
    show(form);

    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form.size(), QSize(636, 470));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE(std::abs(form.geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(form.geometry().center().y() - screen.center().y()), 1);

    const std::pair<PictureButton*, QRect> places[] = {
        {form.btn_conn(), QRect(56, 360, 115, 45)},
        {form.Image1(), QRect(200, 360, 115, 45)},
        {form.Image3(), QRect(336, 360, 115, 45)},
        {form.Image2(), QRect(480, 360, 115, 45)},
    };
    for (const auto& [button, place] : places) {
        EXPECT_EQ(button->geometry(), place) << button->objectName().toStdString();
        EXPECT_EQ(button->picture().size(), QSize(115, 45));
        EXPECT_EQ(button->cursor().hotSpot(), QPoint(12, 1));
        EXPECT_EQ(button->cursor().pixmap().size(), QSize(32, 32));
    }
    EXPECT_EQ(form.btn_conn()->objectName(), QStringLiteral("btn_conn"));
    EXPECT_EQ(form.Image2()->objectName(), QStringLiteral("Image2"));

    const QList<QSize> iconSizes = form.windowIcon().availableSizes();
    for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(48, 48)})
        EXPECT_TRUE(iconSizes.contains(size)) << size.width();

    // The hand's fingertip is drawn where the hot spot is.
    const QImage hand = handPicture().toImage();
    EXPECT_GT(qAlpha(hand.pixel(12, 1)), 0);
    EXPECT_EQ(qAlpha(hand.pixel(0, 0)), 0);

    // Background picture is 634 x 472; the last two columns show the window colour.
    EXPECT_EQ(backgroundPicture().size(), QSize(634, 472));
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.pixelColor(635, 100), form.palette().window().color());

    testsupport::savePng(form, "installer.png");
    // The pointer and the icon, enlarged on white so they can be looked at.
    QImage sheet(4 * 32 + 16 + 32 + 48 + 40, 4 * 32, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    {
        QPainter p(&sheet);
        p.drawPixmap(QRect(0, 0, 128, 128), handPicture());
        int x = 140;
        for (int size : {16, 32, 48}) {
            p.drawPixmap(x, 0, form.windowIcon().pixmap(size, size));
            x += size + 8;
        }
    }
    testsupport::savePng(sheet, "installer_pointer_icon.png");
}

TEST_F(LauncherTest, EachStartButtonStartsItsOwnProgramOncePerClick) {
    writeAllScripts();
    Form1 form(medium_, recordingServices(true));
    show(form);

    for (const StartCase& c : kStartCases) {
        SCOPED_TRACE(c.label);
        const QString name = QString::fromLatin1(c.script);
        click((form.*c.button)());
        EXPECT_TRUE(QTest::qWaitFor([&] { return runsOf(name) == 1; }, 10000));
        click((form.*c.button)());
        EXPECT_TRUE(QTest::qWaitFor([&] { return runsOf(name) == 2; }, 10000));
        EXPECT_TRUE(form.isVisible());
    }
    // Give stray starts a moment to show up before counting.
    QTest::qWait(200);
    for (const StartCase& c : kStartCases) EXPECT_EQ(runsOf(QString::fromLatin1(c.script)), 2) << c.label;
    ASSERT_EQ(started_.size(), 6u);
    EXPECT_EQ(started_[0], medium_ + QStringLiteral("/Software/setup.exe"));
    EXPECT_EQ(started_[2], medium_ + QStringLiteral("/Software/Driver/CP210xVCPInstaller_x86.exe"));
    EXPECT_EQ(started_[4], medium_ + QStringLiteral("/Software/Driver/CP210xVCPInstaller_x64.exe"));
    EXPECT_TRUE(shown_.empty());
    EXPECT_TRUE(moved_.empty());
}

TEST_F(LauncherTest, MissingSoftwareFolderReportsEachFullPath) {
    Form1 form(medium_, recordingServices(false));
    show(form);

    const QString notFound = QStringLiteral("File not found!\r\n");
    click(form.btn_conn());
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, notFound + medium_ + QStringLiteral("/Software/setup.exe"));

    click(form.Image1());
    ASSERT_EQ(shown_.size(), 3u);
    EXPECT_EQ(shown_[1].text, notFound + medium_ + QStringLiteral("/Software/Driver/CP210xVCPInstaller_x86.exe"));
    EXPECT_EQ(shown_[2].text, QStringLiteral("Drive type error!"));

    click(form.Image3());
    ASSERT_EQ(shown_.size(), 5u);
    EXPECT_EQ(shown_[3].text, notFound + medium_ + QStringLiteral("/Software/Driver/CP210xVCPInstaller_x64.exe"));
    EXPECT_EQ(shown_[4].text, QStringLiteral("Drive type error!"));

    for (const Shown& s : shown_) EXPECT_EQ(s.title, QStringLiteral("INSTALLER"));
    EXPECT_TRUE(started_.empty());
    EXPECT_TRUE(form.isVisible());
}

TEST_F(LauncherTest, FoldersAndHiddenFilesDoNotCountAsPrograms) {
    // A folder under the program's name is not a program.
    ASSERT_TRUE(QDir().mkpath(setupPath(medium_)));
    ASSERT_TRUE(QDir().mkpath(driver64Path(medium_)));
    Form1 form(medium_, recordingServices(false));
    show(form);

    click(form.btn_conn());
    click(form.Image3());
    ASSERT_EQ(shown_.size(), 3u);
    EXPECT_EQ(shown_[0].text, QStringLiteral("File not found!\r\n") + setupPath(medium_));
    EXPECT_EQ(shown_[1].text, QStringLiteral("File not found!\r\n") + driver64Path(medium_));
    EXPECT_EQ(shown_[2].text, QStringLiteral("Drive type error!"));
    EXPECT_TRUE(started_.empty());

    // Files inside a folder are found whatever the folder is called; a hidden file itself is not.
    writeScript(medium_ + QStringLiteral("/.hidden"), QStringLiteral("hidden"));
    EXPECT_FALSE(isOrdinaryFile(medium_ + QStringLiteral("/.hidden")));
    writeScript(driver32Path(medium_), QStringLiteral("x86"));
    EXPECT_TRUE(isOrdinaryFile(driver32Path(medium_)));
}

TEST_F(LauncherTest, ProgramThatCannotBeStartedIsReported) {
    writeAllScripts(/*executable=*/false);
    Form1 form(medium_, recordingServices(true));
    show(form);

    click(form.Image1());
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, QStringLiteral("Drive type error!"));

    click(form.Image3());
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[1].text, QStringLiteral("Drive type error!"));

    click(form.btn_conn());
    ASSERT_EQ(shown_.size(), 3u);
    EXPECT_EQ(shown_[2].text, QStringLiteral("File start error!\r\n") + setupPath(medium_));

    for (const Shown& s : shown_) EXPECT_EQ(s.title, QStringLiteral("INSTALLER"));
    EXPECT_EQ(started_.size(), 3u);
    QTest::qWait(100);
    EXPECT_EQ(runsOf(QStringLiteral("setup")) + runsOf(QStringLiteral("x86")) + runsOf(QStringLiteral("x64")), 0);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(LauncherTest, ExitClosesTheLauncher) {
    writeAllScripts();
    Form1 form(medium_, recordingServices(false));
    show(form);

    // The application runs as the launcher does; closing its only window must end it.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    safety.start(10000);
    QTimer::singleShot(0, &form, [&] { click(form.Image2()); });
    const int code = QCoreApplication::exec();
    safety.stop();

    EXPECT_EQ(code, 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(started_.empty());
    EXPECT_TRUE(shown_.empty());
}

TEST_F(LauncherTest, DraggingTheBackgroundMovesTheWindowButPressesOnButtonsDoNot) {
    writeAllScripts();
    Form1 form(medium_, recordingServices(false));
    show(form);
    const QPoint start = form.pos();

    // A click moves nothing and asks nothing of the window system.
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        QTest::mouseClick(&form, button, Qt::ShiftModifier, QPoint(20, 20));
    EXPECT_EQ(form.pos(), start);
    EXPECT_TRUE(moved_.empty());

    // Any button, any shift state: the window follows the pointer's travel.
    // The left button's move is offered to the window system first; this one
    // declines it. Between the buttons and below them is background too.
    testsupport::dragOn(&form, {20, 20}, {60, 40}, Qt::LeftButton, Qt::ShiftModifier);
    testsupport::dragOn(&form, {20, 20}, {-30, 10}, Qt::RightButton, Qt::ShiftModifier);
    testsupport::dragOn(&form, {185, 380}, {5, -45}, Qt::MiddleButton);
    EXPECT_EQ(form.pos(), start + QPoint(35, 5));
    ASSERT_EQ(moved_.size(), 1u);
    EXPECT_EQ(moved_[0], form.windowHandle());

    // A window system that takes the move carries it out alone.
    systemMoves_ = true;
    testsupport::dragOn(&form, {185, 380}, {60, 40});
    EXPECT_EQ(form.pos(), start + QPoint(35, 5));
    EXPECT_EQ(moved_.size(), 2u);

    moved_.clear();
    for (PictureButton* b : {form.btn_conn(), form.Image1(), form.Image3(), form.Image2()}) {
        testsupport::dragOn(b, {1, 1}, {60, 40}, Qt::RightButton);
        testsupport::dragOn(b, {1, 1}, {60, 40}, Qt::MiddleButton);
    }
    EXPECT_EQ(form.pos(), start + QPoint(35, 5));
    EXPECT_TRUE(moved_.empty());
    // Only the left button clicks a button.
    EXPECT_TRUE(started_.empty());
    EXPECT_TRUE(form.isVisible());

    // A press on a button released outside it is no click.
    QTest::mousePress(form.btn_conn(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(form.btn_conn(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 10));
    EXPECT_TRUE(started_.empty());
    EXPECT_TRUE(moved_.empty());
}

TEST(LauncherMessageBox, RealBoxHasTitleTextAndOkOnly) {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        box->accept();
    });
    showOkMessage(nullptr, QStringLiteral("INSTALLER"), QStringLiteral("Drive type error!"));
    EXPECT_EQ(title, QStringLiteral("INSTALLER"));
    EXPECT_EQ(text, QStringLiteral("Drive type error!"));
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}
