#include "common_dialog.h"

#include <QFileDialog>
#include <QSettings>

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

} // namespace

void keepSettingsOutOfFiles() {
    // Below a device file no folder can be made and no file read or written.
    const QString nowhere = QStringLiteral("/dev/null");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, nowhere);
}

CommonDialog::Chooser qtFileChooser(QWidget* parent) {
    return [parent](const CommonDialog::Request& r) {
        keepSettingsOutOfFiles();
        const bool open = r.kind == CommonDialog::Kind::Open;
        QFileDialog dialog(parent, r.title.isEmpty() ? (open ? QObject::tr("Open") : QObject::tr("Save As")) : r.title,
                           QString(), qtFilter(r.filter));
        // Qt's own dialog: a desktop's dialog keeps a history of its own.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        // Open accepts a name that does not exist yet, as the platform's Open
        // dialog does when no flag asks for an existing file.
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!r.proposedName.isEmpty()) dialog.selectFile(r.proposedName);
        if (dialog.exec() != QDialog::Accepted) return QString();
        const QStringList chosen = dialog.selectedFiles();
        return chosen.isEmpty() ? QString() : chosen.front();
    };
}

} // namespace meter
