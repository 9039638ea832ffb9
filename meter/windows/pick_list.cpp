#include "windows/pick_list.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace meter {

namespace {

// The list's edit field. Return and leaving the field end what was typed;
// typingEnds() tells the list's pick handling that no item was picked then.
class PickListEdit final : public QLineEdit {
public:
    explicit PickListEdit(QWidget* parent) : QLineEdit(parent) {}
    bool typingEnds() const { return typingEnds_; }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const bool ends = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        const QScopedValueRollback<bool> guard(typingEnds_, typingEnds_ || ends);
        QLineEdit::keyPressEvent(e);
    }
    void focusOutEvent(QFocusEvent* e) override {
        const QScopedValueRollback<bool> guard(typingEnds_, true);
        QLineEdit::focusOutEvent(e);
    }

private:
    bool typingEnds_ = false;
};

} // namespace

PickList::PickList(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    auto* edit = new PickListEdit(this); // in place of the list's own edit field
    edit->setPalette(palette());
    setLineEdit(edit);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    QObject::connect(this, &QComboBox::activated, this, [this, edit](int) {
        if (!edit->typingEnds()) emit picked();
    });
}

} // namespace meter
