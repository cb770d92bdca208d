#pragma once
// A run-time failure of a windowing operation. Handlers with an error trap catch it;
// the dispatcher reports any other one and ends the program.

#include <QString>
#include <stdexcept>

namespace rt {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description) {}
    int number() const { return number_; }
    const QString& description() const { return description_; }

private:
    int number_;
    QString description_;
};

// Error numbers the layer raises.
enum ErrorNumber : int {
    errInvalidProcedureCall = 5,
    errFileNotFound = 53,
    errDeviceUnavailable = 68,
    errObjectUnloaded = 364,
    errResourceNotFound = 326,
    errPrinter = 482,
    errMci = 30000,
};

}  // namespace rt
