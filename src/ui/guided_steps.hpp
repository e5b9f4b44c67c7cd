// The guided mode ("Mode Dirigé") as plain data and rules: six dialogs, one
// per parameter page, shown one after the other; each holds its own copy of
// the parameters it asks for, and its "Ok" writes a fixed list of them into
// the main window's parameters, in a fixed order. The last one ends the
// chain with a processing run. The widgets only bind to this.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "engine/parameters.hpp"

namespace sarvelo {

struct GuidedStep {
    std::string_view className;  // the dialog's object name
    std::string_view caption;
    std::string_view stepLabel;
    // What "Ok" writes into the main window, in this order.
    std::vector<std::string_view> written;
    // Shown modally; a non-modal dialog closed by its close box ends the chain.
    bool modal;
};

enum GuidedStepIndex : int {
    kStepFormatage = 0,
    kStepNumerotation,
    kStepRenvois,
    kStepSections,
    kStepDefinition,
    kStepAutresLignes,
    kStepCount
};

std::span<const GuidedStep> guidedSteps();

// The values the dialogs hold when they are created: the start-up values,
// except the separator index, which starts empty.
KeyParams guidedInitialValues();

// What follows a dialog closed by "Ok" or "Passer" (or, for the modal first
// one, by any means): the next dialog, or kStepCount for the processing run.
inline int nextGuidedStep(int step) { return step + 1 < kStepCount ? step + 1 : kStepCount; }

// "Ok": copies the step's parameters from the dialog's values into the main
// window's, in the step's order; returns them in that order.
std::vector<std::string_view> writeGuidedStep(int step, const KeyParams& dialog, KeyParams& main);

}  // namespace sarvelo
