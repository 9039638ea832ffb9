// A file dialog that answers from a script and records what it was asked.
#pragma once

#include "platform/common_dialog.h"

#include <QString>

#include <deque>
#include <vector>

namespace testsupport {

struct ScriptedDialog {
    ScriptedDialog()
        : dialog([this](const meter::CommonDialog::Request& r) {
              requests.push_back(r);
              if (answers.empty()) return QString(); // as a cancel
              QString a = answers.front();
              answers.pop_front();
              return a;
          }) {}
    ScriptedDialog(const ScriptedDialog&) = delete;
    ScriptedDialog& operator=(const ScriptedDialog&) = delete;

    std::deque<QString> answers;
    std::vector<meter::CommonDialog::Request> requests;
    meter::CommonDialog dialog;
};

} // namespace testsupport
