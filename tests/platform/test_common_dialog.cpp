#include "platform/common_dialog.h"

#include "qstring_print.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <vector>

using namespace meter;

TEST(CommonDialog, SharedStateAcrossCallersAndTheLastChoiceProposedAfterACancel) {
    std::vector<CommonDialog::Request> seen;
    std::vector<QString> answers{"/tmp/a.csv", "", "/tmp/b.txt", ""};
    CommonDialog dlg([&](const CommonDialog::Request& r) {
        seen.push_back(r);
        const QString a = answers.front();
        answers.erase(answers.begin());
        return a;
    });

    dlg.DialogTitle = "Save";
    dlg.CancelError = false;
    dlg.Filter = "csv files (*.csv)|*.csv";
    dlg.ShowSave();
    EXPECT_EQ(dlg.FileName, "/tmp/a.csv");

    // A later caller sets only its filter: the title stays, the last path is
    // proposed, and a cancel hands back an empty name although a path was
    // proposed.
    dlg.Filter = "text files (*.txt)|*.txt";
    dlg.setAction(2);
    EXPECT_EQ(dlg.FileName, "");
    // The dialog after the cancel still proposes the path chosen last.
    dlg.setAction(1);
    EXPECT_EQ(dlg.FileName, "/tmp/b.txt");
    dlg.setAction(2);
    EXPECT_EQ(dlg.FileName, "");

    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].kind, CommonDialog::Kind::SaveAs);
    EXPECT_EQ(seen[0].proposedName, "");
    EXPECT_EQ(seen[1].title, "Save");
    EXPECT_EQ(seen[1].filter, "text files (*.txt)|*.txt");
    EXPECT_EQ(seen[1].proposedName, "/tmp/a.csv");
    EXPECT_EQ(seen[2].kind, CommonDialog::Kind::Open);
    EXPECT_EQ(seen[2].proposedName, "/tmp/a.csv");
    EXPECT_EQ(seen[3].proposedName, "/tmp/b.txt");
}

namespace {

// Runs `inDialog` on the file dialog once it is shown, then lets the chooser
// return.
QString runChooser(const CommonDialog::Request& r, const std::function<void(QFileDialog&)>& inDialog) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        seen = true;
        inDialog(*d);
    });
    const QString chosen = qtFileChooser(nullptr)(r);
    EXPECT_TRUE(seen);
    return chosen;
}

} // namespace

TEST(QtFileChooser, OpenAcceptsANameThatDoesNotExistYet) {
    QTemporaryDir dir;
    const QString wanted = QDir(dir.path()).filePath("book.xls");
    const QString chosen =
        runChooser({CommonDialog::Kind::Open, {}, "Excel files (*.xls)|*.xls", {}}, [&](QFileDialog& d) {
            EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptOpen);
            EXPECT_EQ(d.windowTitle(), "Open");
            EXPECT_EQ(d.nameFilters(), QStringList{"Excel files (*.xls)"});
            d.findChild<QLineEdit*>("fileNameEdit")->setText(wanted);
            static_cast<QDialog&>(d).accept(); // OK, as the user presses it
        });
    EXPECT_EQ(chosen, wanted);
    EXPECT_FALSE(QFile::exists(wanted));
}

TEST(QtFileChooser, ProposesTheNameAndCancelGivesNone) {
    QTemporaryDir dir;
    const QString proposed = QDir(dir.path()).filePath("report.txt");
    const QString chosen =
        runChooser({CommonDialog::Kind::SaveAs, "Save", "text files (*.txt)|*.txt", proposed}, [&](QFileDialog& d) {
            EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(d.windowTitle(), "Save");
            EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
            EXPECT_EQ(d.findChild<QLineEdit*>("fileNameEdit")->text(), "report.txt");
            d.reject();
        });
    EXPECT_EQ(chosen, "");
}

// One dialog serves every request of a chooser (a dialog made anew each time
// leaves its icons' pixmaps behind in the pixmap cache, and so does a picture
// in the file list's heading); each request sets its own title, filter and
// mode, and no name typed in before stays.
TEST(QtFileChooser, OneDialogServesEveryRequest) {
    QTemporaryDir dir;
    const QString proposed = QDir(dir.path()).filePath("report.txt");
    const CommonDialog::Chooser chooser = qtFileChooser(nullptr);
    QPointer<QFileDialog> first;
    const auto show = [&](const CommonDialog::Request& r, const std::function<void(QFileDialog&)>& inDialog) {
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            inDialog(*d);
            d->reject();
        });
        return chooser(r);
    };
    show({CommonDialog::Kind::Open, {}, "Excel files (*.xls)|*.xls", {}}, [&](QFileDialog& d) {
        first = &d;
        d.findChild<QLineEdit*>("fileNameEdit")->setText("typed.xls");
        const QAbstractItemModel* list = d.findChild<QTreeView*>("treeView")->model();
        EXPECT_EQ(list->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Name");
        const QImage picture = list->headerData(0, Qt::Horizontal, Qt::DecorationRole).value<QImage>();
        EXPECT_FALSE(picture.isNull()); // keeps the heading in line with the names after their icons
        EXPECT_EQ(list->headerData(0, Qt::Horizontal, Qt::DecorationRole).value<QImage>().cacheKey(),
                  picture.cacheKey());
    });
    ASSERT_FALSE(first.isNull());
    show({CommonDialog::Kind::SaveAs, "Save", "csv files (*.csv)|*.csv", {}}, [&](QFileDialog& d) {
        EXPECT_EQ(&d, first.data());
        EXPECT_EQ(d.windowTitle(), "Save");
        EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(d.nameFilters(), QStringList{"csv files (*.csv)"});
        EXPECT_EQ(d.findChild<QLineEdit*>("fileNameEdit")->text(), "");
    });
    show({CommonDialog::Kind::SaveAs, {}, "text files (*.txt)|*.txt", proposed}, [&](QFileDialog& d) {
        EXPECT_EQ(&d, first.data());
        EXPECT_EQ(d.windowTitle(), "Save As");
        EXPECT_EQ(d.findChild<QLineEdit*>("fileNameEdit")->text(), "report.txt");
    });
}

TEST(QtFileChooser, NoConfigurationFileIsReadOrWritten) {
    // Qt's settings as they are on a user's machine: a QtProject.conf in the
    // configuration folder, from an earlier start, with a folder, a history
    // and the list view.
    QTemporaryDir config;
    QTemporaryDir lastFolder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, config.path());
        QSettings::setPath(format, QSettings::SystemScope, config.path() + "/system");
    }
    const QString confPath = QDir(config.path()).filePath("QtProject.conf");
    const QByteArray planted = "[FileDialog]\n"
                               "history=file://" +
                               QFile::encodeName(lastFolder.path()) +
                               "\n"
                               "lastVisited=file://" +
                               QFile::encodeName(lastFolder.path()) +
                               "\n"
                               "viewMode=List\n";
    {
        QFile f(confPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(planted);
    }
    // Without more, Qt reads it.
    ASSERT_EQ(QSettings(QSettings::UserScope, "QtProject").value("FileDialog/viewMode").toString(), "List");

    for (int i = 0; i < 2; ++i) {
        runChooser({CommonDialog::Kind::SaveAs, {}, "csv files (*.csv)|*.csv", {}}, [&](QFileDialog& d) {
            EXPECT_EQ(d.viewMode(), QFileDialog::Detail); // Qt's default
            EXPECT_NE(QDir(d.directory()).canonicalPath(), QDir(lastFolder.path()).canonicalPath());
            EXPECT_FALSE(d.history().contains(lastFolder.path()));
            d.reject();
        });
    }

    QFile f(confPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), planted);
    QStringList files;
    for (QDirIterator it(config.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        files << QDir(config.path()).relativeFilePath(it.next());
    EXPECT_EQ(files, QStringList{"QtProject.conf"});
}
