#include "platform/log.h"

namespace meter {

Q_LOGGING_CATEGORY(platformLog, "meter.platform", QtInfoMsg)

} // namespace meter
