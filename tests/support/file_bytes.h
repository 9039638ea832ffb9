// Whole files as bytes, for the tests and benchmarks: readAll and writeFile,
// by a local path or by a Qt path (its local name, as QFile gives it).
#pragma once

#include <QFile>
#include <QString>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace testsupport {

// The local name of a Qt path, as the standard library opens it.
inline std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Every byte of the file; empty when it cannot be read.
inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline std::string readAll(const QString& path) { return readAll(localPath(path)); }

// Makes the file hold exactly `bytes`; false when it could not be written.
inline bool writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}
inline bool writeFile(const QString& path, std::string_view bytes) { return writeFile(localPath(path), bytes); }

} // namespace testsupport
