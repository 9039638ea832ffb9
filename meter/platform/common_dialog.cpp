#include "common_dialog.h"

#include <QFileDialog>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QPointer>
#include <QSettings>

#include <memory>

namespace meter {

void CommonDialog::setAction(int action) {
    if (action != 1 && action != 2) return;
    // The proposal is the path chosen last: a cancel empties FileName but
    // leaves the proposal as it was.
    if (!FileName.isEmpty()) lastChosen_ = FileName;
    const Request req{action == 1 ? Kind::Open : Kind::SaveAs, DialogTitle, Filter, lastChosen_};
    // A cancel always hands back an empty name, even when a path was proposed.
    FileName = chooser_ ? chooser_(req) : QString();
    if (!FileName.isEmpty()) lastChosen_ = FileName;
}

namespace {

// "text files (*.txt)|*.txt" -> "text files (*.txt)"
QString qtFilter(const QString& filter) {
    QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i];
        if (!desc.contains('(')) desc += " (" + parts[i + 1].replace(';', ' ') + ")";
        out << desc;
    }
    return out.join(";;");
}

// The file list with one blank picture before its first column heading. Qt's
// file system model makes a new image for every repaint of the heading, and
// Qt keeps the key of each in the pixmap cache for good (some 2 KB a dialog).
class OneHeadingPicture : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (section != 0 || orientation != Qt::Horizontal || role != Qt::DecorationRole)
            return QIdentityProxyModel::headerData(section, orientation, role);
        if (!picture_.isValid()) picture_ = QIdentityProxyModel::headerData(section, orientation, role);
        return picture_;
    }

private:
    mutable QVariant picture_;
};

} // namespace

void keepSettingsOutOfFiles() {
    // Below a device file no folder can be made and no file read or written.
    const QString nowhere = QStringLiteral("/dev/null");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, nowhere);
}

CommonDialog::Chooser qtFileChooser(QWidget* parent) {
    // One dialog serves every request, as the platform's one dialog control
    // does. A dialog made anew for each request makes new icons each time,
    // whose pixmaps the application's pixmap cache keeps under new keys, and
    // Qt keeps those keys even when the cache is emptied: memory grew by some
    // 20 KB with every dialog shown.
    // Made at the first request; it goes with the last copy of the chooser,
    // or with its parent if that goes first.
    struct Holder {
        QPointer<QFileDialog> dialog;
        ~Holder() { delete dialog.data(); }
    };
    const auto holder = std::make_shared<Holder>();
    return [parent, holder](const CommonDialog::Request& r) {
        keepSettingsOutOfFiles();
        if (holder->dialog.isNull()) {
            holder->dialog = new QFileDialog(parent);
            // Qt's own dialog: a desktop's dialog keeps a history of its own.
            holder->dialog->setOption(QFileDialog::DontUseNativeDialog);
            holder->dialog->setProxyModel(new OneHeadingPicture(holder->dialog));
        }
        QFileDialog& dialog = *holder->dialog;
        const bool open = r.kind == CommonDialog::Kind::Open;
        dialog.setWindowTitle(r.title.isEmpty() ? (open ? QObject::tr("Open") : QObject::tr("Save As")) : r.title);
        dialog.setNameFilter(qtFilter(r.filter));
        dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        // Open accepts a name that does not exist yet, as the platform's Open
        // dialog does when no flag asks for an existing file.
        dialog.setFileMode(QFileDialog::AnyFile);
        // The dialog proposes the name asked for, and never one typed in at
        // an earlier request that was cancelled.
        if (auto* typed = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) typed->clear();
        if (!r.proposedName.isEmpty()) dialog.selectFile(r.proposedName);
        if (dialog.exec() != QDialog::Accepted) return QString();
        const QStringList chosen = dialog.selectedFiles();
        return chosen.isEmpty() ? QString() : chosen.front();
    };
}

} // namespace meter
