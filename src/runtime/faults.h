#pragma once
// For tests: makes an operation of the layer fail on one window the way a failing platform
// would, raising its RuntimeError, so that a handler's error trap can be driven step by step.

namespace rt {

class Form;

enum class Operation {
    Visible,    // showing or hiding any control of the window
    PrintForm,  // printing the window
    Unload,     // unloading the window
};

// While set, every call of the operation on the window fails.
void simulateFailure(const Form& form, Operation op, bool fails = true);
void clearSimulatedFailures();

// Called by the layer: raises the operation's RuntimeError if a test made it fail.
void raiseIfSimulated(const Form& form, Operation op);

}  // namespace rt
