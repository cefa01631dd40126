#pragma once

// A value that can hold nothing, a number or a string, as the few Variant
// variables of the system do. Empty reads as 0 in arithmetic; a string that
// is not a number cannot be used as one (RuntimeError, a type mismatch).

#include <cstdint>
#include <string>
#include <variant>

namespace prevod {

class Variant {
 public:
  Variant() = default;
  Variant(int32_t value) : m_value(value) {}                 // NOLINT: a Variant takes any value
  Variant(float value) : m_value(value) {}                   // NOLINT
  Variant(double value) : m_value(value) {}                  // NOLINT
  Variant(std::string value) : m_value(std::move(value)) {}  // NOLINT

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
  // The value as a number; RuntimeError for a string that is not one.
  double number() const;
  const std::variant<std::monostate, int32_t, float, double, std::string>& value() const {
    return m_value;
  }
  std::string to_string() const;

 private:
  std::variant<std::monostate, int32_t, float, double, std::string> m_value;
};

}  // namespace prevod
