// An editable drop-down list on which only a pick counts: an item chosen from
// the drop-down list, or stepped to with the arrow keys, raises picked().
// Typing into the edit field picks nothing, also when Return or leaving the
// field ends it with a text that matches an item (the list would take that as
// a pick), and typing completes nothing.
#pragma once

#include <QComboBox>

namespace meter {

class PickList : public QComboBox {
    Q_OBJECT
public:
    explicit PickList(QWidget* parent = nullptr);

signals:
    void picked();
};

} // namespace meter
