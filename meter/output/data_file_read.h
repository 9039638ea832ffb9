// OPEN (the tool strip's open button): a data file chosen in the Open dialog
// is read into the shared state's file records.
#pragma once

#include "core/data_file.h"
#include "core/regional.h"
#include "core/shared_state.h"

#include <QString>

#include <functional>
#include <string>

namespace meter {

class CommonDialog;
class MessageBoxes;

inline const QString openFileErrorText = QStringLiteral("open file error!");

// Reads the data file at `path` (in the file system's encoding) into
// `records`. Only a regular file is read: a folder, a device or a pipe is a
// read error, found without opening a device or waiting on a pipe. The file
// is closed before this returns.
DataFileResult readDataFileAt(const std::string& path, char decimalSeparator, FileRecordStore& records);

// The Open dialog for "text files (*.txt)|*.txt". No name: nothing changes.
// Otherwise the file count goes to 0 and the file is read into the file
// records; when that succeeds the count is the number of records and
// `fileRead` runs (it shows the summary and redraws the graph). When it fails
// the count stays 0 and "open file error!" (OK, title "meter") is shown.
// Reception is not touched. Returns true when a file was read.
bool openDataFileCommand(SharedState& state, CommonDialog& dialog, MessageBoxes& boxes, const Regional& regional,
                         const std::function<void()>& fileRead);

} // namespace meter
