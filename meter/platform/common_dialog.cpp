#include "common_dialog.h"

#include <QFileDialog>

namespace meter {

void CommonDialog::setAction(int action) {
    if (action != 1 && action != 2) return;
    const Request req{action == 1 ? Kind::Open : Kind::SaveAs, DialogTitle, Filter, FileName};
    // A cancel always hands back an empty name, even when a path was proposed.
    FileName = chooser_ ? chooser_(req) : QString();
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

CommonDialog::Chooser qtFileChooser(QWidget* parent) {
    return [parent](const CommonDialog::Request& r) {
        if (r.kind == CommonDialog::Kind::Open)
            return QFileDialog::getOpenFileName(parent, r.title.isEmpty() ? QObject::tr("Open") : r.title,
                                                r.proposedName, qtFilter(r.filter));
        return QFileDialog::getSaveFileName(parent, r.title.isEmpty() ? QObject::tr("Save As") : r.title,
                                            r.proposedName, qtFilter(r.filter));
    };
}

} // namespace meter
