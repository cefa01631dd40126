#include "platform/qt/xtest_keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/keys.h"
#include "platform/qt/x_connection.h"

namespace prevod {
namespace {

// A virtual key, the XKB name of its physical key, and that key's keycode
// under the evdev keycodes every current X server uses (the fallback when
// the server does not tell the names).
struct PhysicalKey {
  uint8_t vkey;
  const char* name;
  uint8_t evdev;
};

constexpr PhysicalKey kPhysicalKeys[] = {
    {vk::BACK, "BKSP", 22},     {vk::TAB, "TAB", 23},      {vk::RETURN, "RTRN", 36},
    {vk::SHIFT, "LFSH", 50},    {vk::CONTROL, "LCTL", 37}, {18, "LALT", 64},  // Alt (VK_MENU)
    {vk::ESCAPE, "ESC", 9},     {vk::SPACE, "SPCE", 65},   {vk::PRIOR, "PGUP", 112},
    {vk::NEXT, "PGDN", 117},    {vk::END, "END", 115},     {vk::HOME, "HOME", 110},
    {vk::LEFT, "LEFT", 113},    {vk::UP, "UP", 111},       {vk::RIGHT, "RGHT", 114},
    {vk::DOWN, "DOWN", 116},    {45, "INS", 118},  // Insert
    {vk::DELETE_, "DELE", 119}, {'0', "AE10", 19},         {'1', "AE01", 10},
    {'2', "AE02", 11},          {'3', "AE03", 12},         {'4', "AE04", 13},
    {'5', "AE05", 14},          {'6', "AE06", 15},         {'7', "AE07", 16},
    {'8', "AE08", 17},          {'9', "AE09", 18},         {'A', "AC01", 38},
    {'B', "AB05", 56},          {'C', "AB03", 54},         {'D', "AC03", 40},
    {'E', "AD03", 26},          {'F', "AC04", 41},         {'G', "AC05", 42},
    {'H', "AC06", 43},          {'I', "AD08", 31},         {'J', "AC07", 44},
    {'K', "AC08", 45},          {'L', "AC09", 46},         {'M', "AB07", 58},
    {'N', "AB06", 57},          {'O', "AD09", 32},         {'P', "AD10", 33},
    {'Q', "AD01", 24},          {'R', "AD04", 27},         {'S', "AC02", 39},
    {'T', "AD05", 28},          {'U', "AD07", 30},         {'V', "AB04", 55},
    {'W', "AD02", 25},          {'X', "AB02", 53},         {'Y', "AD06", 29},
    {'Z', "AB01", 52},          {112, "FK01", 67},         {113, "FK02", 68},
    {114, "FK03", 69},  // F1..F12
    {115, "FK04", 70},          {116, "FK05", 71},         {117, "FK06", 72},
    {118, "FK07", 73},          {119, "FK08", 74},         {120, "FK09", 75},
    {121, "FK10", 76},          {122, "FK11", 95},         {123, "FK12", 96},
};

// The Latin symbol a letter or digit key stands for; 0 for other keys.
unsigned long latin_symbol(uint8_t vkey) {
  if (vkey >= 'A' && vkey <= 'Z') return XK_a + (vkey - 'A');
  if (vkey >= '0' && vkey <= '9') return XK_0 + (vkey - '0');
  return 0;
}

bool same_key_name(const char (&name)[XkbKeyNameLength], const char* wanted) {
  return std::strncmp(name, wanted, XkbKeyNameLength) == 0;
}

}  // namespace

XTestKeyboard::XTestKeyboard(Trace& trace)
    : m_trace(trace), m_connection(std::make_unique<XConnection>()) {
  int event = 0, error = 0, major = 0, minor = 0;
  m_has_xtest = XTestQueryExtension(m_connection->display(), &event, &error, &major, &minor);
  if (!m_has_xtest) {
    m_trace.line("keys: the X server has no XTest; synthetic keys cannot be sent");
    return;
  }
  map_keys();
  int opcode = 0, xkb_error = 0, xkb_major = XkbMajorVersion, xkb_minor = XkbMinorVersion;
  if (XkbQueryExtension(m_connection->display(), &opcode, &m_xkb_event, &xkb_error, &xkb_major,
                        &xkb_minor)) {
    unsigned int changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    XkbSelectEvents(m_connection->display(), XkbUseCoreKbd, changes, changes);
  }
}

XTestKeyboard::~XTestKeyboard() {
  // Gives the spare keycodes back their emptiness.
  if (!m_has_xtest) return;
  Display* display = m_connection->display();
  KeySym none[2] = {NoSymbol, NoSymbol};
  for (uint8_t code : m_spare) {
    if (code != 0) XChangeKeyboardMapping(display, code, 2, none, 1);
  }
  XSync(display, False);
}

void XTestKeyboard::notice_layout_changes(bool ours) {
  // Xlib keeps its copy of the keyboard map current while it reads the
  // server's notices; a map from elsewhere also drops the Latin symbols we
  // lent.
  Display* display = m_connection->display();
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == m_xkb_event && !ours) m_spare.fill(0);
  }
}

bool XTestKeyboard::layout_has_latin(uint8_t code, unsigned long latin) const {
  Display* display = m_connection->display();
  for (unsigned int group = 0; group < XkbNumKbdGroups; ++group) {
    if (XkbKeycodeToKeysym(display, code, static_cast<int>(group), 0) == latin) return true;
  }
  return false;
}

int XTestKeyboard::spare_keycode_for(unsigned long latin) {
  Display* display = m_connection->display();
  int min_keycode = 0, max_keycode = 0;
  XDisplayKeycodes(display, &min_keycode, &max_keycode);
  for (int code = max_keycode; code >= min_keycode; --code) {
    bool empty = true;
    for (unsigned int group = 0; group < XkbNumKbdGroups && empty; ++group) {
      for (int level = 0; level < 2 && empty; ++level) {
        empty = XkbKeycodeToKeysym(display, static_cast<KeyCode>(code), static_cast<int>(group),
                                   level) == NoSymbol;
      }
    }
    bool lent = std::find(m_spare.begin(), m_spare.end(), code) != m_spare.end();
    if (!empty || lent) continue;
    KeySym symbols[2] = {latin, latin - XK_a + XK_A};
    if (latin < XK_a) symbols[1] = latin;  // a digit
    XChangeKeyboardMapping(display, code, 2, symbols, 1);
    XSync(display, False);
    notice_layout_changes(true);
    return code;
  }
  return 0;
}

int XTestKeyboard::keycode_sent(uint8_t vkey) {
  uint8_t code = m_keycodes[vkey];
  unsigned long latin = latin_symbol(vkey);
  if (code == 0 || latin == 0) return code;
  notice_layout_changes(false);
  if (layout_has_latin(code, latin)) return code;
  if (m_spare[vkey] == 0) m_spare[vkey] = static_cast<uint8_t>(spare_keycode_for(latin));
  return m_spare[vkey] != 0 ? m_spare[vkey] : code;
}

void XTestKeyboard::map_keys() {
  Display* display = m_connection->display();
  int min_keycode = 0, max_keycode = 0;
  XDisplayKeycodes(display, &min_keycode, &max_keycode);
  for (const PhysicalKey& key : kPhysicalKeys) m_keycodes[key.vkey] = key.evdev;

  XkbDescPtr keyboard = XkbGetMap(display, 0, XkbUseCoreKbd);
  if (keyboard == nullptr) return;
  if (XkbGetNames(display, XkbKeyNamesMask, keyboard) == Success && keyboard->names &&
      keyboard->names->keys) {
    for (const PhysicalKey& key : kPhysicalKeys) {
      for (int code = keyboard->min_key_code; code <= keyboard->max_key_code; ++code) {
        if (same_key_name(keyboard->names->keys[code].name, key.name)) {
          m_keycodes[key.vkey] = static_cast<uint8_t>(code);
          break;
        }
      }
    }
  }
  XkbFreeKeyboard(keyboard, 0, True);
  for (uint8_t& code : m_keycodes) {
    if (code < min_keycode || code > max_keycode) code = 0;
  }
}

void XTestKeyboard::send(uint8_t vkey, bool down) {
  if (!m_has_xtest) return;
  int code = keycode_sent(vkey);
  if (code == 0) {
    if (!m_unmapped_traced) {
      m_trace.line("keys: no key for virtual key " + std::to_string(vkey));
      m_unmapped_traced = true;
    }
    return;
  }
  XTestFakeKeyEvent(m_connection->display(), code, down ? True : False, CurrentTime);
}

void XTestKeyboard::flush() {
  if (m_has_xtest) XSync(m_connection->display(), False);
}

}  // namespace prevod
