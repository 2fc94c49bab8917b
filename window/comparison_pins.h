#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/mapped_section.h"
#include "engine/selig_export.h"

namespace folix {

// Sections kept for comparison beside the shown design: pinned designs and
// reference sections read from coordinate files.
inline constexpr std::size_t kMostPins = 6;

struct Pin {
    std::string label;                  // the legend's entry
    std::vector<SectionPoint> outline;  // chord lengths, Selig order
    std::optional<MappedSection> section;  // a pinned design's mapping; none for a reference section
    std::size_t slot = 0;  // 0 to kMostPins - 1, the first free when pinned: its colour, kept while it stays
};

class ComparisonPins {
public:
    // Adds the pin after the others in the first free slot, or says why it cannot: all kMostPins are
    // taken, or a pin of the same label and section is there already.
    std::optional<std::string> add(Pin pin);
    // Index out of range: nothing happens.
    void remove(std::size_t index);
    void clear() { pins_.clear(); }

    const std::vector<Pin>& pins() const { return pins_; }
    bool full() const { return pins_.size() >= kMostPins; }

private:
    std::vector<Pin> pins_;
};

}  // namespace folix
