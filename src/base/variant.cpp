#include "base/variant.h"

#include "base/runtime_error.h"
#include "base/text.h"

namespace prevod {

double Variant::number() const {
  if (const auto* i = std::get_if<int32_t>(&m_value)) return *i;
  if (const auto* f = std::get_if<float>(&m_value)) return *f;
  if (const auto* d = std::get_if<double>(&m_value)) return *d;
  if (const auto* s = std::get_if<std::string>(&m_value)) {
    double parsed = 0;
    if (!text::parse_number(*s, parsed)) throw RuntimeError("Type mismatch");
    return parsed;
  }
  return 0;
}

std::string Variant::to_string() const {
  if (IsEmpty()) return "";
  if (const auto* s = std::get_if<std::string>(&m_value)) return *s;
  return text::format_number(number());
}

}  // namespace prevod
