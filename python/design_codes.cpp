#include "design_codes.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "design/design_status.h"
#include "design/run_texts.h"

namespace folix::python {

namespace {

constexpr std::array<ErrorKind, 4> kErrorKinds = {ErrorKind::DivisionByZero, ErrorKind::InvalidArgument,
                                                  ErrorKind::Overflow, ErrorKind::SubscriptOutOfRange};
constexpr Code kOkCode = 0;
constexpr Code kNotConvergedCode = 1;
constexpr Code kSurfacesCrossCode = 2;
constexpr Code kFirstErrorCode = 3;

Code codeOf(const std::vector<std::string>& names, const std::string& name)
{
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) throw std::logic_error("no code is given to \"" + name + "\"");
    return static_cast<Code>(found - names.begin());
}

}  // namespace

std::vector<std::string> familyNames() { return {"", kJoukowskyAirfoil, kKarmanTrefftzAirfoil}; }

Code familyCode(const std::string& family)
{
    static const std::vector<std::string> names = familyNames();
    return codeOf(names, family);
}

std::vector<std::string> statusNames()
{
    std::vector<std::string> names = {"ok", "not converged", "surfaces cross"};
    for (const ErrorKind kind : kErrorKinds) names.push_back(std::string("error: ") + errorMessage(kind));
    names.emplace_back("bad row");
    return names;
}

Code errorCode(ErrorKind kind)
{
    const auto found = std::find(kErrorKinds.begin(), kErrorKinds.end(), kind);
    return static_cast<Code>(kFirstErrorCode + (found - kErrorKinds.begin()));
}

Code statusCode(const DesignOutcome& outcome)
{
    switch (designStatus(outcome)) {
    case DesignStatus::Ok: return kOkCode;
    case DesignStatus::SurfacesCross: return kSurfacesCrossCode;
    case DesignStatus::NotConverged: return kNotConvergedCode;
    case DesignStatus::Stopped: break;
    }
    return errorCode(outcome.error->kind);
}

}  // namespace folix::python
