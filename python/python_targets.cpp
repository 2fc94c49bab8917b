#include "python_targets.h"

#include <optional>
#include <utility>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "design/bucket_design.h"
#include "design/cavitation_bucket.h"
#include "design/ideal_angle.h"
#include "design/lift_design.h"
#include "python_design.h"
#include "python_errors.h"

namespace py = pybind11;

namespace folix::python {

namespace {

// The kinds of DesignError beside the arithmetic ones.
constexpr const char* kTargetNotMet = "Target not met";
constexpr const char* kNoBucket = "No cavitation-free range";
constexpr int kBucketTablePoints = 41;

constexpr const char* kLiftDoc = R"(Designs the section whose exact inviscid lift coefficient is cl.

cl: the lift coefficient wanted, 0 or more.
thickness: thickness ratio over chord.
te_angle: trailing-edge angle in degrees (0 when None; with max_thickness_at
    the first exponent tried), max_thickness_at: location of maximum
    thickness over chord (location mode), as for design().
alpha: the angle of attack in degrees at which the section lifts cl; or
ideal=True: at the section's ideal angle, where the front stagnation point
    is on the leading edge (the outline's point of least x/c), so the flow
    meets the nose without a suction peak. Give exactly one.

Solves the camber ratio (never negative) so that |Cl - cl| <= 1e-9 for the
design returned: exactly design(thickness, d.camber, ...). Its angle is alpha,
or d.ideal_angle. Raises DesignError with kind "Target not met" and a hint
naming the input to change when no camber meets the target, ValueError for a
negative cl, both or neither of alpha and ideal, NaN or infinity.)";

constexpr const char* kBucketDesignDoc = R"(Designs the thinnest section that stays free of cavitation over a range of Cl.

cl: the middle of the range; half_width: its half-width in Cl (> 0);
sigma: the cavitation number (> 0). te_angle, max_thickness_at: as for
design(). Thickness and camber are solved: the camber centres the section's
cavitation bucket on cl, the thickness is the least (within 1e-6) whose bucket
holds [cl - half_width, cl + half_width]. d.thickness and d.camber give them,
d.bucket(sigma) the bucket. Raises DesignError ("Target not met", with a hint
and the widest bucket found) when no thickness reaches the range.)";

constexpr const char* kBucketDoc = R"(The cavitation bucket at cavitation number sigma (> 0).

The range of angle of attack about the floor over which -Cp_min <= sigma,
Cp_min over the whole surface as `folix polar` finds it; edges to 1e-9
degrees. Raises DesignError with kind "No cavitation-free range" (and a hint)
when sigma lies below the floor or the section has no finite speed everywhere
(m > 2).)";

constexpr const char* kBucketClassDoc = R"(A section's cavitation bucket: the angles of attack (degrees) and
lift coefficients over which it is free of cavitation at sigma.)";

// folix.Bucket: the bucket and the section it belongs to.
struct Bucket {
    CavitationBucket bucket;
    double F = 0;
    double G = 0;
    double m = 0;

    py::array_t<double> table(int points) const
    {
        if (points < 2) throw py::value_error("points must be 2 or more");
        const std::vector<BucketPoint> rows = bucketTable(F, G, m, bucket, points);
        py::array_t<double> cells({static_cast<py::ssize_t>(rows.size()), py::ssize_t{3}});
        auto at = cells.mutable_unchecked<2>();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto row = static_cast<py::ssize_t>(i);
            at(row, 0) = rows[i].alpha;
            at(row, 1) = rows[i].Cl;
            at(row, 2) = rows[i].suction;
        }
        return cells;
    }
};

[[noreturn]] void raiseTargetError(const TargetFailure& failure, const char* kind)
{
    py::object error = py::module_::import("folix").attr("DesignError")(failure.reason, kind, py::list());
    error.attr("hint") = failure.hint;
    PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(error.ptr())), error.ptr());
    throw py::error_already_set();
}

DesignInputs designInputs(std::optional<double> thickness, std::optional<double> teAngle,
                          std::optional<double> maxThicknessAt)
{
    DesignInputs inputs;
    if (thickness) inputs.thickness = finite(*thickness, "thickness");
    inputs.teAngleDegrees = teAngle ? finite(*teAngle, "te_angle") : 0.0;
    if (maxThicknessAt) inputs.maxThicknessAt = finite(*maxThicknessAt, "max_thickness_at");
    return inputs;
}

double positive(double value, const char* what)
{
    if (!(finite(value, what) > 0)) throw py::value_error(std::string(what) + " must be greater than 0");
    return value;
}

Design designForLift(double cl, double thickness, std::optional<double> teAngle, std::optional<double> maxThicknessAt,
                     std::optional<double> alpha, bool ideal)
{
    if (finite(cl, "cl") < 0) throw py::value_error("cl must be 0 or more: the camber ratio is never negative");
    if (ideal == alpha.has_value()) throw py::value_error("give either alpha or ideal=True");
    LiftTarget target{designInputs(thickness, teAngle, maxThicknessAt), cl,
                      alpha ? std::optional(finite(*alpha, "alpha")) : std::nullopt};
    LiftDesign found;
    {
        const py::gil_scoped_release unlocked;
        found = folix::designForLift(target);
    }
    if (found.failure) raiseTargetError(*found.failure, kTargetNotMet);
    DesignInputs solved = target.inputs;
    solved.camber = found.camber;
    return {solved, std::move(found.outcome)};
}

Design designForBucket(double cl, double sigma, double halfWidth, std::optional<double> teAngle,
                       std::optional<double> maxThicknessAt)
{
    if (finite(cl, "cl") < 0) throw py::value_error("cl must be 0 or more: the camber ratio is never negative");
    BucketTarget target{designInputs(std::nullopt, teAngle, maxThicknessAt), cl, positive(sigma, "sigma"),
                        positive(halfWidth, "half_width")};
    BucketDesign found;
    {
        const py::gil_scoped_release unlocked;
        found = folix::designForBucket(target);
    }
    if (found.failure) raiseTargetError(*found.failure, kTargetNotMet);
    DesignInputs solved = target.inputs;
    solved.thickness = found.section->thickness;
    solved.camber = found.section->camber;
    return {solved, std::move(found.section->outcome)};
}

Bucket bucketOf(const Design& design, double sigma)
{
    const DesignRecord& record = design.outcome().record;
    positive(sigma, "sigma");
    BucketOutcome found;
    {
        const py::gil_scoped_release unlocked;
        found = cavitationBucket(record.F, record.G, record.m, sigma);
    }
    if (found.failure) raiseTargetError(*found.failure, kNoBucket);
    return {*found.bucket, record.F, record.G, record.m};
}

std::string bucketRepr(const Bucket& b)
{
    const CavitationBucket& k = b.bucket;
    return "<folix.Bucket sigma=" + messageNumber(k.sigma) + " alpha " + messageNumber(k.low.alpha) + " to " +
           messageNumber(k.high.alpha) + " deg, Cl " + messageNumber(k.low.Cl) + " to " + messageNumber(k.high.Cl) + ">";
}

// A read-only property on a class registered elsewhere.
void addProperty(py::object& cls, const char* name, const py::cpp_function& getter, const char* doc)
{
    if (py::hasattr(cls, name)) return;  // the class has one of its own
    py::setattr(cls, name, py::module_::import("builtins").attr("property")(getter, py::none(), py::none(), doc));
}

}  // namespace

void addTargets(py::module_& module)
{
    py::object errorClass = module.attr("DesignError");
    py::setattr(errorClass, "hint", py::none());

    py::class_<Bucket>(module, "Bucket", kBucketClassDoc)
        .def_property_readonly("sigma", [](const Bucket& b) { return b.bucket.sigma; }, "The cavitation number.")
        .def_property_readonly("alpha_low", [](const Bucket& b) { return b.bucket.low.alpha; },
                               "Angle of attack of the low edge, degrees.")
        .def_property_readonly("alpha_high", [](const Bucket& b) { return b.bucket.high.alpha; },
                               "Angle of attack of the high edge, degrees.")
        .def_property_readonly("cl_low", [](const Bucket& b) { return b.bucket.low.Cl; }, "Cl at the low edge.")
        .def_property_readonly("cl_high", [](const Bucket& b) { return b.bucket.high.Cl; }, "Cl at the high edge.")
        .def_property_readonly("width", [](const Bucket& b) { return b.bucket.width(); }, "cl_high - cl_low.")
        .def_property_readonly("alpha_floor", [](const Bucket& b) { return b.bucket.floor.alpha; },
                               "Angle of attack of the floor (the least -Cp_min), degrees.")
        .def_property_readonly("cl_floor", [](const Bucket& b) { return b.bucket.floor.Cl; }, "Cl at the floor.")
        .def_property_readonly("floor", [](const Bucket& b) { return b.bucket.floor.suction; },
                               "-Cp_min at the floor: the least sigma with a cavitation-free range.")
        .def("table", &Bucket::table, py::arg("points") = kBucketTablePoints,
             "A (points, 3) array of alpha (degrees), Cl and -Cp_min at angles evenly over the range.")
        .def("__repr__", &bucketRepr);

    py::object designClass = module.attr("Design");
    py::setattr(designClass, "bucket",
                py::cpp_function(&bucketOf, py::name("bucket"), py::is_method(designClass), py::arg("sigma"), kBucketDoc));
    addProperty(designClass, "thickness",
                py::cpp_function([](const Design& d) { return d.outcome().record.thickness; }, py::is_method(designClass)),
                "The thickness ratio the design was made for (solved by design_for_bucket).");
    addProperty(designClass, "camber",
                py::cpp_function([](const Design& d) { return d.outcome().record.camber; }, py::is_method(designClass)),
                "The camber ratio the design was made for (solved by design_for_lift and design_for_bucket).");
    addProperty(designClass, "ideal_angle",
                py::cpp_function(
                    [](const Design& d) {
                        const DesignRecord& r = d.outcome().record;
                        return leadingEdge(r.F, r.G, r.m).idealAngle;
                    },
                    py::is_method(designClass)),
                "The ideal angle of attack in degrees: the front stagnation point on the leading edge, the\n"
                "outline's point of least x/c. 0 for a symmetric section.");

    module.def("design_for_lift", &designForLift, py::arg("cl"), py::arg("thickness"), py::kw_only(),
               py::arg("te_angle") = py::none(), py::arg("max_thickness_at") = py::none(), py::arg("alpha") = py::none(),
               py::arg("ideal") = false, kLiftDoc);
    module.def("design_for_bucket", &designForBucket, py::arg("cl"), py::arg("sigma"), py::arg("half_width"),
               py::kw_only(), py::arg("te_angle") = py::none(), py::arg("max_thickness_at") = py::none(),
               kBucketDesignDoc);
}

}  // namespace folix::python
