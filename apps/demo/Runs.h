#pragma once
// The demo's two ways to run the order form: headless, with injected input
// and PNG pictures; and live, in a window a person uses.

#include "Options.h"

namespace demo {

class OrderForm;

// Without a window: the script (--script), or the built-in run: open the
// first control's list with a click on its button and type "Ro"
// (demo-form.png: the completed text, its typed part kept, the matching row
// current in the open list), point at a row (demo-hover.png: that row
// highlighted) and click it (demo-picked.png: its text in the closed
// control); then open the second control's list, which opens above it
// (demo-list-above.png). Prints what the controls report.
int run_headless(OrderForm& form, const Options& options);

// In a window until it is closed; a script (--script) is played first, one
// action each time the form has nothing left to do.
int run_live(OrderForm& form, const Options& options);

} // namespace demo
