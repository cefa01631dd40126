#include "platform/qt/key_translator.h"

#include <QKeyEvent>
#include <array>
#include <utility>

namespace prevod {

namespace {

constexpr uint8_t kAlt = 18;     // VK_MENU
constexpr uint8_t kInsert = 45;  // VK_INSERT
constexpr uint8_t kF1 = 112;     // VK_F1; F2 to F12 follow

constexpr std::array<std::pair<int, uint8_t>, 20> kKeys{{
    {Qt::Key_Backspace, vk::BACK},  {Qt::Key_Tab, vk::TAB},        {Qt::Key_Backtab, vk::TAB},
    {Qt::Key_Return, vk::RETURN},   {Qt::Key_Enter, vk::RETURN},   {Qt::Key_Shift, vk::SHIFT},
    {Qt::Key_Control, vk::CONTROL}, {Qt::Key_Alt, kAlt},           {Qt::Key_Escape, vk::ESCAPE},
    {Qt::Key_Space, vk::SPACE},     {Qt::Key_PageUp, vk::PRIOR},   {Qt::Key_PageDown, vk::NEXT},
    {Qt::Key_End, vk::END},         {Qt::Key_Home, vk::HOME},      {Qt::Key_Left, vk::LEFT},
    {Qt::Key_Up, vk::UP},           {Qt::Key_Right, vk::RIGHT},    {Qt::Key_Down, vk::DOWN},
    {Qt::Key_Insert, kInsert},      {Qt::Key_Delete, vk::DELETE_},
}};

// The characters a press types: printable ones only, so that the control
// characters Qt gives Enter, Backspace, Tab and Ctrl chords drop out.
std::vector<char32_t> typed_characters(const QKeyEvent& event) {
  std::vector<char32_t> characters;
  for (char32_t c : event.text().toUcs4()) {
    bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
    if (!control) characters.push_back(c);
  }
  return characters;
}

}  // namespace

uint8_t KeyTranslator::virtual_key(int qt_key) {
  if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return static_cast<uint8_t>(qt_key);
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) return static_cast<uint8_t>(qt_key);
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F12) {
    return static_cast<uint8_t>(kF1 + (qt_key - Qt::Key_F1));
  }
  for (const auto& [key, code] : kKeys) {
    if (key == qt_key) return code;
  }
  return 0;
}

std::vector<KeyEvent> KeyTranslator::translate(const QKeyEvent& event) {
  KeyEvent key;
  key.code = virtual_key(event.key());
  key.down = event.type() == QEvent::KeyPress;
  key.shift = event.modifiers().testFlag(Qt::ShiftModifier) || event.key() == Qt::Key_Backtab;
  key.ctrl = event.modifiers().testFlag(Qt::ControlModifier);

  std::vector<char32_t> characters;
  if (key.down && !key.ctrl) characters = typed_characters(event);
  if (key.code == 0 && characters.empty()) return {};

  std::vector<KeyEvent> events;
  if (!characters.empty()) key.character = characters.front();
  events.push_back(key);
  for (size_t i = 1; i < characters.size(); ++i) {
    KeyEvent more;
    more.shift = key.shift;
    more.character = characters[i];
    events.push_back(more);
  }
  return events;
}

}  // namespace prevod
