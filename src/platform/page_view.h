#pragma once

// What a desktop draws of the page a browser shows, and what a person does
// to the plug-ins on it. The page engine reduces its document to runs of
// text laid out top to bottom (the page's own flow, and one flow for each
// absolutely placed element) with the plug-ins among them as boxes; a
// plug-in shows itself as parts (captions, a text field, a list, buttons,
// pictures) at places of its own choosing. The desktop lays the text out
// with its fonts, draws the parts and sends a person's clicks on them back
// as PluginActions. Sizes are page pixels, one to a screen pixel at 100%.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace prevod {

struct PageBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PageBox&) const = default;
};

// One part of a plug-in's face, in the plug-in's own pixels.
struct PluginPart {
  enum class Kind { Caption, TextField, List, Button, Picture };
  enum class Align { Left, Centre, Right };

  Kind kind = Kind::Caption;
  // The part's name, which a PluginAction gives back: "text field", "Stop".
  std::string name;
  PageBox box;
  // What the part shows: a caption's or a button's text, the field's text,
  // a picture's description.
  std::string text;
  Align align = Align::Left;
  bool bold = false;
  // The part has the plug-in's keyboard focus.
  bool focused = false;
  // Text field: the caret and the other end of the selection, byte offsets
  // into `text` on character boundaries.
  size_t caret = 0;
  size_t anchor = 0;
  // List: the entries, the first one shown, how many rows show, and the
  // highlighted and the applied entry (-1 for none).
  std::vector<std::string> entries;
  int first_shown = 0;
  int rows = 0;
  int highlighted = -1;
  int applied = -1;

  bool operator==(const PluginPart&) const = default;
};

struct PluginFace {
  std::vector<PluginPart> parts;  // drawn in order, later ones in front
  bool operator==(const PluginFace&) const = default;
};

// A person's click or mouse wheel on a part of a plug-in.
struct PluginAction {
  enum class Kind { Click, Wheel };

  Kind kind = Kind::Click;
  std::string part;     // the name the part had in the face
  int entry = -1;       // List: the entry under the pointer, -1 for none
  size_t position = 0;  // TextField: the byte offset nearest the pointer
  int steps = 0;        // Wheel: rows to move, negative upwards
};

// A stretch of text in one style.
struct TextRun {
  std::string text;
  bool bold = false;
  bool link = false;
  bool operator==(const TextRun&) const = default;
};

// A block of the page: a paragraph of text (with "\n" where a line breaks
// and "\t" between table cells) or a plug-in.
struct PageItem {
  enum class Kind { Text, Plugin };

  Kind kind = Kind::Text;
  std::vector<TextRun> runs;
  int heading = 0;  // 1 to 6 for a heading, 0 for body text
  // Plugin: its width and height (left and top are 0), the token that
  // names it in Browser::plugin_action, and its face.
  PageBox box;
  uint64_t plugin = 0;
  PluginFace face;
  bool operator==(const PageItem&) const = default;
};

// Blocks laid out one under the other from a starting point: the page's
// own flow, or the content of an absolutely placed element.
struct PageFlow {
  int left = 0;
  int top = 0;
  int width = 0;  // 0: as wide as the browser
  std::vector<PageItem> items;
  bool operator==(const PageFlow&) const = default;
};

struct PageView {
  // The page's own flow first, then the placed elements in document order;
  // later flows lie in front of earlier ones.
  std::vector<PageFlow> flows;
  bool operator==(const PageView&) const = default;
};

}  // namespace prevod
