#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <optional>
#include <stdexcept>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/number_text.h"
#include "tests/typical_design.h"
#include "design/design_batch.h"
#include "design/design_outcome.h"
#include "design/design_save.h"
#include "design/design_status.h"
#include "design/run_texts.h"
#include "window/typed_inputs.h"

namespace folix {
namespace {

struct Case {
    TypedInputs inputs;
    std::optional<ErrorKind> error;
    std::size_t solves;
    int lastSolveMeasurements;
    std::optional<bool> lastSolveConverged;
    bool searchGaveUp;
    bool measuredShownSection;
    const char* maxThicknessAt;  // as shown; the last measurement's
};

const Case kCases[] = {
    {{"0.12", "0.02", "10", "0", false}, std::nullopt, 1, 5, true, false, true, "0.32657"},
    {{"0.12", "0.02", "0", "0.30", true}, std::nullopt, 4, 5, true, false, true, "0.29983"},
    {{"0.6", "0.15", "20", "0", false}, std::nullopt, 1, 26, true, false, true, "0.33138"},  // safeguarded solve
    {{"0.956", "0.153", "-15.9", "0", false}, std::nullopt, 1, 22, false, false, false, "0.64073"},  // gives up
    {{"0.04", "0", "0", "0.2", true}, std::nullopt, 22, 4, true, true, false, "0.62522"},     // search gives up
    {{"0.12", "0.02", "9", "0.3", true}, ErrorKind::DivisionByZero, 2, 5, true, false, false, "0.31787"},
    {{"0.06", "0", "18", "0", false}, ErrorKind::InvalidArgument, 1, 2, std::nullopt, false, false, "0.38846"},
    {{"1e308", "0", "10", "0", false}, ErrorKind::Overflow, 1, 0, std::nullopt, false, false, nullptr},
};

TEST(DesignOutcome, WhatEachRunReportsAsData)
{
    for (const Case& c : kCases) {
        const DesignOutcome o = typedDesignOutcome(c.inputs);
        SCOPED_TRACE(c.inputs.delta + "," + c.inputs.gamma + "," + c.inputs.tau);
        EXPECT_EQ(o.error ? std::optional(o.error->kind) : std::nullopt, c.error);
        EXPECT_EQ(o.error ? o.error->reason : "", c.error ? errorMessage(*c.error) : "");
        ASSERT_EQ(o.solves.size(), c.solves);
        EXPECT_EQ(o.solves.back().measurements, c.lastSolveMeasurements);
        EXPECT_EQ(o.solves.back().converged, c.lastSolveConverged);
        EXPECT_EQ(o.locationSearchGaveUp, c.searchGaveUp);
        EXPECT_EQ(o.measuredShownSection, c.measuredShownSection);
        EXPECT_EQ(o.maxThicknessAt ? displayText(*o.maxThicknessAt) : "none", c.maxThicknessAt ? c.maxThicknessAt : "none");
        EXPECT_EQ(converged(o), !c.error && c.measuredShownSection && !c.searchGaveUp);
        EXPECT_EQ(o.outline.has_value(), !c.error);
        EXPECT_EQ(o.texts.m, c.error ? "" : displayText(o.record.m));
    }
}

TEST(DesignOutcome, TypicalRunKeepsTheWindowsTextsAndRecord)
{
    const DesignOutcome o = designOutcome({0.12, 0.02, 10, std::nullopt});
    EXPECT_EQ(o.history, typical::runHistory());
    EXPECT_EQ(o.record.family, kKarmanTrefftzAirfoil);
    EXPECT_EQ(o.solves[0].exponent, o.record.m);
    const DesignState record = designState(o.record);
    EXPECT_EQ(record.F, o.record.F);
    EXPECT_EQ(record.XDltC, *o.maxThicknessAt);  // angle mode records the measured location
    EXPECT_EQ(record.AirfoilType, o.record.family);
}

TEST(DesignSave, OnlyADesignThatMetItsTargetsIsSaved)
{
    struct Rule {
        TypedInputs inputs;
        const char* status;
        const char* refusal;  // none: saved
    };
    const Rule rules[] = {
        {{"0.12", "0.02", "10", "0", false}, "ok", nullptr},
        {{"0.04", "0", "0", "0.2", true}, "not converged",
         "the last design run did not converge (the search for m gave up after 20 steps)"},
        {{"0.956", "0.153", "-15.9", "0", false}, "not converged",
         "the last design run did not converge (the solve for F and G at m=2.08833 gave up after 20 steps)"},
        {{"0.12", "0.02", "9", "0.3", true}, "error: Division by zero", "the last design run stopped on an error"},
    };
    for (const Rule& rule : rules) {
        const DesignOutcome o = typedDesignOutcome(rule.inputs);
        EXPECT_EQ(statusText(o), rule.status) << rule.inputs.delta;
        EXPECT_EQ(saveRefusal(o), rule.refusal ? std::optional<std::string>(rule.refusal) : std::nullopt);
        const DesignSave refused = saveDesign(o, "/nonexistent/folder/Folix_Input.txt");
        EXPECT_EQ(refused.refused.has_value(), rule.refusal != nullptr);
    }
    // Before any run the unset record is saved, as the window's first "Save result" does.
    EXPECT_FALSE(saveRefusal(DesignOutcome{}));
}

}  // namespace
}  // namespace folix

namespace folix {
namespace {

TEST(DesignBatch, OutcomesInInputOrderWhateverTheWorkers)
{
    std::vector<DesignInputs> inputs;
    for (const Case& c : kCases) inputs.push_back(readTypedInputs(c.inputs));
    inputs.insert(inputs.end(), inputs.begin(), inputs.end());
    const std::vector<DesignOutcome> one = designOutcomes(inputs, 1);
    const std::vector<DesignOutcome> four = designOutcomes(inputs, 4);
    ASSERT_EQ(four.size(), inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_EQ(four[i].history, one[i].history) << i;
        EXPECT_EQ(four[i].record.F, one[i].record.F) << i;
        EXPECT_EQ(four[i].history, designOutcome(inputs[i]).history) << i;
    }
}

TEST(DesignBatch, AWorkersExceptionReachesTheCallerAfterAllStopped)
{
    EXPECT_THROW(forEachIndex(1000, 3,
                              [](std::size_t i) {
                                  if (i == 10) throw std::runtime_error("row 10");
                              }),
                 std::runtime_error);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

TEST(DesignBatch, MoreWorkersThanTheSystemStartsStillDoEveryRow)
{
    if (kAddressSanitizer) GTEST_SKIP() << "the sanitizer's shadow memory needs more room than the limit leaves";
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // Room for the process as it is and a few thread stacks, not for 4000.
        std::ifstream statm("/proc/self/statm");
        rlim_t pages = 0;
        statm >> pages;
        const rlim_t room = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t{64} << 20);
        const rlimit limit{room, room};
        ::setrlimit(RLIMIT_AS, &limit);
        std::atomic<std::size_t> done{0};
        forEachIndex(4000, 4000, [&](std::size_t) { ++done; });
        ::_exit(done == 4000 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace folix
