#include "output/log.h"

namespace meter {

Q_LOGGING_CATEGORY(outputLog, "meter.output", QtInfoMsg)

} // namespace meter
