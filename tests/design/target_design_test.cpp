#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "design/bucket_design.h"
#include "design/cavitation_bucket.h"
#include "design/design_status.h"
#include "design/ideal_angle.h"
#include "design/lift_design.h"
#include "design/reported_design.h"
#include "engine/section_analysis.h"
#include "engine/section_polar.h"

namespace folix {
namespace {

const double kPi = 4 * std::atan(1.0);

DesignInputs inputs(double thickness, double teAngle, std::optional<double> location = std::nullopt)
{
    DesignInputs in;
    in.thickness = thickness;
    in.teAngleDegrees = teAngle;
    in.maxThicknessAt = location;
    return in;
}

struct LiftCase {
    DesignInputs inputs;
    double Cl;
    std::optional<double> alpha;  // none: the ideal angle
};

// The solver's answer checked without it: the ordinary design of the camber
// it reports, analysed afresh.
TEST(LiftDesign, MeetsTheTargetOnTheOrdinaryDesignOfTheSolvedCamber)
{
    const LiftCase cases[] = {
        {inputs(0.12, 10), 0.5, 2.0},   {inputs(0.12, 10), 0.3, std::nullopt}, {inputs(0.12, 10, 0.3), 0.8, 0.0},
        {inputs(0.06, 0), 0.25, std::nullopt}, {inputs(0.2, 10), 1.0, 4.0}, {inputs(0.1, -10), 0.6, 3.0},
        {inputs(0.12, 10), 0.2402102, std::nullopt}, {inputs(0.15, 20, 0.35), 0.4, std::nullopt},
    };
    for (const LiftCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.inputs.thickness << " " << c.inputs.teAngleDegrees << " Cl " << c.Cl);
        const LiftDesign found = designForLift({c.inputs, c.Cl, c.alpha});
        ASSERT_FALSE(found.failure) << found.failure->reason;
        EXPECT_LE(found.designRuns, kMostLiftRuns);
        EXPECT_GE(found.camber, 0);

        DesignInputs again = c.inputs;
        again.camber = found.camber;
        const DesignOutcome ordinary = reportedDesign(again);
        ASSERT_TRUE(converged(ordinary));
        EXPECT_EQ(ordinary.record.F, found.outcome.record.F);
        EXPECT_EQ(ordinary.record.G, found.outcome.record.G);
        EXPECT_EQ(ordinary.record.m, found.outcome.record.m);
        const DesignRecord& r = ordinary.record;
        const SectionAnalysis analysis(r.F, r.G, r.m, {});
        const double alpha = c.alpha ? *c.alpha : leadingEdge(r.F, r.G, r.m).idealAngle;
        EXPECT_EQ(found.alpha, alpha);
        EXPECT_LE(std::abs(analysis.liftCoefficient(alpha) - c.Cl), kLiftTolerance);
    }
}

// At the ideal angle the leading edge, the outline's least x/c, is a stagnation point.
TEST(IdealAngle, LeadingEdgeIsTheLeastXAndAStagnationPoint)
{
    const double sections[][3] = {{0.0835416, 0, 2}, {0.0703044, 0.0437693, 1.9444444}, {0.0680945, 0.2139440, 1.96},
                                  {0.1296, 0.04423, 2.05556}};
    for (const auto& s : sections) {
        const LeadingEdge edge = leadingEdge(s[0], s[1], s[2]);
        std::vector<double> nose;
        for (int k = -2000; k <= 2000; ++k) nose.push_back(edge.circleAngle + k * 1e-5);
        for (const SectionPoint& p : outlinePoints(s[0], s[1], s[2], nose)) EXPECT_GE(p.x, edge.x - 1e-15) << s[1];
        const SectionAnalysis atEdge(s[0], s[1], s[2], {edge.circleAngle});
        EXPECT_NEAR(atEdge.pressureCoefficients(edge.idealAngle).front(), 1.0, 1e-12) << s[1];
    }
    const LeadingEdge symmetric = leadingEdge(0.0835416, 0, 2);
    EXPECT_EQ(symmetric.idealAngle, 0.0);
    EXPECT_EQ(symmetric.circleAngle, 0.0);
    EXPECT_THROW(leadingEdge(0, 0.04, 2), ArithmeticError);  // no rounded leading edge
}

// Thin-aerofoil theory: a circular-arc camber line lifts 4 pi times its camber at the ideal angle.
TEST(LiftDesign, ThinSectionLiftsFourPiTimesItsCamberAtTheIdealAngle)
{
    for (const double Cl : {0.1, 0.25, 0.5}) {
        const LiftDesign found = designForLift({inputs(0.01, 0), Cl, std::nullopt});
        ASSERT_FALSE(found.failure);
        EXPECT_NEAR(Cl / (4 * kPi * found.camber), 1.0, 0.01) << Cl;
        EXPECT_NEAR(found.alpha, 0.0, 0.05) << Cl;
    }
}

TEST(LiftDesign, TargetsOutOfReachAreRefusedWithTheInputToChange)
{
    struct Refused {
        LiftCase target;
        const char* reason;
        const char* hint;
    };
    const Refused cases[] = {
        {{inputs(0.12, 10), 0.1, 2.0}, "below the symmetric section's Cl 0.24021 there", "lower the angle of attack to 0.832"},
        {{inputs(0.12, 10), 20, 2.0}, "needs more lift than the design run reaches", "lower the lift target to"},
        {{inputs(0.12, 10), 1.2743, std::nullopt}, "jumps from 1.274214628 to 1.274342778", "outside 1.274214628 to"},
        {{inputs(0.01, 10), 0.3, std::nullopt}, "(camber 0), where the search starts, cannot be designed", "thickness"},
    };
    for (const Refused& c : cases) {
        const LiftDesign found = designForLift({c.target.inputs, c.target.Cl, c.target.alpha});
        ASSERT_TRUE(found.failure) << c.reason;
        EXPECT_NE(found.failure->reason.find(c.reason), std::string::npos) << found.failure->reason;
        EXPECT_NE(found.failure->hint.find(c.hint), std::string::npos) << found.failure->hint;
        EXPECT_FALSE(found.outcome.ran());
        EXPECT_LE(found.designRuns, kMostLiftRuns);
    }
}

// The linear crossing of sigma by -Cp_min between the polar's neighbouring angles.
double crossing(const std::vector<PolarRow>& polar, double sigma)
{
    for (std::size_t k = 1; k < polar.size(); ++k) {
        const double a = -polar[k - 1].CpMin - sigma;
        const double b = -polar[k].CpMin - sigma;
        if ((a <= 0) != (b <= 0)) return polar[k - 1].alpha + (polar[k].alpha - polar[k - 1].alpha) * a / (a - b);
    }
    return NAN;
}

TEST(CavitationBucket, EdgesAreWhereAFinePolarCrossesSigma)
{
    const double cases[][4] = {{0.12, 0.02, 10, 0.8}, {0.06, 0, 0, 1.5}, {0.2, 0.04, 5, 1.0}, {0.12, 0.02, 10, 4}};
    for (const auto& c : cases) {
        DesignInputs in = inputs(c[0], c[2]);
        in.camber = c[1];
        const DesignRecord r = reportedDesign(in).record;
        const BucketOutcome found = cavitationBucket(r.F, r.G, r.m, c[3]);
        ASSERT_TRUE(found.bucket) << c[0];
        const CavitationBucket& bucket = *found.bucket;
        for (const BucketPoint* edge : {&bucket.low, &bucket.high}) {
            EXPECT_NEAR(edge->suction, c[3], 1e-8);
            const std::vector<PolarRow> fine =
                sectionPolar(r.F, r.G, r.m, polarAngles(edge->alpha - 0.01, edge->alpha + 0.01, 1e-4));
            EXPECT_NEAR(crossing(fine, c[3]), edge->alpha, 1e-6);
            EXPECT_EQ(edge->Cl, SectionAnalysis(r.F, r.G, r.m, {}).liftCoefficient(edge->alpha));
        }
        for (const PolarRow& row : sectionPolar(r.F, r.G, r.m, polarAngles(bucket.low.alpha, bucket.high.alpha, 0.01))) {
            EXPECT_LE(-row.CpMin, c[3] + 1e-9) << row.alpha;
            EXPECT_GE(-row.CpMin, bucket.floor.suction - 1e-12) << row.alpha;
        }
        EXPECT_LT(bucket.low.alpha, bucket.floor.alpha);
        EXPECT_LT(bucket.floor.alpha, bucket.high.alpha);
    }
}

TEST(CavitationBucket, NoRangeBelowTheFloorNorForAReEntrantTrailingEdge)
{
    const BucketOutcome below = cavitationBucket(0.0703044, 0.0437693, 1.9444444, 0.3);
    ASSERT_TRUE(below.failure && below.floor);
    EXPECT_FALSE(below.bucket);
    EXPECT_NE(below.failure->reason.find("no cavitation-free range at sigma 0.3"), std::string::npos);
    EXPECT_GT(below.floor->suction, 0.3);
    const BucketOutcome reEntrant = cavitationBucket(0.1296, 0.04423, 2.05556, 0.8);
    ASSERT_TRUE(reEntrant.failure);
    EXPECT_NE(reEntrant.failure->reason.find("m > 2"), std::string::npos);
}

TEST(BucketDesign, ThinnestSectionHoldsTheRangeOnItsEdge)
{
    const BucketDesign found = designForBucket({inputs(0, 10), 0.3, 0.8, 0.2});
    ASSERT_FALSE(found.failure);
    const CentredSection& s = *found.section;
    EXPECT_LE(s.bucket.low.Cl, 0.1);
    EXPECT_GE(s.bucket.high.Cl, 0.5);
    EXPECT_NEAR(s.bucket.centre(), 0.3, 1e-6);
    EXPECT_GE(s.margin, 0);
    EXPECT_LT(s.margin, 1e-4);  // the thickness sits where the range just fits
    const DesignRecord& r = s.outcome.record;
    EXPECT_EQ(r.thickness, s.thickness);
    EXPECT_EQ(r.camber, s.camber);
    EXPECT_EQ(cavitationBucket(r.F, r.G, r.m, 0.8).bucket->low.alpha, s.bucket.low.alpha);

    const BucketDesign tooWide = designForBucket({inputs(0, 10), 0.3, 0.8, 0.5});
    ASSERT_TRUE(tooWide.failure && tooWide.widest);
    EXPECT_LT(tooWide.widest->bucket.width(), 1.0);
    EXPECT_NE(tooWide.failure->reason.find("the widest bucket found"), std::string::npos);
}

}  // namespace
}  // namespace folix
