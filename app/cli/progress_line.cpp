#include "progress_line.h"

#include <cmath>
#include <utility>

#include "engine/number_text.h"

namespace folix {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr const char* kEraseLine = "\r\x1b[K";

// 1234567 as "1,234,567".
std::string grouped(std::size_t n)
{
    std::string digits = std::to_string(n);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

// "0:07", "12:30", "3:04:05".
std::string duration(double seconds)
{
    const auto whole = static_cast<long long>(std::ceil(seconds));
    const long long h = whole / 3600;
    const long long m = whole / 60 % 60;
    const long long s = whole % 60;
    const auto two = [](long long v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return (h > 0 ? std::to_string(h) + ":" + two(m) : std::to_string(m)) + ":" + two(s);
}

}  // namespace

std::string progressText(std::size_t done, std::optional<std::size_t> total, double seconds, const std::string& unit)
{
    std::string text = grouped(done) + (total ? " of " + grouped(*total) : "") + " " + unit;
    if (done == 0 || !(seconds > 0)) return text;
    const double rate = static_cast<double>(done) / seconds;
    // Slow work (a polar from XFOIL per row) would show as 0 or 1 a second.
    const std::string rateText =
        rate < 9.95 ? fixedText(rate, 1) : grouped(static_cast<std::size_t>(std::llround(rate)));
    text += "  " + rateText + " " + unit + "/s";
    if (total && *total >= done) text += "  " + duration(static_cast<double>(*total - done) / rate) + " left";
    return text;
}

ProgressLine::ProgressLine(std::ostream& terminal, std::optional<std::size_t> total, std::string unit)
    : terminal_(terminal), total_(total), unit_(std::move(unit)), start_(Clock::now())
{
}

void ProgressLine::update(std::size_t done)
{
    const Clock::time_point now = Clock::now();
    if (drawn_ && now - *drawn_ < kRedrawInterval) return;
    drawn_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    terminal_ << '\r' << progressText(done, total_, seconds, unit_) << "\x1b[K" << std::flush;
    shown_ = true;
}

void ProgressLine::clear()
{
    if (!shown_) return;
    terminal_ << kEraseLine << std::flush;
    shown_ = false;
}

}  // namespace folix
