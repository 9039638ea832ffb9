#include "windows/log.h"

namespace meter {

Q_LOGGING_CATEGORY(windowsLog, "meter.windows", QtInfoMsg)

} // namespace meter
