#include "typed_lift.h"

#include <array>
#include <charconv>

#include "engine/arithmetic_error.h"

namespace folix {

LiftDesign typedLiftDesign(const TypedInputs& typed, double Cl, std::optional<double> alpha)
{
    DesignInputs inputs;
    try {
        inputs = readTypedInputs(typed);
    } catch (const ArithmeticError& error) {
        LiftDesign failed;
        failed.failure = TargetFailure{std::string("a design box holds a number beyond the double range (") +
                                           error.what() + ")",
                                       "type the thickness, angle and location as ordinary numbers"};
        return failed;
    }
    return designForLift(LiftTarget{inputs, Cl, alpha});
}

std::string camberBoxText(double camber)
{
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), camber == 0 ? 0.0 : camber).ptr;
    return std::string(buffer.data(), end);
}

}  // namespace folix
