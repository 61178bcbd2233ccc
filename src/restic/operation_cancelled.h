#pragma once

#include <exception>

namespace keldoran {

/// Thrown to a caller whose operation was cancelled; never a ResticError, whatever restic's exit code was.
class OperationCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "The operation was cancelled."; }
};

} // namespace keldoran
