#pragma once

// The desktop clipboard in plain-text form. Every call throws RuntimeError
// while another program holds the clipboard open.

#include <string>

namespace prevod {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void Clear() = 0;
  virtual void SetText(const std::string& text) = 0;
  // "" when the clipboard holds no text.
  virtual std::string GetText() = 0;
};

}  // namespace prevod
