#pragma once

// A stand-in for a page engine document: a flat list of elements with a
// tag, an id and content, enough for the translation site to find its
// result box and write into it. Writes are counted.

#include <cctype>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/runtime_error.h"
#include "platform/page_model.h"

namespace prevod {

class FakeStyle : public ElementStyle {
 public:
  void set(std::string_view, const std::string&) override {}
  std::string get(std::string_view) const override { return {}; }
};

class FakeElement : public Element {
 public:
  FakeElement(std::string tag, std::string id) : m_tag(std::move(tag)), m_id(std::move(id)) {}
  std::string tagName() const override { return m_tag; }
  std::string Id() const override { return m_id; }
  void set_innerhtml(const std::string& html) override {
    m_html = html;
    ++m_writes;
  }
  std::string innerhtml() const override { return m_html; }
  std::string InnerText() const override { return m_html; }
  ElementStyle& Style() override { return m_style; }
  void focus() override {}
  void Click() override {}

  int writes() const { return m_writes; }

 private:
  std::string m_tag;
  std::string m_id;
  std::string m_html;
  int m_writes = 0;
  FakeStyle m_style;
};

class FakeElementList : public ElementList {
 public:
  explicit FakeElementList(std::vector<std::shared_ptr<FakeElement>> elements)
      : m_elements(std::move(elements)) {}
  int32_t length() const override { return static_cast<int32_t>(m_elements.size()); }
  std::shared_ptr<Element> Item(int32_t index) const override {
    if (index < 0 || index >= length()) throw RuntimeError("index beyond the list");
    return m_elements[index];
  }

 private:
  std::vector<std::shared_ptr<FakeElement>> m_elements;
};

class FakeDocument : public HtmlDocument {
 public:
  std::shared_ptr<FakeElement> add(const std::string& tag, const std::string& id) {
    auto element = std::make_shared<FakeElement>(tag, id);
    m_elements.push_back(element);
    return element;
  }
  std::shared_ptr<ElementList> getElementsByTagName(const std::string& tag) override {
    std::vector<std::shared_ptr<FakeElement>> matching;
    for (const auto& element : m_elements) {
      if (same_tag(element->tagName(), tag)) matching.push_back(element);
    }
    return std::make_shared<FakeElementList>(std::move(matching));
  }
  std::shared_ptr<Element> documentelement() override {
    throw RuntimeError("no root in the fake document");
  }

 private:
  static bool same_tag(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(a[i])) !=
          std::tolower(static_cast<unsigned char>(b[i]))) {
        return false;
      }
    }
    return true;
  }

  std::vector<std::shared_ptr<FakeElement>> m_elements;
};

}  // namespace prevod
