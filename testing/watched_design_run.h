#pragma once

// One design run watched from outside: what it shows, draws and leaves in the
// design record, held against what every run must respect whatever was typed.
// Shared by the input sweep and the design-run fuzz target, so both judge a run
// by the same rules.

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/arithmetic_error.h"
#include "engine/design_state.h"
#include "engine/number_text.h"
#include "engine/parameter_solver.h"
#include "design/design_run.h"
#include "design/run_texts.h"
#include "design/safeguarded_solve.h"
#include "window/typed_inputs.h"

namespace folix::sweep {

// The most solves of one run (first guess, second exponent, 20 exponent steps)
// and the most measurements of one solve (two guesses, 20 secant steps).
inline constexpr int kMostSolves = 22;
inline constexpr int kMostMeasurementsPerSolve = 22;
// Title, per solve its heading of three lines, its measurements, the two lines of giving up
// and a safeguarded solve's line and measurements, and the line of the exponent search giving up.
inline constexpr std::size_t kMostHistoryLines =
    1 + kMostSolves * (3 + kMostMeasurementsPerSolve + 2 + 1 + kMostSafeguardedMeasurements) + 1;

class WatchingFrontEnd : public DesignFrontEnd {
public:
    void clearHistory() override
    {
        history.clear();
        ++clears;
    }
    void append(const std::string& line) override { history.push_back(line); }
    void showResults(const ResultTexts& shown) override
    {
        texts = shown;
        ++showings;
    }
    void drawSection(const Outline& drawn) override
    {
        outline = drawn;
        ++drawings;
    }

    std::vector<std::string> history;
    ResultTexts texts;
    Outline outline{};
    int clears = 0;
    int showings = 0;
    int drawings = 0;
};

struct WatchedRun {
    std::optional<ErrorKind> error;  // empty when the run completed
    WatchingFrontEnd frontEnd;
};

// Runs the design from typed texts, as the window reads them (a text that
// overflows stops the run after its title); an ArithmeticError is an outcome,
// anything else escapes.
inline WatchedRun watchDesignRun(DesignState& state, const TypedInputs& typed)
{
    WatchedRun run;
    try {
        DesignInputs inputs;
        try {
            inputs = readTypedInputs(typed);
        } catch (const ArithmeticError&) {
            startHistory(run.frontEnd);
            throw;
        }
        runDesign(state, inputs, run.frontEnd);
    } catch (const ArithmeticError& error) {
        run.error = error.kind();
    }
    return run;
}

namespace detail {

// Where the run of decimal digits starting at `from` ends.
inline std::size_t digitsEnd(std::string_view text, std::size_t from)
{
    while (from < text.size() && text[from] >= '0' && text[from] <= '9') ++from;
    return from;
}

}  // namespace detail

// The general number format: "-"? digits ("." digits)? ("E" sign two or three digits)?
inline bool isNumberText(std::string_view text)
{
    std::size_t i = text.rfind('-', 0) == 0 ? 1 : 0;
    std::size_t end = detail::digitsEnd(text, i);
    if (end == i) return false;
    i = end;
    if (i < text.size() && text[i] == '.') {
        end = detail::digitsEnd(text, i + 1);
        if (end == i + 1) return false;
        i = end;
    }
    if (i < text.size() && text[i] == 'E') {
        if (i + 1 == text.size() || (text[i + 1] != '+' && text[i + 1] != '-')) return false;
        end = detail::digitsEnd(text, i + 2);
        const std::size_t exponentDigits = end - (i + 2);
        if (exponentDigits < 2 || exponentDigits > 3) return false;
        i = end;
    }
    return i == text.size();
}

namespace detail {

inline bool startsWith(const std::string& line, std::string_view prefix) { return line.rfind(prefix, 0) == 0; }

// "F=a  G=b  Delta=c  Gamma=d  XDltC=e" with every value in the number format.
inline bool isMeasurementLine(const std::string& line)
{
    static constexpr std::string_view kNames[] = {"F=", "G=", "Delta=", "Gamma=", "XDltC="};
    std::size_t position = 0;
    for (std::size_t n = 0; n < std::size(kNames); ++n) {
        if (n > 0) {
            if (line.compare(position, 2, "  ") != 0) return false;
            position += 2;
        }
        if (line.compare(position, kNames[n].size(), kNames[n]) != 0) return false;
        position += kNames[n].size();
        const std::size_t end = std::min(line.find(' ', position), line.size());
        if (!isNumberText(std::string_view(line).substr(position, end - position))) return false;
        position = end;
    }
    return position == line.size();
}

inline void checkHistory(const WatchedRun& run, bool locationMode, std::vector<std::string>& problems)
{
    const std::vector<std::string>& lines = run.frontEnd.history;
    if (run.frontEnd.clears != 1)
        problems.emplace_back("history cleared " + std::to_string(run.frontEnd.clears) + " times");
    if (lines.empty() || lines.front() != kHistoryTitle) problems.emplace_back("history does not start with its title");
    if (lines.size() > kMostHistoryLines)
        problems.emplace_back("history has " + std::to_string(lines.size()) + " lines");

    int solves = 0;
    int measurements = 0;
    bool safeguarded = false;
    bool searchGaveUp = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (searchGaveUp) problems.emplace_back("line after the exponent search gave up: '" + line + "'");
        if (startsWith(line, " M=")) {
            ++solves;
            measurements = 0;
            safeguarded = false;
            if (!isNumberText(std::string_view(line).substr(3))) problems.emplace_back("heading '" + line + "'");
            if (!lines[i - 1].empty() || i + 1 >= lines.size() || !lines[i + 1].empty())
                problems.emplace_back("heading '" + line + "' not set between empty lines");
        } else if (startsWith(line, kSafeguardedSolveLine)) {
            if (safeguarded || solves == 0) problems.emplace_back("safeguarded solve without a solve of its own");
            safeguarded = true;
            measurements = 0;
        } else if (startsWith(line, "F=")) {
            if (++measurements > (safeguarded ? kMostSafeguardedMeasurements : kMostMeasurementsPerSolve))
                problems.emplace_back("solve " + std::to_string(solves) + " made too many measurements");
            if (!isMeasurementLine(line)) problems.emplace_back("measurement line '" + line + "'");
        } else if (line == kLocationNotConverged) {
            searchGaveUp = true;
            if (!locationMode) problems.emplace_back("exponent search in angle mode");
        } else if (!line.empty() && line != " " && line != kSolveNotConverged) {
            problems.emplace_back("unexpected history line '" + line + "'");
        }
    }
    if (solves > (locationMode ? kMostSolves : 1)) problems.emplace_back(std::to_string(solves) + " solves");
}

inline void checkFinite(const char* name, double value, std::vector<std::string>& problems)
{
    if (!std::isfinite(value)) problems.emplace_back(std::string(name) + " is not finite");
}

inline void checkState(const DesignState& state, std::vector<std::string>& problems)
{
    checkFinite("Pi", state.Pi, problems);
    checkFinite("Delta", state.Delta, problems);
    checkFinite("Gamma", state.Gamma, problems);
    checkFinite("XDltC", state.XDltC, problems);
    checkFinite("Tau", state.Tau, problems);
    checkFinite("F", state.F, problems);
    checkFinite("G", state.G, problems);
    checkFinite("EM", state.EM, problems);
    for (int i = CoordinateTable::kFirst; i <= CoordinateTable::kLast; ++i) {
        if (!std::isfinite(state.XU[i]) || !std::isfinite(state.YU[i]) || !std::isfinite(state.XL[i]) ||
            !std::isfinite(state.YL[i]))
            problems.emplace_back("table entry " + std::to_string(i) + " is not finite");
    }
}

// What the window shows is the stored value rounded: read back, it is that value
// within half a unit of the fifth decimal.
inline void checkShown(const char* name, const std::string& text, double stored, std::vector<std::string>& problems)
{
    if (!isNumberText(text)) {
        problems.emplace_back(std::string(name) + " shown as '" + text + "'");
        return;
    }
    double shown = 0;
    try {
        shown = readLeadingNumber(text);
    } catch (const ArithmeticError&) {
        // 15 digits of a value next to the largest double can round beyond it.
        if (std::fabs(stored) < 1e308) problems.emplace_back(std::string(name) + " shown as '" + text + "'");
        return;
    }
    const double allowed = 0.000005 + std::fabs(stored) * 1e-14;  // 15 significant digits at most
    if (!(std::fabs(shown - stored) <= allowed))
        problems.emplace_back(std::string(name) + " shown as " + text + " for " + std::to_string(stored));
}

inline void checkResults(const WatchedRun& run, const DesignState& state, std::vector<std::string>& problems)
{
    const WatchingFrontEnd& ui = run.frontEnd;
    if (run.error) {
        if (ui.drawings != 0) problems.emplace_back("a stopped run drew the section");
        return;
    }
    if (ui.showings != 1 || ui.drawings != 1)
        problems.emplace_back("a completed run did not show and draw exactly once");
    if (ui.texts.airfoilType != kJoukowskyAirfoil && ui.texts.airfoilType != kKarmanTrefftzAirfoil)
        problems.emplace_back("family shown as '" + ui.texts.airfoilType + "'");
    checkShown("F", ui.texts.f, state.F, problems);
    checkShown("G", ui.texts.g, state.G, problems);
    checkShown("m", ui.texts.m, state.EM, problems);
    for (std::size_t i = 0; i < ui.outline.size(); ++i)
        if (!std::isfinite(ui.outline[i].x) || !std::isfinite(ui.outline[i].y))
            problems.emplace_back("outline point " + std::to_string(i + 1) + " is not finite");
}

}  // namespace detail

// Every rule a run broke, in words; empty for a sound run.
inline std::vector<std::string> problemsOf(const WatchedRun& run, const DesignState& state, const TypedInputs& inputs)
{
    std::vector<std::string> problems;
    detail::checkHistory(run, inputs.locationMode, problems);
    detail::checkState(state, problems);
    detail::checkResults(run, state, problems);
    return problems;
}

}  // namespace folix::sweep
