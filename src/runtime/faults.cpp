#include "runtime/faults.h"

#include "runtime/errors.h"

#include <set>
#include <utility>

namespace rt {

namespace {
std::set<std::pair<const Form*, Operation>>& failing() {
    static std::set<std::pair<const Form*, Operation>> set;
    return set;
}
}  // namespace

void simulateFailure(const Form& form, Operation op, bool fails) {
    if (fails)
        failing().emplace(&form, op);
    else
        failing().erase({&form, op});
}

void clearSimulatedFailures() { failing().clear(); }

void raiseIfSimulated(const Form& form, Operation op) {
    if (failing().empty() || !failing().count({&form, op})) return;
    switch (op) {
    case Operation::Visible:
    case Operation::Unload:
        throw RuntimeError(errInvalidProcedureCall, "Invalid procedure call or argument");
    case Operation::PrintForm:
        throw RuntimeError(errPrinter, "Printer error");
    }
}

}  // namespace rt
