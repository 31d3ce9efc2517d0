#pragma once

#include "rt/Class.h"
#include "rt/Object.h"

namespace morvane {

// The editors' actions on a menu row ("SBUIActionView"): the slider's percentage follows the
// finger and its level is saved 0.5 s after the finger lifts; the remove button deletes the
// stored level; each switch tap stores the button's new state. Every change is written to the
// values file at once and shown in the row's subtitle — only once the file holds it: a
// change whose write fails is taken back and the row shows what the file holds.
class ValueEditing {
  public:
    static constexpr double kSaveDelay = 0.5;

    // "onSliderValChanged:forEvent:"
    static void onSliderValChanged(rt::Object* row, rt::Object* slider, rt::Object* event);
    // "saveValueAndDismiss"
    static void saveValueAndDismiss(rt::Object* row);
    // "removeButtonClicked:"
    static void removeButtonClicked(rt::Object* row, rt::Object* sender);
    // "toggleButtonClicked:"
    static void toggleButtonClicked(rt::Object* row, rt::Object* button);

    // The row's editor closes: a slider value whose save is still due is saved now, under the
    // row's key; the save due later finds nothing to do.
    static void saveDueSliderValue(rt::Object* row);
    // The menu of `controller` goes away: a slider value of its rows whose save is still due
    // is saved now, under its row's key; the save due later finds nothing to do.
    static void savePendingSliderValues(rt::Object* controller);
};

}  // namespace morvane
