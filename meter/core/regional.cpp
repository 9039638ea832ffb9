#include "core/regional.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace meter {

namespace {

std::uint8_t clockField(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 99)); }

std::vector<TimeFormat::Part> defaultParts() {
    using F = TimeFormat::Field;
    return {{F::Hour, true, {}, {}},
            {F::Text, false, ":", {}},
            {F::Minute, true, {}, {}},
            {F::Text, false, ":", {}},
            {F::Second, true, {}, {}}};
}

// Byte by byte: the texts of a time format are short.
char* put(char* out, const std::string& s) {
    for (const char c : s) *out++ = c;
    return out;
}

} // namespace

TimeOfDay timeOfDay(const LocalDateTime& t) { return {clockField(t.hour), clockField(t.minute), clockField(t.second)}; }

TimeFormat::Digits TimeFormat::asciiDigits() { return {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}; }

TimeFormat::TimeFormat() : parts_(defaultParts()), digits_(asciiDigits()) { measure(); }

TimeFormat::TimeFormat(std::vector<Part> parts, Digits digits) : parts_(std::move(parts)), digits_(std::move(digits)) {
    measure();
}

void TimeFormat::measure() {
    std::size_t digit = 0;
    for (const std::string& d : digits_) digit = std::max(digit, d.size());
    std::size_t longest = 0;
    for (const Part& p : parts_) {
        switch (p.field) {
        case Field::Text: longest += p.text.size(); break;
        case Field::DayHalf: longest += std::max(p.text.size(), p.afternoon.size()); break;
        default: longest += 2 * digit; break; // values 0..99
        }
    }
    const bool emptyDigit = std::any_of(digits_.begin(), digits_.end(), [](const std::string& d) { return d.empty(); });
    if (emptyDigit || longest > maxTextLength) {
        parts_ = defaultParts();
        digits_ = asciiDigits();
        longest = 8;
    }
    maxLength_ = longest;
}

char* TimeFormat::putNumber(char* out, int v, bool leadingZero) const {
    v %= 100;
    if (v >= 10 || leadingZero) out = put(out, digits_[static_cast<std::size_t>(v / 10)]);
    return put(out, digits_[static_cast<std::size_t>(v % 10)]);
}

char* TimeFormat::write(char* out, TimeOfDay t) const {
    for (const Part& p : parts_) {
        switch (p.field) {
        case Field::Text: out = put(out, p.text); break;
        case Field::Hour: out = putNumber(out, t.hour, p.twoDigits); break;
        case Field::Hour12: out = putNumber(out, t.hour % 12 == 0 ? 12 : t.hour % 12, p.twoDigits); break;
        case Field::Minute: out = putNumber(out, t.minute, p.twoDigits); break;
        case Field::Second: out = putNumber(out, t.second, p.twoDigits); break;
        case Field::DayHalf: out = put(out, t.hour < 12 ? p.text : p.afternoon); break;
        }
    }
    return out;
}

std::string TimeFormat::text(TimeOfDay t) const {
    std::string s(maxLength_, '\0');
    s.resize(static_cast<std::size_t>(write(s.data(), t) - s.data()));
    return s;
}

TimeFormat TimeFormat::converted(std::string (*convert)(std::string_view)) const {
    std::vector<Part> parts = parts_;
    for (Part& p : parts) {
        p.text = convert(p.text);
        p.afternoon = convert(p.afternoon);
    }
    Digits digits;
    for (std::size_t d = 0; d < digits.size(); ++d) digits[d] = convert(digits_[d]);
    return TimeFormat(std::move(parts), std::move(digits));
}

std::string dateText(const LocalDateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", t.day % 100, t.month % 100, t.year % 10000);
    return buf;
}

std::string timeText(const LocalDateTime& t, const Regional& r) { return r.timeFormat.text(timeOfDay(t)); }

std::string datatotime(unsigned char data) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02u", static_cast<unsigned>(data));
    return buf;
}

} // namespace meter
