#pragma once

// A plug-in object embedded in a page through an OBJECT element whose class
// id names a registered plug-in. While the element has the page focus the
// plug-in takes the page's key events itself.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/keys.h"
#include "platform/page_view.h"

namespace prevod {

struct PluginParams {
  std::string classid;  // as written in the markup, e.g. "clsid:d27cdb6e-..."
  std::string id;
  std::vector<std::pair<std::string, std::string>> params;  // PARAM NAME/VALUE, in order
  std::string page_address;                                 // the address of the hosting page
};

class Plugin {
 public:
  virtual ~Plugin() = default;
  // The element took the page focus (focus() on it, or Tab reaching it).
  virtual void focus() = 0;
  // A click on the element as by the user.
  virtual void click() = 0;
  virtual void key_event(const KeyEvent& event) = 0;
  // What a person sees of it, for the console and traces.
  virtual std::string describe() const = 0;
  // What a person sees of it, part by part, for a desktop to draw; a
  // plug-in without a face shows an empty box.
  virtual PluginFace face() const { return {}; }
  // A person's click or wheel on one of the parts of face(). The element
  // already has the page focus; focus() is not called for it.
  virtual void user_action(const PluginAction& action) { (void)action; }
};

// Plug-in factories by class id, compared without regard to case.
class PluginRegistry {
 public:
  using Factory = std::function<std::unique_ptr<Plugin>(const PluginParams&)>;
  void add(const std::string& classid, Factory factory);
  // nullptr when no plug-in is registered for the class id.
  std::unique_ptr<Plugin> create(const PluginParams& params) const;

 private:
  std::map<std::string, Factory> m_factories;
};

}  // namespace prevod
