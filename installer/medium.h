// Where the launcher finds the programs on its installation medium.
#pragma once

#include <QString>
#include <QStringList>

namespace installer {

// The file names on the medium, below the launcher's own folder.
inline constexpr const char* kSoftwareFolder = "Software";
inline constexpr const char* kDriverFolder = "Driver";
inline constexpr const char* kSetupFile = "setup.exe";
inline constexpr const char* kDriver32File = "CP210xVCPInstaller_x86.exe";
inline constexpr const char* kDriver64File = "CP210xVCPInstaller_x64.exe";

// The folder with each part appended in order, each behind its own separator.
QString joinMediumPath(const QString& folder, const QStringList& parts);

// <folder>/Software/setup.exe
QString setupPath(const QString& folder);
// <folder>/Software/Driver/CP210xVCPInstaller_x86.exe
QString driver32Path(const QString& folder);
// <folder>/Software/Driver/CP210xVCPInstaller_x64.exe
QString driver64Path(const QString& folder);

// True only for an ordinary file that is not hidden; folders and hidden files do not count.
bool isOrdinaryFile(const QString& path);

} // namespace installer
