#pragma once

#include <stdexcept>
#include <string>

namespace folix {

// The four ways a computation can end early. Every one of them is raised at the
// offending operation itself, before its result could be stored anywhere.
enum class ErrorKind {
    DivisionByZero,
    InvalidArgument,
    Overflow,
    SubscriptOutOfRange,
};

const char* errorMessage(ErrorKind kind);

class ArithmeticError : public std::runtime_error {
public:
    explicit ArithmeticError(ErrorKind kind) : std::runtime_error(errorMessage(kind)), kind_(kind) {}
    ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

inline const char* errorMessage(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::DivisionByZero: return "Division by zero";
    case ErrorKind::InvalidArgument: return "Invalid argument";
    case ErrorKind::Overflow: return "Overflow";
    case ErrorKind::SubscriptOutOfRange: return "Subscript out of range";
    }
    return "Arithmetic error";
}

}  // namespace folix
