#include "fake_env.h"

namespace testsupport {

FakeSysfs::FakeSysfs() { std::filesystem::create_directories(root() / "class" / "tty"); }

std::filesystem::path FakeSysfs::root() const { return dir_.path().toStdString(); }

void FakeSysfs::addTty(const std::string& name, const std::string& driver) {
    const auto drv = root() / "bus" / "usb-serial" / "drivers" / driver;
    std::filesystem::create_directories(drv);
    const auto dev = root() / "devices" / name;
    std::filesystem::create_directories(dev);
    std::filesystem::create_directory_symlink(drv, dev / "driver");
    const auto tty = root() / "class" / "tty" / name;
    std::filesystem::create_directories(tty);
    std::filesystem::create_directory_symlink(dev, tty / "device");
}

void FakeSysfs::makeUnreadable() { std::filesystem::remove_all(root() / "class"); }

meter::LocalDateTime fixedTime() { return {2026, 12, 10, 9, 30, 5}; }

QString fixedShortDate() { return QStringLiteral("10.12.26"); }

} // namespace testsupport
