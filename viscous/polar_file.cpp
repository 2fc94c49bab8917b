#include "polar_file.h"

#include <cmath>
#include <sstream>

#include "contour_handover.h"
#include "engine/number_text.h"

namespace folix {

namespace {

// XFOIL writes the header's settings and the alpha column with three decimals.
constexpr double kHalfLastDecimal = 0.0005;
constexpr double kLargestCoefficient = 10;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> words(std::string_view line)
{
    std::istringstream stream{std::string(line)};
    std::vector<std::string> all;
    for (std::string word; stream >> word;) all.push_back(word);
    return all;
}

std::optional<double> number(const std::vector<std::string>& words, std::size_t at)
{
    std::vector<double> value;
    if (at >= words.size() || !readNumbers(words[at], value) || value.size() != 1 || !std::isfinite(value[0]))
        return std::nullopt;
    return value[0];
}

// The position just after "key =" among the words, or npos.
std::size_t after(const std::vector<std::string>& words, const std::string& key)
{
    for (std::size_t i = 0; i + 1 < words.size(); ++i)
        if (words[i] == key && words[i + 1] == "=") return i + 2;
    return std::string::npos;
}

// "xtrf =   1.000 (top)        1.000 (bottom)"
void readTransition(const std::vector<std::string>& w, PolarFile& polar)
{
    const std::size_t at = after(w, "xtrf");
    if (at == std::string::npos) return;
    polar.xtrTop = number(w, at);
    polar.xtrBottom = number(w, at + 2);
}

// "Mach =   0.000     Re =     1.000 e 6     Ncrit =   9.000  9.000"
void readFlow(const std::vector<std::string>& w, PolarFile& polar)
{
    if (const std::size_t at = after(w, "Mach"); at != std::string::npos) polar.mach = number(w, at);
    if (const std::size_t at = after(w, "Re"); at != std::string::npos && at + 2 < w.size() && w[at + 1] == "e") {
        const auto mantissa = number(w, at);
        const auto exponent = number(w, at + 2);
        if (mantissa && exponent && std::abs(*exponent) <= 30) polar.reynolds = *mantissa * std::pow(10.0, *exponent);
    }
    if (const std::size_t at = after(w, "Ncrit"); at != std::string::npos) {
        polar.ncritTop = number(w, at);
        polar.ncritBottom = w.size() > at + 1 ? number(w, at + 1) : polar.ncritTop;
    }
}

std::optional<PolarRow> readRow(std::string_view line)
{
    std::vector<double> n;
    if (!readNumbers(line, n) || n.size() < 7 || n.size() > 12) return std::nullopt;
    return PolarRow{n[0], n[1], n[2], n[3], n[4], n[5], n[6]};
}

bool sameTo3Decimals(std::optional<double> written, double wanted, double unit = 1)
{
    return written && std::abs(*written - wanted) <= (kHalfLastDecimal * (1 + 1e-6)) * unit;
}

std::string settingMismatch(const std::string& what, std::optional<double> written, double wanted)
{
    return "XFOIL's polar is for " + what + " " + (written ? formatGeneral(*written) : std::string("(unreadable)")) +
           ", not " + formatGeneral(wanted);
}

// The reason a row cannot be a converged angle's, or "".
std::string implausibility(const PolarRow& r, bool viscous)
{
    const double values[] = {r.Cl, r.Cd, r.Cdp, r.Cm, r.xtrTop, r.xtrBottom};
    for (const double v : values)
        if (!std::isfinite(v)) return "XFOIL wrote a value that is not a number";
    const auto outside = [](const char* name, double v) {
        return std::string("XFOIL wrote an implausible ") + name + " (" + formatGeneral(v) + ")";
    };
    if (std::abs(r.Cl) > kLargestCoefficient) return outside("Cl", r.Cl);
    if (viscous ? !(r.Cd > 0 && r.Cd <= kLargestCoefficient) : std::abs(r.Cd) > kLargestCoefficient)
        return outside("Cd", r.Cd);
    if (std::abs(r.Cdp) > kLargestCoefficient) return outside("Cdp", r.Cdp);
    if (std::abs(r.Cm) > kLargestCoefficient) return outside("Cm", r.Cm);
    if (!(r.xtrTop >= 0 && r.xtrTop <= 1)) return outside("upper transition x/c", r.xtrTop);
    if (!(r.xtrBottom >= 0 && r.xtrBottom <= 1)) return outside("lower transition x/c", r.xtrBottom);
    return "";
}

}  // namespace

PolarFile readPolarFile(std::string_view text)
{
    PolarFile polar;
    // A last line without its line end may still be being written.
    text = text.substr(0, text.rfind('\n') + 1);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (polar.complete) {
            if (!trimmed(line).empty()) polar.lines.push_back(readRow(line));
            continue;
        }
        const std::string_view content = trimmed(line);
        constexpr std::string_view kNameLead = "Calculated polar for:";
        if (content.substr(0, kNameLead.size()) == kNameLead) {
            polar.name = std::string(trimmed(content.substr(kNameLead.size())));
            continue;
        }
        const auto w = words(content);
        readTransition(w, polar);
        readFlow(w, polar);
        if (content.substr(0, 6) == "------") polar.complete = true;
    }
    return polar;
}

std::string polarHeaderMismatch(const PolarFile& polar, const std::string& name, const ViscousOptions& options)
{
    if (!polar.complete) return "XFOIL's polar file has no header";
    if (polar.name != name) return "XFOIL's polar is for the airfoil \"" + polar.name + "\", not \"" + name + "\"";
    if (!sameTo3Decimals(polar.mach, options.mach)) return settingMismatch("Mach", polar.mach, options.mach);
    if (!options.viscous) return "";
    // The Reynolds number is written in millions.
    if (!sameTo3Decimals(polar.reynolds, options.reynolds, 1e6))
        return settingMismatch("Re", polar.reynolds, options.reynolds);
    if (!sameTo3Decimals(polar.ncritTop, options.ncrit) || !sameTo3Decimals(polar.ncritBottom, options.ncrit))
        return settingMismatch("Ncrit", polar.ncritTop, options.ncrit);
    if (!sameTo3Decimals(polar.xtrTop, options.xtrTop))
        return settingMismatch("upper transition x/c", polar.xtrTop, options.xtrTop);
    if (!sameTo3Decimals(polar.xtrBottom, options.xtrBottom))
        return settingMismatch("lower transition x/c", polar.xtrBottom, options.xtrBottom);
    return "";
}

std::vector<AngleReading> readRunAngles(const PolarFile& polar, const std::vector<double>& alphas,
                                        std::size_t finished, bool viscous)
{
    std::vector<AngleReading> readings(std::min(finished, alphas.size()));
    std::size_t next = 0;  // the first angle no line has been matched to
    std::string distrust;
    for (const auto& line : polar.lines) {
        if (next >= readings.size()) break;
        std::size_t match = next;
        while (line && match < alphas.size() && !sameTo3Decimals(line->alpha, alphas[match])) ++match;
        if (!line || match == alphas.size()) {
            distrust = "XFOIL's polar file has a line that is not a result for these angles";
            break;
        }
        if (match >= readings.size()) break;  // an angle still being finished
        const std::string problem = implausibility(*line, viscous);
        readings[match] = problem.empty() ? AngleReading{AngleReading::Kind::Converged, *line, ""}
                                          : AngleReading{AngleReading::Kind::Failed, {}, problem};
        next = match + 1;
    }
    if (!distrust.empty())
        for (std::size_t k = next; k < readings.size(); ++k) readings[k] = {AngleReading::Kind::Failed, {}, distrust};
    return readings;
}

}  // namespace folix
