#pragma once

// The speech window: the start-up window and the host of the voice reader
// page. It loads the page into WebBrowser1, reduces it to its player, sets
// the player's language and speaks English and Russian text by typing it
// into the player with synthetic keystrokes. Its right-hand strip carries
// the speech settings panel. Handlers live in voicereader/ (host, reshaping,
// speaking, language chains, settings panel) and desktop/ (dragging).

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "model/command_button.h"
#include "model/image.h"
#include "model/label.h"
#include "model/picture_box.h"
#include "model/rich_text_box.h"
#include "model/scroll_bar.h"
#include "model/text_box.h"
#include "model/timer.h"
#include "model/web_browser.h"
#include "model/window.h"
#include "platform/page_model.h"

namespace prevod {

class Form2;
class Prevod;
class User32;
class Clipboard;
struct SharedState;

class Form1 : public Window {
 public:
  explicit Form1(Prevod& prevod);
  // The program the window belongs to.
  Prevod& prevod() const { return m_prevod; }

  // Controls, in the order of the layout table.
  PictureBox& Picture14;
  PictureBox& Picture13;
  Image& Image2;
  Image& image1;
  PictureBox& Picture12;
  PictureBox& Picture11;
  PictureBox& Picture10;
  Label& Label8;
  PictureBox& Picture9;
  Label& Label7;
  PictureBox& Picture8;
  Label& Label6;
  PictureBox& Picture7;
  Label& Label5;
  PictureBox& Picture6;
  Label& Label13;
  Label& Label12;
  Label& Label11;
  ScrollBar& VScroll1;
  TextBox& Text6;
  CommandButton& Command2;
  CommandButton& Command8;
  PictureBox& Picture5;
  Label& Label10;
  Label& Label9;
  PictureBox& Picture4;
  PictureBox& Picture2;
  Label& Label1;
  PictureBox& Picture1;
  Label& Picture3;
  CommandButton& Command6;
  CommandButton& Command5;
  RichTextBox& Text1;
  WebBrowser& WebBrowser1;

  Timer& Timer11;
  Timer& Timer10;
  Timer& Timer9;
  Timer& Timer8;
  Timer& Timer7;
  Timer& Timer6;
  Timer& Timer5;
  Timer& Timer4;
  Timer& Timer1;
  Timer& Timer3;
  Timer& Timer2;
  Timer& TimerEn;
  Timer& z00;

  // Form-level variables.
  std::shared_ptr<ElementList> PageElements;
  int16_t ElementIndex = 0;
  int16_t DownloadCount = 0;
  std::string SpeakText;
  std::string PlayerText;
  int16_t SpeakRetryCount = 0;
  int16_t EnglishSelectCount = 0;
  // The reading interval in milliseconds a character, taken from Text6:
  // the last whole number it held (reading_interval.cpp).
  double ReadingInterval = 70;

  // Voice reader host.
  void Form_Load() override;
  void WebBrowser1_DownloadComplete();

  // Page reshaping.
  void Oformi();

  // Speaking through the page.
  enum class FocusFirst { Nothing, Command5, Browser, Command5AndBrowser };
  // Gives Form1 and then the player the keyboard focus. With resume_next,
  // a failing step is skipped instead of stopping the caller.
  void FocusPlayer(FocusFirst first, bool resume_next = false);
  void Command6_Click();
  void Timer1_Timer();
  void Picture1_Click();
  void image1_Click();
  void Image2_Click();

  // Language switching and two-language reading.
  void Command8_Click();
  void Label8_Click();
  void Picture10_Click();
  void Command2_Click();
  void Label7_Click();
  void Picture9_Click();
  void TimerEn_Timer();
  void Command5_Click();
  void Timer3_Timer();
  void Timer2_Timer();
  void Timer4_Timer();
  void Timer5_Timer();
  void Timer11_Timer();
  void Timer8_Timer();
  void Timer6_Timer();
  void VScroll1_Change();
  void Text6_KeyPress(int16_t& KeyAscii);
  void Text6_Change();

  // Speech settings panel, hover logic, strip and voice-only buttons.
  void Label5_Click();
  void Picture7_Click();
  void Timer10_Timer();
  void Picture12_Click();
  void Picture14_Click();
  void Picture3_Click();
  void Picture4_Click();
  void Picture11_Click();
  void Label6_Click();
  void Picture8_Click();

  // Dragging.
  void Form_MouseDown();
  void Form_MouseUp();
  void Picture13_MouseDown();
  void Picture13_MouseUp();

 private:
  void wire_voicereader();
  void wire_settings();
  void wire_reading_interval();
  void wire_desktop();

  // The language chains work the player one at a time: a chain asked for
  // while another one, or a speak check, is under way waits in a queue and
  // starts once the player is free (language_selection.cpp).
  enum class Chain { English, Russian, Startup };
  void EnglishSelection();
  void RussianSelection();
  void start_chain(Chain chain);
  void run_chain(Chain chain);
  // Whether a chain is running or armed to start (TimerEn, Timer11).
  bool chain_running() const;
  // Starts the next queued chain once this handler's keys have landed.
  void chain_finished();
  // The language the player is heading for: that of the last chain queued
  // or running, else the one the flag records.
  Chain heading() const;
  // Hands the player to the next queued chain when a step that may have
  // been the last user of the player ends, by return or by a failure.
  class NextChainTurn {
   public:
    explicit NextChainTurn(Form1& form) : m_form(form) {}
    ~NextChainTurn() { m_form.chain_finished(); }
    NextChainTurn(const NextChainTurn&) = delete;
    NextChainTurn& operator=(const NextChainTurn&) = delete;

   private:
    Form1& m_form;
  };
  std::deque<Chain> m_queued_chains;
  // Whether the selection chain now running is the start-up one.
  bool m_startup_selection = false;
  // Text6's last whole number, as it stood in the box.
  std::string m_reading_interval_text;
  void toggle_settings_panel();
  void recentre_Label5();

  SharedState& shared() const;
  class Form2& form2() const;
  User32& user32() const;
  Clipboard& clipboard() const;
  Prevod& m_prevod;
};

}  // namespace prevod
