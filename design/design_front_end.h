#pragma once

#include "design/outline.h"
#include "design/result_texts.h"
#include "engine/history_sink.h"

namespace folix {

// A front end of the design run: the window, the command line or a test.
class DesignFrontEnd : public HistorySink {
public:
    virtual void clearHistory() = 0;
    virtual void showResults(const ResultTexts& texts) = 0;
    virtual void drawSection(const Outline& outline) = 0;
    // The location search gave up (after its line).
    virtual void exponentSearchGaveUp() {}
    // A safeguarded solve took over the solve that began last (after its line);
    // its measurements and its end follow as a solve's do.
    virtual void safeguardedSolveStarted() {}
};

}  // namespace folix
