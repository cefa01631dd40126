#pragma once

// The translation window: the user's window. It takes typed, copied or
// selected text, drives the translation page in WebBrowser3, shows the
// result, speaks through the local speech engine and hands English and
// Russian to the speech window. Its handlers live in the folders of their
// subsystems: translation/ (start-up, request, readiness, result, boxes,
// panels), capture/ (gesture watcher, copy sequencer), speech/ (local speech,
// speech options, read buttons, voice-only mode), desktop/ (tray, dragging).

#include <cstdint>
#include <memory>
#include <string>

#include "model/check_box.h"
#include "model/command_button.h"
#include "model/image.h"
#include "model/label.h"
#include "model/option_button.h"
#include "model/picture_box.h"
#include "model/rich_text_box.h"
#include "model/timer.h"
#include "model/web_browser.h"
#include "model/window.h"
#include "platform/page_model.h"
#include "platform/speech_engine.h"

namespace prevod {

class Form1;
class User32;
class Clipboard;
struct SharedState;

class Prevod;

class Form2 : public Window {
 public:
  explicit Form2(Prevod& prevod);
  // The program the window belongs to.
  Prevod& prevod() const { return m_prevod; }

  // Controls, in the order of the layout table.
  PictureBox& Picture7;
  PictureBox& Picture16;
  Label& Label10;
  PictureBox& Picture10;
  Label& Label5;
  PictureBox& Picture6;
  Label& Label1;
  Label& Label7;
  PictureBox& image1;
  PictureBox& Picture3;
  Image& Image2;
  Image& Image3;
  PictureBox& Picture2;
  CommandButton& Command7;
  CheckBox& Check1;
  CheckBox& Check2;
  CheckBox& Check3;
  CheckBox& Check4;
  PictureBox& Picture17;
  Label& Label12;
  PictureBox& Picture18;
  Label& Label14;
  PictureBox& Picture19;
  Label& Label16;
  PictureBox& Picture20;
  Label& Label18;
  PictureBox& Picture22;
  Label& Label15;
  PictureBox& Picture23;
  Label& Label13;
  PictureBox& Picture24;
  Label& Label11;
  OptionButton& Option2;
  OptionButton& Option1;
  CommandButton& Command1;
  WebBrowser& WebBrowser3;
  RichTextBox& Text1;
  RichTextBox& Text3;
  RichTextBox& Text4;
  Label& Label100;
  Label& Picture1;
  Label& Picture11;
  Image& Picture5;

  Timer& Timer10;
  Timer& Timer9;
  Timer& Timer8;
  Timer& Timer6;
  Timer& Timer4;
  Timer& TimerDesen;
  Timer& Timer3333;
  Timer& Kopirane;
  Timer& Timer2222;
  Timer& Timer5;
  Timer& Timer4444;
  Timer& Timer1111;
  Timer& Timer3;
  Timer& Timer1;
  Timer& Timer7;
  Timer& Timer0;
  Timer& Timer2;

  // Form-level variables.
  std::shared_ptr<SpeechEngine> tts;  // empty when the engine could not be created
  int16_t IgnoreClipboardOnce = 0;
  int16_t Text1ClickSeen = 0;
  std::string ClipboardText;
  std::string LastClipboardText;
  std::shared_ptr<ElementList> PageElements;
  int16_t ProgressTicks = 0;
  int16_t PressSeen = 0;
  int16_t ReleaseSeen = 0;
  int16_t ClickTally = 0;

  // Start-up and shutdown.
  void Form_Load() override;
  void Form_Unload() override;
  void Timer6_Timer();
  void Timer10_Timer();

  // Translation request.
  void Prevedi();
  void Label10_Click();
  void Picture16_Click();
  void Option1_Click();
  void Option2_Click();

  // Page readiness.
  void Timer0_Timer();

  // Result retrieval.
  void Timer2_Timer();
  void Procedura();
  void Timer8_Timer();
  void Timer9_Timer();

  // Input and result boxes.
  void Text4_Change();
  void Text1_KeyPress(int16_t& KeyAscii);
  void Text1_Click();
  void Timer1_Timer();
  void Timer4_Timer();
  void Timer5_Timer();

  // Panels.
  void Label5_Click();
  void Picture10_Click();
  void Picture7_Click();
  void Picture3_Click();
  void Picture1_Click();

  // Gesture watcher and copy sequencer.
  void Check1_Click();
  void Picture17_Click();
  void Label12_Click();
  void Picture24_Click();
  void Label11_Click();
  void Timer1111_Timer();
  void Timer4444_Timer();
  void Timer2222_Timer();
  void Timer3333_Timer();
  void Kopirane_Timer();
  void TimerDesen_Timer();

  // Local speech, speech options and read buttons, voice-only mode.
  void CheteneBulgar1();
  void CheteneBulgar2();
  void Picture23_Click();
  void Label13_Click();
  void Picture18_Click();
  void Label14_Click();
  void Picture22_Click();
  void Label15_Click();
  void Picture19_Click();
  void Label16_Click();
  void Command1_Click();
  void Command7_Click();
  void Label100_Click();
  void Picture11_Click();
  void Label18_Click();
  void Picture20_Click();

  // Tray icon and dragging.
  void SetTray();
  void Timer7_Timer();
  void Picture5_MouseDown();
  void Picture5_MouseUp();

  // How long Prevedi waits for the browser before it gives up on a request,
  // in milliseconds of the loop's clock.
  static constexpr int64_t NavigationWaitLimitMs = 30000;
  static constexpr int64_t NavigationPollMs = 10;

 private:
  // Wires each subsystem's handlers to the controls' events.
  void wire_translation();
  void wire_capture();
  void wire_speech();
  void wire_desktop();

  // The last step of Prevedi, once the browser reads not Busy.
  void await_navigation(int64_t deadline);
  void copy_keys();
  void speak_box(const std::string& text);

  SharedState& shared() const;
  class Form1& form1() const;
  User32& user32() const;
  Clipboard& clipboard() const;

  DeferredTasks::TaskId m_navigation_wait = 0;
  // The result Timer9's pending reading is for.
  std::string m_result_to_read;
  bool m_tray_icon_added = false;

 public:
  // Whether the shell accepted the tray icon.
  bool tray_icon_added() const { return m_tray_icon_added; }
  Prevod& m_prevod;
};

}  // namespace prevod
