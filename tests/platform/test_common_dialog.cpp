#include "platform/common_dialog.h"

#include <gtest/gtest.h>

#include <vector>

using namespace meter;

TEST(CommonDialog, SharedStateAcrossCallersAndCancelGivesEmptyName) {
    std::vector<CommonDialog::Request> seen;
    std::vector<QString> answers{"/tmp/a.csv", "", "/tmp/b.txt"};
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

    // A later caller sets only its filter: the title stays, the last path is proposed,
    // and a cancel hands back an empty name although a path was proposed.
    dlg.Filter = "text files (*.txt)|*.txt";
    dlg.setAction(2);
    EXPECT_EQ(dlg.FileName, "");
    dlg.setAction(1);
    EXPECT_EQ(dlg.FileName, "/tmp/b.txt");

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].kind, CommonDialog::Kind::SaveAs);
    EXPECT_EQ(seen[1].title, "Save");
    EXPECT_EQ(seen[1].filter, "text files (*.txt)|*.txt");
    EXPECT_EQ(seen[1].proposedName, "/tmp/a.csv");
    EXPECT_EQ(seen[2].kind, CommonDialog::Kind::Open);
    EXPECT_EQ(seen[2].proposedName, "");
}
