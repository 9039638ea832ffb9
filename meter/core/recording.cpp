#include "core/recording.h"

#include "core/number_text.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace meter {

namespace {

constexpr double feetPerMinute = 196.85;
constexpr double kilometresPerHour = 3.6;
constexpr double milesPerHour = 2.23693632;
constexpr double knots = 1.94384466;
constexpr double cubicFeetPerCubicMetre = 35.314666;
constexpr double inchesPerMetre = 39.3700787;
constexpr double feetPerMetre = 3.2808399;

constexpr float invalidReadingF = static_cast<float>(invalidReading);

// Narrows a 64-bit product to 32 bits (round to nearest). A value beyond the
// range of a 32-bit float becomes an infinity of its sign, as the hardware
// would give it, without the undefined conversion.
float narrow(double x) {
    if (std::isnan(x)) return std::numeric_limits<float>::quiet_NaN();
    if (x > static_cast<double>(FLT_MAX)) return std::numeric_limits<float>::infinity();
    if (x < -static_cast<double>(FLT_MAX)) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(x);
}

bool fitsFloat(double x) { return std::isfinite(x) && std::fabs(x) <= static_cast<double>(FLT_MAX); }

double velocityFactor(Unit u) {
    switch (u) {
    case Unit::FeetPerMinute: return feetPerMinute;
    case Unit::KilometresPerHour: return kilometresPerHour;
    case Unit::MilesPerHour: return milesPerHour;
    case Unit::Knots: return knots;
    default: return 1.0;
    }
}

// The product in 64 bits, before narrowing.
double velocityProduct(float v, Unit u) {
    return u == Unit::MetresPerSecond ? static_cast<double>(v) : static_cast<double>(v) * velocityFactor(u);
}

double flowProduct(float f, Unit u) {
    return u == Unit::CubicFeetPerMin ? static_cast<double>(f) * cubicFeetPerCubicMetre : static_cast<double>(f);
}

double areaProduct(float a, Unit u) {
    double x = a;
    if (u == Unit::SquareInches) {
        x = x * inchesPerMetre;
        x = x * inchesPerMetre;
    } else if (u == Unit::SquareFeet) {
        x = x * feetPerMetre;
        x = x * feetPerMetre;
    }
    return x;
}

double celsiusOrFahrenheit(float t, Unit u) {
    return u == Unit::Fahrenheit ? static_cast<double>(t) * 1.8 + 32 : static_cast<double>(t);
}

// Flow and area are rounded by the magnitude rule: any unit text outside the
// five velocity units selects it.
constexpr std::string_view magnitudeRule = "";

std::string statText(double v, char sep) { return withLeadingZero(numberText(v, sep)); }

std::string unitString(Unit u) { return std::string(unitText(u)); }

} // namespace

double possdata(float soudata, std::string_view unit) {
    int decimals;
    double bias;
    if (unit == "m/s") {
        decimals = 2;
        bias = 0.0005;
    } else if (unit == "MPH" || unit == "km/h" || unit == "knots") {
        decimals = 1;
        bias = 0.0005;
    } else if (unit == "ft/min") {
        decimals = 0;
        bias = 0.05;
    } else if (!(soudata >= 10.0f)) { // NaN lands here as well
        decimals = 3;
        bias = 0.00005;
    } else if (soudata < 100.0f) {
        decimals = 2;
        bias = 0.0005;
    } else if (soudata < 1000.0f) {
        decimals = 1;
        bias = 0.005;
    } else {
        decimals = 0;
        bias = 0.05;
    }
    const double d = static_cast<double>(soudata) - bias;
    // Formatting and reading back use the same separator, so '.' gives the
    // same value under any regional setting.
    return roundToPattern(d, decimals);
}

Unit velocityUnitOf(std::uint8_t code) {
    switch (unitOf(code)) {
    case 2: return Unit::FeetPerMinute;
    case 3: return Unit::KilometresPerHour;
    case 4: return Unit::MilesPerHour;
    case 5: return Unit::Knots;
    default: return Unit::MetresPerSecond;
    }
}

Unit temperatureUnitOf(std::uint8_t code) {
    return unitOf(code) == 2 ? Unit::Fahrenheit : Unit::Celsius;
}

Unit flowUnitOf(std::uint8_t code) {
    return unitOf(code) == 1 ? Unit::CubicFeetPerMin : Unit::CubicMetresPerMin;
}

Unit areaUnitOf(std::uint8_t code) {
    switch (code) {
    case 0x81: return Unit::SquareMetres;
    case 0x82: return Unit::SquareInches;
    case 0x83: return Unit::SquareFeet;
    default: return Unit::None;
    }
}

namespace {
// A finite reading whose 64-bit product fits a 32-bit float; else none.
std::optional<float> fitted(float reading, double product) {
    if (!std::isfinite(reading) || !fitsFloat(product)) return std::nullopt;
    return static_cast<float>(product);
}

// Strict maximum and minimum update.
void track(float x, float& max, float& min) {
    if (x > max) max = x;
    if (x < min) min = x;
}
} // namespace

std::optional<float> convertVelocity(float v, Unit u) { return fitted(v, velocityProduct(v, u)); }

std::optional<float> convertFlow(float f, Unit u) { return fitted(f, flowProduct(f, u)); }

std::optional<float> convertArea(float a, Unit u) { return fitted(a, areaProduct(a, u)); }

double storedVelocity(float v, Unit u) {
    return possdata(narrow(velocityProduct(v, u)), unitText(u));
}

double storedTemperature(float t, Unit u) {
    return roundToPattern(celsiusOrFahrenheit(t, u), 1);
}

double storedFlow(float f, Unit u) {
    return possdata(narrow(flowProduct(f, u)), magnitudeRule);
}

double storedArea(float a, Unit u) {
    if (u == Unit::None) return 0;
    return possdata(narrow(areaProduct(a, u)), magnitudeRule);
}

std::optional<ScrollRange> scrollRangeFor(std::int32_t n, bool historyView) {
    if (n <= 210) return std::nullopt;
    const int k = n / 210;
    ScrollRange r;
    r.min = 1;
    r.max = 10 * k + 1;
    if (!historyView) r.moveValue = 10 * k + 1;
    return r;
}

std::array<std::string, 8> statisticsTexts(const SharedState& s, const MeterFrame& f,
                                           const Regional& regional) {
    const char sep = regional.decimalSeparator;
    const Unit vu = velocityUnitOf(f.velocityUnitCode);
    const Unit tu = temperatureUnitOf(f.temperatureUnitCode);
    const Unit fu = flowUnitOf(f.flowUnitCode);
    // Any area code other than in2 and Ft2 shows square metres.
    Unit au = areaUnitOf(f.areaUnitCode);
    if (au == Unit::None) au = Unit::SquareMetres;

    auto vel = [&](float x) { return statText(storedVelocity(x, vu), sep); };
    auto temp = [&](float x) { return withLeadingZero(formatPattern(celsiusOrFahrenheit(x, tu), 1, sep)); };
    auto flow = [&](float x) { return statText(storedFlow(x, fu), sep); };
    auto area = [&](float x) { return statText(storedArea(x, au), sep); };

    return {vel(s.maxVelocity), temp(s.maxTemperature), flow(s.maxFlow), area(s.maxArea),
            vel(s.minVelocity), temp(s.minTemperature), flow(s.minFlow), area(s.minArea)};
}

RecordOutcome recordFrame(SharedState& s, const MeterFrame& f, const Clock& clock,
                          const Regional& regional) {
    RecordOutcome out;
    if (s.liveRecordCount < 0 || s.liveRecordCount >= LiveRecordStore::capacity) return out;
    out.stored = true;

    // 1. Append.
    s.liveRecordCount += 1;
    const std::int32_t n = s.liveRecordCount;
    LiveRecord& rec = s.liveRecords[n];
    rec.no = n;
    rec.area = 0;

    // 2. Record count.
    out.countText = std::to_string(n);

    // 3. Start time, first record only.
    if (n == 1) {
        const LocalDateTime now = clock ? clock() : LocalDateTime{};
        out.startTimeText = dateText(now) + " " + timeText(now, regional);
    }

    // 4. Velocity. A reading that is flagged invalid, is no number, or does
    // not fit a 32-bit float once converted is kept as no reading.
    const Unit vu = velocityUnitOf(f.velocityUnitCode);
    float v = f.velocitySI;
    if (isInvalid(f.velocityUnitCode) || !convertVelocity(v, vu)) {
        v = invalidReadingF;
    } else {
        track(v, s.maxVelocity, s.minVelocity);
    }
    rec.velocityUnit = vu;
    rec.velocity = storedVelocity(v, vu);
    out.texts[8] = unitString(vu);

    // 5. Temperature. Below 0 and NaN count as 0; +infinity as no reading.
    const Unit tu = temperatureUnitOf(f.temperatureUnitCode);
    float t = f.temperatureSI;
    if (isInvalid(f.temperatureUnitCode) || (std::isinf(t) && t > 0)) {
        t = invalidReadingF;
    } else {
        if (t < 0 || std::isnan(t)) t = 0;
        track(t, s.maxTemperature, s.minTemperature);
    }
    rec.temperatureUnit = tu;
    rec.temperature = storedTemperature(t, tu);
    out.texts[9] = unitString(tu);

    // 6. Flow, no lower limit.
    const Unit fu = flowUnitOf(f.flowUnitCode);
    float fl = f.flowSI;
    if (isInvalid(f.flowUnitCode) || !convertFlow(fl, fu)) {
        fl = invalidReadingF;
    } else {
        track(fl, s.maxFlow, s.minFlow);
    }
    rec.flowUnit = fu;
    rec.flow = storedFlow(fl, fu);
    out.texts[10] = unitString(fu);

    // 7. Area: never invalid; an unknown unit code leaves the area at 0 but
    // the extremes still take the reading. A reading that is no number or
    // does not fit once converted leaves both alone.
    const Unit au = areaUnitOf(f.areaUnitCode);
    const float a = f.areaSI;
    if (convertArea(a, au == Unit::None ? Unit::SquareMetres : au)) {
        track(a, s.maxArea, s.minArea);
        if (au != Unit::None) rec.area = storedArea(a, au);
    }
    rec.areaUnit = au == Unit::None ? Unit::SquareMetres : au;
    out.texts[11] = unitString(rec.areaUnit);

    // 8. Time stamp, with the clock read anew.
    const LocalDateTime now = clock ? clock() : LocalDateTime{};
    rec.dateText.assign(dateText(now));
    rec.timeText.assign(timeText(now, regional));

    // 9. Statistics texts.
    const std::array<std::string, 8> stats = statisticsTexts(s, f, regional);
    for (std::size_t i = 0; i < stats.size(); ++i) out.texts[i] = stats[i];

    // 10. Scroll range.
    out.scroll = scrollRangeFor(n, s.historyView);
    return out;
}

} // namespace meter
