#pragma once

#include "design/design_front_end.h"

// A design run's front end that shows nothing: for working out what the
// window should show without the window.
class SilentFrontEnd : public folix::DesignFrontEnd {
public:
    void clearHistory() override {}
    void append(const std::string&) override {}
    void showResults(const folix::ResultTexts&) override {}
    void drawSection(const folix::Outline&) override {}
};
