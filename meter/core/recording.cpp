#include "core/recording.h"

#include "core/float_narrowing.h"
#include "core/number_text.h"

#include <cfloat>
#include <cmath>

namespace meter {

namespace {

constexpr float invalidReadingF = static_cast<float>(invalidReading);

bool fitsFloat(double x) { return std::isfinite(x) && std::fabs(x) <= static_cast<double>(FLT_MAX); }

// The products in 64 bits, before narrowing, with the table's factors.
double velocityProduct(float v, Unit u) { return static_cast<double>(v) * unitInfo(u).factor; }

double flowProduct(float f, Unit u) { return static_cast<double>(f) * unitInfo(u).factor; }

double areaProduct(float a, Unit u) {
    const double perMetre = unitInfo(u).factor;
    double x = a;
    x = x * perMetre;
    x = x * perMetre;
    return x;
}

double celsiusOrFahrenheit(float t, Unit u) {
    if (u != Unit::Fahrenheit) return static_cast<double>(t);
    const UnitInfo& f = unitInfo(u);
    return static_cast<double>(t) * f.factor + f.offset;
}

// Flow and area are rounded by the magnitude rule: any unit text outside the
// five velocity units selects it.
constexpr std::string_view magnitudeRule = "";

std::string statText(double v, char sep) { return withLeadingZero(numberText(v, sep)); }

std::string unitString(Unit u) { return std::string(unitText(u)); }

// Temperatures are stored and shown with the decimals of the unit table.
const int temperatureDecimals = unitInfo(recordTemperatureFallback).decimals;

} // namespace

double possdata(float soudata, std::string_view unit) {
    const Unit velocity = velocityUnitByText(unit);
    int decimals;
    double bias;
    if (velocity != Unit::None) {
        decimals = unitInfo(velocity).decimals;
        bias = decimals == 0 ? 0.05 : 0.0005; // 0.0005 for one decimal as well
    } else {
        decimals = decimalsForMagnitude(soudata);
        constexpr double magnitudeBias[] = {0.05, 0.005, 0.0005, 0.00005};
        bias = magnitudeBias[decimals];
    }
    const double d = static_cast<double>(soudata) - bias;
    // Formatting and reading back use the same separator, so '.' gives the
    // same value under any regional setting.
    return roundToPattern(d, decimals);
}

namespace {
// The unit a code names, or the record's fallback for the quantity.
Unit recordUnit(Quantity q, std::uint8_t code, Unit fallback) {
    const Unit u = unitByCode(q, code);
    return u == Unit::None ? fallback : u;
}
} // namespace

Unit velocityUnitOf(std::uint8_t code) {
    return recordUnit(Quantity::Velocity, static_cast<std::uint8_t>(unitOf(code)), recordVelocityFallback);
}

Unit temperatureUnitOf(std::uint8_t code) {
    return recordUnit(Quantity::Temperature, static_cast<std::uint8_t>(unitOf(code)), recordTemperatureFallback);
}

Unit flowUnitOf(std::uint8_t code) {
    return recordUnit(Quantity::Flow, static_cast<std::uint8_t>(unitOf(code)), recordFlowFallback);
}

Unit areaUnitOf(std::uint8_t code) { return unitByCode(Quantity::Area, code); }

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

double storedVelocity(float v, Unit u) { return possdata(narrowToFloat(velocityProduct(v, u)), unitText(u)); }

double storedTemperature(float t, Unit u) { return roundToPattern(celsiusOrFahrenheit(t, u), temperatureDecimals); }

double storedFlow(float f, Unit u) { return possdata(narrowToFloat(flowProduct(f, u)), magnitudeRule); }

double storedArea(float a, Unit u) {
    if (u == Unit::None) return 0;
    return possdata(narrowToFloat(areaProduct(a, u)), magnitudeRule);
}

StatisticsTexts statisticsTexts(const SharedState& s, const MeterFrame& f, const Regional& regional) {
    const char sep = regional.decimalSeparator;
    const Unit vu = velocityUnitOf(f.velocityUnitCode);
    const Unit tu = temperatureUnitOf(f.temperatureUnitCode);
    const Unit fu = flowUnitOf(f.flowUnitCode);
    // Any area code other than in2 and Ft2 shows square metres.
    Unit au = areaUnitOf(f.areaUnitCode);
    if (au == Unit::None) au = recordAreaFallback;

    auto vel = [&](float x) { return statText(storedVelocity(x, vu), sep); };
    auto temp = [&](float x) {
        return withLeadingZero(formatPattern(celsiusOrFahrenheit(x, tu), temperatureDecimals, sep));
    };
    auto flow = [&](float x) { return statText(storedFlow(x, fu), sep); };
    auto area = [&](float x) { return statText(storedArea(x, au), sep); };

    return {.maximum = {vel(s.maxVelocity), temp(s.maxTemperature), flow(s.maxFlow), area(s.maxArea)},
            .minimum = {vel(s.minVelocity), temp(s.minTemperature), flow(s.minFlow), area(s.minArea)},
            .unit = {unitString(vu), unitString(tu), unitString(fu), unitString(au)}};
}

RecordOutcome recordFrame(SharedState& s, const MeterFrame& f, const Clock& clock, const Regional& regional) {
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

    // 7. Area: never invalid; an unknown unit code leaves the area at 0 but
    // the extremes still take the reading. A reading that is no number or
    // does not fit once converted leaves both alone.
    const Unit au = areaUnitOf(f.areaUnitCode);
    const float a = f.areaSI;
    if (convertArea(a, au == Unit::None ? recordAreaFallback : au)) {
        track(a, s.maxArea, s.minArea);
        if (au != Unit::None) rec.area = storedArea(a, au);
    }
    rec.areaUnit = au == Unit::None ? recordAreaFallback : au;

    // 8. Time stamp, with the clock read anew.
    const LocalDateTime now = clock ? clock() : LocalDateTime{};
    rec.dateText.assign(dateText(now));
    rec.timeText = timeOfDay(now);

    // 9. Statistics texts, and the units they are in.
    out.statistics = statisticsTexts(s, f, regional);

    // 10. Scroll range.
    out.scroll = scrollRangeFor(n, s.historyView);
    return out;
}

} // namespace meter
