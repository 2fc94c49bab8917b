#include "target_design.h"

#include <utility>

#include "bucket_report.h"
#include "design/bucket_design.h"
#include "design/lift_design.h"
#include "json_text.h"

namespace folix {

namespace {

std::string member(const std::string& name, const std::string& json) { return "  " + jsonString(name) + ": " + json + ",\n"; }

std::string targetJson(const DesignTargets& targets, std::optional<double> alpha)
{
    std::string json = "{\"Cl\": " + jsonNumber(*targets.cl);
    if (targets.sigma) {
        json += ", \"sigma\": " + jsonNumber(*targets.sigma) +
                ", \"bucket_half_width\": " + jsonNumber(*targets.bucketHalfWidth);
    } else if (targets.ideal) {
        json += ", \"ideal\": true";
    } else {
        json += ", \"alpha\": " + jsonNumber(*alpha);
    }
    return json + "}";
}

SolvedDesign solveLift(const DesignInputs& inputs, const DesignTargets& targets, std::optional<double> alpha)
{
    LiftTarget target{inputs, *targets.cl, targets.ideal ? std::nullopt : alpha};
    LiftDesign found = designForLift(target);
    SolvedDesign solved;
    solved.designRuns = found.designRuns;
    if (found.failure) {
        solved.failure = std::move(found.failure);
        return solved;
    }
    solved.inputs = inputs;
    solved.inputs.camber = found.camber;
    solved.outcome = std::move(found.outcome);
    solved.alpha = found.alpha;
    solved.lines = "camber: " + everyDigit(found.camber) + '\n';
    solved.jsonMembers = member("camber", everyDigit(found.camber));
    if (found.ideal) {
        solved.lines += "alpha_ideal: " + everyDigit(found.alpha) + '\n';
        solved.jsonMembers += member("alpha_ideal", everyDigit(found.alpha));
    }
    solved.jsonMembers += member("design_runs", std::to_string(found.designRuns)) + member("target", targetJson(targets, alpha));
    return solved;
}

SolvedDesign solveBucket(const DesignInputs& inputs, const DesignTargets& targets)
{
    BucketTarget target{inputs, *targets.cl, *targets.sigma, *targets.bucketHalfWidth};
    BucketDesign found = designForBucket(target);
    SolvedDesign solved;
    solved.designRuns = found.designRuns;
    if (found.failure) {
        solved.failure = std::move(found.failure);
        return solved;
    }
    CentredSection& section = *found.section;
    solved.inputs = inputs;
    solved.inputs.thickness = section.thickness;
    solved.inputs.camber = section.camber;
    solved.outcome = std::move(section.outcome);
    solved.bucket = section.bucket;
    const auto fields = bucketFields(section.bucket);
    solved.lines = "thickness: " + everyDigit(section.thickness) + "\ncamber: " + everyDigit(section.camber) + '\n' +
                   bucketLines(section.bucket.sigma, fields);
    std::string bucket = bucketJsonMembers(fields, "    ");
    bucket.resize(bucket.size() - 2);  // the last member's ",\n"
    solved.jsonMembers = member("thickness", everyDigit(section.thickness)) + member("camber", everyDigit(section.camber)) +
                         member("design_runs", std::to_string(found.designRuns)) +
                         member("target", targetJson(targets, std::nullopt)) + member("bucket", "{\n" + bucket + "\n  }");
    return solved;
}

}  // namespace

SolvedDesign solveTargets(const DesignInputs& inputs, const DesignTargets& targets, std::optional<double> alpha)
{
    return targets.sigma ? solveBucket(inputs, targets) : solveLift(inputs, targets, alpha);
}

void writeTargetFailureJson(std::ostream& out, const DesignTargets& targets, std::optional<double> alpha,
                            const SolvedDesign& solved)
{
    out << "{\n"
        << member("target", targetJson(targets, alpha)) << member("design_runs", std::to_string(solved.designRuns))
        << member("error", jsonString(solved.failure->reason)) << "  \"hint\": " << jsonString(solved.failure->hint)
        << "\n}\n";
}

void writeTargetFailure(std::ostream& err, const TargetFailure& failure)
{
    err << "error: " << failure.reason << "\nhint: " << failure.hint << '\n';
}

}  // namespace folix
