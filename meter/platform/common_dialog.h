// The file dialog control shared by every command that picks a file name.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace meter {

class CommonDialog {
public:
    enum class Kind { Open, SaveAs };
    struct Request {
        Kind kind;
        QString title;        // empty: the dialog's default title
        QString filter;       // "text files (*.txt)|*.txt"
        QString proposedName; // the path chosen last
    };
    // Shows a dialog and returns the chosen path, or an empty text when cancelled.
    using Chooser = std::function<QString(const Request&)>;

    explicit CommonDialog(Chooser chooser) : chooser_(std::move(chooser)) {}

    QString Filter;
    QString DialogTitle;
    bool CancelError = false;
    QString FileName;

    // 1 shows the Open dialog, 2 the Save As dialog; returns when it has
    // closed. The dialog proposes the path chosen last (or a FileName set
    // before it), also after a cancel, which leaves FileName empty.
    void setAction(int action);
    void ShowSave() { setAction(2); }

private:
    Chooser chooser_;
    QString lastChosen_;
};

// A chooser over Qt's own QFileDialog, whose Open dialog accepts a name that
// does not exist yet. One dialog serves all the requests of the chooser and
// its copies, each with its own title, filter, mode and proposed name; it
// goes with the last copy of the chooser (which must go before the
// application), or with `parent`. Before each dialog the chooser runs
// keepSettingsOutOfFiles().
CommonDialog::Chooser qtFileChooser(QWidget* parent);

// Points every QSettings file of this process (QFileDialog keeps its history,
// last folder and view mode in QtProject.conf, in the user's and the
// system's configuration folders) at a place where none can be read or
// written, so that every start begins from the same defaults.
void keepSettingsOutOfFiles();

} // namespace meter
