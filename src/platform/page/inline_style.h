#pragma once

// The inline style of a page element: the declarations of its style
// attribute, in the order written. Member names are matched without regard
// to case and kept in lower case (POSITION, Top and position are one
// member); values are kept exactly as written ("-50Px" stays "-50Px").
// Writing an empty value removes the declaration, as browsers do. Every
// change is written back to the element's style attribute.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/page_model.h"

namespace prevod {

class InlineStyle : public ElementStyle {
 public:
  // `on_change` runs after every write.
  explicit InlineStyle(std::function<void()> on_change) : m_on_change(std::move(on_change)) {}

  void set(std::string_view member, const std::string& value) override;
  std::string get(std::string_view member) const override;

  // Replaces the declarations with those of a style attribute's text.
  void parse(std::string_view text);
  // The declarations as style attribute text: "position: absolute; top: -50Px".
  std::string text() const;
  bool empty() const { return m_declarations.empty(); }
  // Whether an inline display:none hides the element.
  bool hides() const;

 private:
  std::vector<std::pair<std::string, std::string>> m_declarations;
  std::function<void()> m_on_change;
};

}  // namespace prevod
