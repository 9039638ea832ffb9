// The file replacement under a relative name: the name is taken from the
// working folder of the moment the replacement is made, once.
#include "platform/file_replacement.h"

#include "file_bytes.h"
#include "file_faults.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fstream>

namespace {

TEST(FileReplacement, ARelativeNameIsTakenFromTheWorkingFolderOfItsMaking) {
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary files" : "unnamed temporary files");
        std::unique_ptr<testsupport::NamedTemporaryFiles> namedFiles;
        if (named) namedFiles = std::make_unique<testsupport::NamedTemporaryFiles>();
        QTemporaryDir made, later;
        ASSERT_TRUE(QDir(made.path()).mkdir("sub") && QDir(later.path()).mkdir("sub"));
        std::unique_ptr<meter::FileReplacement> file;
        {
            testsupport::WorkingFolder working(QFile::encodeName(made.path()).toStdString());
            ASSERT_TRUE(working.entered());
            file = std::make_unique<meter::FileReplacement>("sub/new.txt");
        }
        EXPECT_EQ(file->target(), QFile::encodeName(QDir(made.path()).filePath("sub/new.txt")).toStdString());
        {
            testsupport::WorkingFolder working(QFile::encodeName(later.path()).toStdString());
            ASSERT_TRUE(working.entered());
            ASSERT_TRUE(file->open());
            // A writer that opens the new file by its name, truncating it.
            std::ofstream(file->path(), std::ios::binary | std::ios::trunc) << "new bytes";
            ASSERT_TRUE(file->commit());
        }
        EXPECT_EQ(testsupport::readAll(QDir(made.path()).filePath("sub/new.txt")), "new bytes");
        EXPECT_EQ(QDir(made.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"sub"});
        EXPECT_EQ(QDir(made.path() + "/sub").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"new.txt"});
        EXPECT_TRUE(QDir(later.path() + "/sub").isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }
}

} // namespace
