#pragma once

// The voice reader's player: the plug-in behind the page's "vr_demo" OBJECT.
// The host program works it only with keystrokes after giving it the focus,
// so its keyboard behaviour is its interface. Four controls take the focus
// in this order, and Tab and Shift+Tab move between them without wrapping:
//
//   text field  the text to speak, single line; gaining the focus selects
//               all of it; Ctrl+A, Delete, Ctrl+V and Ctrl+C edit as usual,
//               and Ctrl+C with nothing selected copies the whole text.
//   voice list  18 voices; Page Up/Down move the highlight by 4, Up/Down
//               by 1, Enter applies it; leaving without Enter undoes the
//               move.
//   Stop        Enter stops speech.
//   Speak       Enter speaks the field from the start with the applied
//               voice, restarting if already speaking.
//
// Giving the plug-in the focus or clicking it puts the focus on the text
// field. Only key-down events act; Shift and Ctrl are taken from each event.
//
// A desktop draws the player from face() and sends a person's mouse back
// through user_action(): a click in the text field puts the caret there, a
// click on an entry of the voice list applies that voice, a click on Stop
// or Speak presses it, and the wheel over the list moves its highlight.
// Each moves the player's focus to the part clicked.

#include <functional>
#include <memory>
#include <string>

#include "platform/clipboard.h"
#include "platform/page/plugin.h"
#include "services/voicereader/player_text_field.h"
#include "services/voicereader/player_voice.h"
#include "services/voicereader/voice_list.h"

namespace prevod {

enum class PlayerControl { TextField, VoiceList, StopButton, SpeakButton };

// The control's name for traces and the console ("text field").
const char* player_control_name(PlayerControl control);

class VoiceReaderPlayer : public Plugin {
 public:
  // The starting voice and text come from the "lang" and "text" entries of
  // the FlashVars parameter when it names them; otherwise the player starts
  // empty with English UK, the page's own language.
  VoiceReaderPlayer(const PluginParams& params, Clipboard& clipboard,
                    std::unique_ptr<PlayerVoice> voice);
  // Silences the player: a replaced player must not talk on.
  ~VoiceReaderPlayer() override;

  VoiceReaderPlayer(const VoiceReaderPlayer&) = delete;
  VoiceReaderPlayer& operator=(const VoiceReaderPlayer&) = delete;

  void focus() override;
  void click() override;
  void key_event(const KeyEvent& event) override;
  std::string describe() const override;
  PluginFace face() const override;
  void user_action(const PluginAction& action) override;

  PlayerControl focused() const { return m_focused; }
  const PlayerTextField& field() const { return m_field; }
  const VoiceList& voices() const { return m_voices; }
  // The applied voice as the player shows it at its bottom right.
  std::string shown_voice() const { return std::string(m_voices.applied_entry().name); }
  const std::string& id() const { return m_id; }
  // The message of the last speech failure, "" when none.
  const std::string& last_error() const { return m_last_error; }

  // Called once from the destructor; the directory uses it to forget the
  // player.
  void set_on_destroyed(std::function<void()> hook) { m_on_destroyed = std::move(hook); }

 private:
  void focus_text_field();
  void move_focus(PlayerControl to);
  void text_field_key(const KeyEvent& event);
  void voice_list_key(const KeyEvent& event);
  void button_key(const KeyEvent& event);
  void copy();
  void paste();
  void speak();
  void stop();

  std::string m_id;
  Clipboard& m_clipboard;
  std::unique_ptr<PlayerVoice> m_voice;
  PlayerTextField m_field;
  VoiceList m_voices;
  PlayerControl m_focused = PlayerControl::TextField;
  std::string m_last_error;
  std::function<void()> m_on_destroyed;
};

}  // namespace prevod
