#pragma once

#include <string>
#include <utility>
#include <variant>

namespace pfs {

// Why a file operation failed, in words fit to show the user.
struct Failure {
    std::string message;
};

// The outcome of a file operation: a value, or the failure that prevented it.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_outcome(std::move(value)) {}
    Result(Failure failure) : m_outcome(std::move(failure)) {}

    bool Ok() const { return std::holds_alternative<T>(m_outcome); }
    explicit operator bool() const { return Ok(); }

    const T& Value() const { return std::get<T>(m_outcome); }
    T& Value() { return std::get<T>(m_outcome); }
    const std::string& Error() const { return std::get<Failure>(m_outcome).message; }

private:
    std::variant<T, Failure> m_outcome;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : m_failed(true), m_error(std::move(failure.message)) {}

    bool Ok() const { return !m_failed; }
    explicit operator bool() const { return Ok(); }

    const std::string& Error() const { return m_error; }

private:
    bool m_failed = false;
    std::string m_error;
};

}  // namespace pfs
