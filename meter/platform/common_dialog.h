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

    // 1 shows the Open dialog, 2 the Save As dialog; returns when it has closed.
    void setAction(int action);
    void ShowSave() { setAction(2); }

private:
    Chooser chooser_;
};

// A chooser over QFileDialog.
CommonDialog::Chooser qtFileChooser(QWidget* parent);

} // namespace meter
