#include "services/voicereader/voice_reader_player.h"

#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "base/runtime_error.h"

namespace prevod {

namespace {

// The page's own language ("lang=en-gb" in its flashvars).
constexpr std::string_view kDefaultLanguage = "en-gb";

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Undoes the address encoding of a flashvars value: "+" is a space and
// "%XX" a byte; a "%" without two hex digits stays as it is.
std::string url_decode(std::string_view value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c == '+') {
      out += ' ';
      continue;
    }
    if (c == '%' && i + 2 < value.size()) {
      int high = hex_digit(value[i + 1]);
      int low = hex_digit(value[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += c;
  }
  return out;
}

// The value of one "key=value" entry of a flashvars string, "" when absent.
std::string flash_var(std::string_view vars, std::string_view key) {
  while (!vars.empty()) {
    size_t end = vars.find('&');
    std::string_view pair = vars.substr(0, end);
    size_t equals = pair.find('=');
    if (equals != std::string_view::npos && pair.substr(0, equals) == key) {
      return url_decode(pair.substr(equals + 1));
    }
    if (end == std::string_view::npos) break;
    vars.remove_prefix(end + 1);
  }
  return "";
}

std::string flash_vars(const PluginParams& params) {
  for (const auto& [name, value] : params.params) {
    if (strcasecmp(name.c_str(), "FlashVars") == 0) return value;
  }
  return "";
}

int starting_voice(const std::string& vars) {
  int index = find_voice_by_language(flash_var(vars, "lang"));
  return index >= 0 ? index : find_voice_by_language(kDefaultLanguage);
}

// Where the player's parts lie on its stage, the OBJECT's 737 by 370
// pixels. The host page shows the stage 35 pixels left of and 50 above its
// corner, and the host window lays a banner over the stage's rows 53 to 74
// and its own strip over everything right of column 517. So the controls
// keep to the columns 52 to 492 and the rows from 84 down; the right-hand
// part, which is what shows of the player in the strip, carries the
// presenter with the applied voice under it, at the bottom right of what
// shows there.
constexpr PageBox kPresenterBox{522, 50, 215, 160};
constexpr PageBox kShownVoiceBox{522, 212, 208, 22};
constexpr PageBox kTitleBox{52, 84, 300, 20};
constexpr PageBox kTextCaptionBox{52, 108, 200, 16};
constexpr PageBox kTextFieldBox{52, 126, 440, 26};
constexpr PageBox kVoiceCaptionBox{52, 162, 200, 16};
constexpr int kListRows = VoiceList::kPageSize;
constexpr int kListRowHeight = 20;
constexpr PageBox kVoiceListBox{52, 180, 200, kListRows* kListRowHeight + 2};
constexpr PageBox kStopBox{272, 180, 100, 28};
constexpr PageBox kSpeakBox{384, 180, 108, 28};

PluginPart caption(std::string name, std::string text, PageBox box, bool bold = false) {
  PluginPart part;
  part.kind = PluginPart::Kind::Caption;
  part.name = std::move(name);
  part.text = std::move(text);
  part.box = box;
  part.bold = bold;
  return part;
}

PluginPart button(PlayerControl control, PageBox box, PlayerControl focused) {
  PluginPart part;
  part.kind = PluginPart::Kind::Button;
  part.name = player_control_name(control);
  part.text = part.name;
  part.box = box;
  part.align = PluginPart::Align::Centre;
  part.focused = control == focused;
  return part;
}

// The first entry the list shows: the highlighted one keeps a row above it
// where there is one, and the rows never run past the end.
int first_shown(int highlighted, int entries) {
  return std::clamp(highlighted - 1, 0, std::max(0, entries - kListRows));
}

PlayerTextField::Extend extend_with(const KeyEvent& event) {
  return event.shift ? PlayerTextField::Extend::Yes : PlayerTextField::Extend::No;
}

// The character a key types in the field when no character came with it:
// letters, digits and the space bar, as a keyboard without Ctrl types them.
char32_t typed_character(const KeyEvent& event) {
  if (event.character != 0) return event.character;
  uint8_t code = event.code;
  if (code == vk::SPACE) return U' ';
  if (code >= '0' && code <= '9' && !event.shift) return code;
  if (code >= 'A' && code <= 'Z') return event.shift ? code : code - 'A' + 'a';
  return 0;
}

}  // namespace

const char* player_control_name(PlayerControl control) {
  switch (control) {
    case PlayerControl::TextField:
      return "text field";
    case PlayerControl::VoiceList:
      return "voice list";
    case PlayerControl::StopButton:
      return "Stop";
    case PlayerControl::SpeakButton:
      return "Speak";
  }
  return "?";
}

VoiceReaderPlayer::VoiceReaderPlayer(const PluginParams& params, Clipboard& clipboard,
                                     std::unique_ptr<PlayerVoice> voice)
    : m_id(params.id),
      m_clipboard(clipboard),
      m_voice(std::move(voice)),
      m_voices(starting_voice(flash_vars(params))) {
  m_field.set_text(flash_var(flash_vars(params), "text"));
}

VoiceReaderPlayer::~VoiceReaderPlayer() {
  stop();
  if (m_on_destroyed) m_on_destroyed();
}

void VoiceReaderPlayer::focus() {
  focus_text_field();
}

void VoiceReaderPlayer::click() {
  focus_text_field();
}

void VoiceReaderPlayer::key_event(const KeyEvent& event) {
  if (!event.down) return;
  if (event.code == vk::TAB) {
    // Tab and Shift+Tab stop at the ends: no wrapping either way.
    int index = static_cast<int>(m_focused) + (event.shift ? -1 : 1);
    if (index < 0 || index > static_cast<int>(PlayerControl::SpeakButton)) return;
    move_focus(static_cast<PlayerControl>(index));
    return;
  }
  switch (m_focused) {
    case PlayerControl::TextField:
      text_field_key(event);
      return;
    case PlayerControl::VoiceList:
      voice_list_key(event);
      return;
    case PlayerControl::StopButton:
    case PlayerControl::SpeakButton:
      button_key(event);
      return;
  }
}

std::string VoiceReaderPlayer::describe() const {
  std::string selection;
  if (m_field.has_selection()) {
    selection = m_field.selected_text() == m_field.text() ? " (all selected)" : " (part selected)";
  }
  std::string out = "voice reader player \"" + m_id + "\": text \"" + m_field.text() + "\"" +
                    selection + "; focus: " + player_control_name(m_focused) +
                    "; highlighted: " + std::string(m_voices.highlighted_entry().name) +
                    "; voice: " + shown_voice();
  if (!m_last_error.empty()) out += "; speech failed: " + m_last_error;
  return out;
}

PluginFace VoiceReaderPlayer::face() const {
  PluginFace face;
  PluginPart presenter;
  presenter.kind = PluginPart::Kind::Picture;
  presenter.name = "presenter";
  presenter.text = "presenter";
  presenter.box = kPresenterBox;
  face.parts.push_back(presenter);
  PluginPart voice = caption("shown voice", shown_voice(), kShownVoiceBox, true);
  voice.align = PluginPart::Align::Right;
  face.parts.push_back(voice);
  face.parts.push_back(caption("title", "Voice Reader Web", kTitleBox, true));
  face.parts.push_back(caption("text caption", "Text", kTextCaptionBox));

  PluginPart field;
  field.kind = PluginPart::Kind::TextField;
  field.name = player_control_name(PlayerControl::TextField);
  field.box = kTextFieldBox;
  field.text = m_field.text();
  field.caret = m_field.caret();
  field.anchor = m_field.anchor();
  field.focused = m_focused == PlayerControl::TextField;
  face.parts.push_back(field);

  face.parts.push_back(caption("voice caption", "Voice", kVoiceCaptionBox));
  PluginPart list;
  list.kind = PluginPart::Kind::List;
  list.name = player_control_name(PlayerControl::VoiceList);
  list.box = kVoiceListBox;
  for (const VoiceEntry& entry : player_voices()) list.entries.emplace_back(entry.name);
  list.rows = kListRows;
  list.highlighted = m_voices.highlighted();
  list.applied = m_voices.applied();
  list.first_shown = first_shown(list.highlighted, static_cast<int>(list.entries.size()));
  list.focused = m_focused == PlayerControl::VoiceList;
  face.parts.push_back(list);

  face.parts.push_back(button(PlayerControl::StopButton, kStopBox, m_focused));
  face.parts.push_back(button(PlayerControl::SpeakButton, kSpeakBox, m_focused));
  return face;
}

void VoiceReaderPlayer::user_action(const PluginAction& action) {
  const bool click = action.kind == PluginAction::Kind::Click;
  if (action.part == player_control_name(PlayerControl::TextField)) {
    if (!click) return;
    move_focus(PlayerControl::TextField);
    m_field.set_caret(action.position);
    return;
  }
  if (action.part == player_control_name(PlayerControl::VoiceList)) {
    move_focus(PlayerControl::VoiceList);
    if (!click) {
      for (int step = 0; step < std::abs(action.steps); ++step) {
        if (action.steps < 0) {
          m_voices.up();
        } else {
          m_voices.down();
        }
      }
      return;
    }
    const int entries = static_cast<int>(player_voices().size());
    if (action.entry < 0 || action.entry >= entries) return;
    m_voices.highlight(action.entry);
    m_voices.apply();
    return;
  }
  if (!click) return;
  if (action.part == player_control_name(PlayerControl::StopButton)) {
    move_focus(PlayerControl::StopButton);
    stop();
  } else if (action.part == player_control_name(PlayerControl::SpeakButton)) {
    move_focus(PlayerControl::SpeakButton);
    speak();
  }
}

void VoiceReaderPlayer::focus_text_field() {
  move_focus(PlayerControl::TextField);
  m_field.select_all();
}

void VoiceReaderPlayer::move_focus(PlayerControl to) {
  if (to == m_focused) return;
  if (m_focused == PlayerControl::VoiceList) m_voices.leave();
  m_focused = to;
  if (to == PlayerControl::TextField) m_field.select_all();
}

void VoiceReaderPlayer::text_field_key(const KeyEvent& event) {
  PlayerTextField::Extend extend = extend_with(event);
  if (event.ctrl) {
    if (event.code == vk::A) m_field.select_all();
    if (event.code == vk::C) copy();
    if (event.code == vk::V) paste();
    return;
  }
  switch (event.code) {
    case vk::PRIOR:
    case vk::UP:
    case vk::HOME:
      m_field.move_to_start(extend);
      return;
    case vk::NEXT:
    case vk::DOWN:
    case vk::END:
      m_field.move_to_end(extend);
      return;
    case vk::LEFT:
      m_field.move_left(extend);
      return;
    case vk::RIGHT:
      m_field.move_right(extend);
      return;
    case vk::DELETE_:
      m_field.delete_forward();
      return;
    case vk::BACK:
      m_field.delete_backward();
      return;
    case vk::RETURN:
      // A single-line field has nothing to do with Enter.
      return;
    default:
      break;
  }
  char32_t character = typed_character(event);
  if (character != 0) m_field.type(character);
}

void VoiceReaderPlayer::voice_list_key(const KeyEvent& event) {
  switch (event.code) {
    case vk::PRIOR:
      m_voices.page_up();
      return;
    case vk::NEXT:
      m_voices.page_down();
      return;
    case vk::UP:
      m_voices.up();
      return;
    case vk::DOWN:
      m_voices.down();
      return;
    case vk::RETURN:
      m_voices.apply();
      return;
    default:
      return;
  }
}

void VoiceReaderPlayer::button_key(const KeyEvent& event) {
  // The space bar presses a focused button as Enter does, as in any page.
  bool press = (event.code == vk::RETURN || event.code == vk::SPACE) && !event.ctrl;
  if (!press) return;
  if (m_focused == PlayerControl::SpeakButton) {
    speak();
  } else {
    stop();
  }
}

void VoiceReaderPlayer::copy() {
  // An empty field has nothing to copy: the clipboard keeps what it holds,
  // as a browser leaves it after a copy with nothing to take.
  std::string text = m_field.copy_text();
  if (text.empty()) return;
  try {
    m_clipboard.SetText(text);
  } catch (const RuntimeError&) {
    // Another program holds the clipboard: the copy does not happen, as a
    // browser's copy fails quietly.
  }
}

void VoiceReaderPlayer::paste() {
  std::string text;
  try {
    text = m_clipboard.GetText();
  } catch (const RuntimeError&) {
    return;  // clipboard held elsewhere: nothing is pasted
  }
  // A paste with no text on the clipboard leaves the field as it is.
  if (text.empty()) return;
  m_field.insert(text);
}

void VoiceReaderPlayer::speak() {
  if (!m_voice) {
    m_last_error = "no voice";
    return;
  }
  try {
    m_voice->speak(m_field.text(), m_voices.applied_entry());
    m_last_error.clear();
  } catch (const RuntimeError& error) {
    // The player goes on working without speech; describe() tells why.
    m_last_error = error.what();
  }
}

void VoiceReaderPlayer::stop() {
  if (!m_voice) return;
  try {
    m_voice->stop();
  } catch (const RuntimeError& error) {
    m_last_error = error.what();
  }
}

}  // namespace prevod
