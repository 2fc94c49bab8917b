#include "comparison_pins.h"

#include <algorithm>

namespace folix {

namespace {

bool sameSection(const std::optional<MappedSection>& a, const std::optional<MappedSection>& b)
{
    if (!a || !b) return !a && !b;
    return a->F == b->F && a->G == b->G && a->EM == b->EM;
}

}  // namespace

std::optional<std::string> ComparisonPins::add(Pin pin)
{
    if (full()) return "all " + std::to_string(kMostPins) + " pins are taken: remove one first";
    const bool pinned = std::any_of(pins_.begin(), pins_.end(), [&](const Pin& other) {
        return other.label == pin.label && sameSection(other.section, pin.section);
    });
    if (pinned) return "'" + pin.label + "' is pinned already";
    pin.slot = 0;
    while (std::any_of(pins_.begin(), pins_.end(), [&](const Pin& other) { return other.slot == pin.slot; })) ++pin.slot;
    pins_.push_back(std::move(pin));
    return std::nullopt;
}

void ComparisonPins::remove(std::size_t index)
{
    if (index < pins_.size()) pins_.erase(pins_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace folix
