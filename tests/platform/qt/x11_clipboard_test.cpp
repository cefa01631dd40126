#include "platform/qt/x11_clipboard.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <atomic>
#include <csignal>
#include <optional>
#include <string>
#include <thread>

#include "base/runtime_error.h"
#include "platform/qt/x11_session.h"

// X11's headers come last: their macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

namespace prevod {
namespace {

using testing::poll_until;

// Another program holding the clipboard: xclip, in the foreground, serving
// one text in one form until it loses the clipboard or is ended.
class OtherOwner {
 public:
  explicit OtherOwner(const std::string& text, const char* target = "UTF8_STRING") {
    // xclip reports every request it serves; nobody reads that.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start("xclip", {"-quiet", "-selection", "clipboard", "-t", target, "-i"});
    m_process.waitForStarted();
    m_process.write(text.data(), static_cast<qint64>(text.size()));
    while (m_process.bytesToWrite() > 0 && m_process.waitForBytesWritten(10000)) {
    }
    m_process.closeWriteChannel();
  }
  ~OtherOwner() {
    resume();
    m_process.kill();
    m_process.waitForFinished();
  }
  void stop() { ::kill(static_cast<pid_t>(m_process.processId()), SIGSTOP); }
  void resume() { ::kill(static_cast<pid_t>(m_process.processId()), SIGCONT); }

 private:
  QProcess m_process;
};

// An older kind of owner that has its text in Latin-1 only and refuses
// every other form.
class Latin1Owner {
 public:
  explicit Latin1Owner(std::string text) : m_text(std::move(text)) {
    m_display = XOpenDisplay(nullptr);
    m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0);
    m_clipboard = XInternAtom(m_display, "CLIPBOARD", False);
    XSetSelectionOwner(m_display, m_clipboard, m_window, CurrentTime);
    XSync(m_display, False);
    m_thread = std::thread([this] { serve(); });
  }
  ~Latin1Owner() {
    m_stop = true;
    m_thread.join();
    XCloseDisplay(m_display);
  }

 private:
  void serve() {
    while (!m_stop) {
      pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
      if (XPending(m_display) == 0 && poll(&fd, 1, 20) <= 0) continue;
      XEvent event;
      XNextEvent(m_display, &event);
      if (event.type != SelectionRequest) continue;
      const XSelectionRequestEvent& request = event.xselectionrequest;
      XSelectionEvent reply{};
      reply.type = SelectionNotify;
      reply.requestor = request.requestor;
      reply.selection = request.selection;
      reply.target = request.target;
      reply.time = request.time;
      reply.property = None;
      if (request.target == XA_STRING) {
        XChangeProperty(m_display, request.requestor, request.property, XA_STRING, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(m_text.data()),
                        static_cast<int>(m_text.size()));
        reply.property = request.property;
      }
      XSendEvent(m_display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
      XFlush(m_display);
    }
  }

  std::string m_text;
  Display* m_display;
  ::Window m_window;
  Atom m_clipboard;
  std::atomic<bool> m_stop = false;
  std::thread m_thread;
};

// What another program reads from the clipboard; nullopt when it gets
// nothing.
std::optional<std::string> read_as_other(const char* target = "UTF8_STRING") {
  QProcess xclip;
  xclip.start("xclip", {"-selection", "clipboard", "-t", target, "-o"});
  if (!xclip.waitForFinished(10000) || xclip.exitCode() != 0) return std::nullopt;
  QByteArray out = xclip.readAllStandardOutput();
  return std::string(out.constData(), static_cast<size_t>(out.size()));
}

std::string long_cyrillic_text(size_t bytes) {
  std::string text;
  for (int i = 0; text.size() < bytes; ++i) text += "ред " + std::to_string(i) + " котка\n";
  return text;
}

class X11SelectionClipboard : public ::testing::Test {
 protected:
  // Reads until another program's text has reached the server.
  bool reads(const std::string& expected) {
    return poll_until([&] {
      try {
        return clipboard.GetText() == expected;
      } catch (const RuntimeError&) {
        return false;
      }
    });
  }

  Trace trace;
  X11Clipboard clipboard{trace};
};

TEST_F(X11SelectionClipboard, OurTextReachesOtherProgramsAndReadsBackAsItself) {
  clipboard.SetText("Здравей, свят! Hello");
  EXPECT_EQ(clipboard.GetText(), "Здравей, свят! Hello");
  EXPECT_EQ(read_as_other(), "Здравей, свят! Hello");
  // Letters that Latin-1 lacks become question marks in its form.
  EXPECT_EQ(read_as_other("STRING"), std::string(7, '?') + ", " + std::string(4, '?') + "! Hello");
}

TEST_F(X11SelectionClipboard, AnotherProgramsTextIsReadAsUtf8) {
  OtherOwner other("вода water");
  EXPECT_TRUE(reads("вода water"));
}

TEST_F(X11SelectionClipboard, AnOwnerWithLatin1TextOnlyIsReadThroughItsLatin1Form) {
  Latin1Owner other("caf\xe9 \xe0 la cr\xe8me");
  EXPECT_TRUE(reads("café à la crème"));
}

TEST_F(X11SelectionClipboard, InvalidUtf8AndBlankTextsArePassedOnAsTheyAre) {
  {
    OtherOwner other("\xff\xfe abc \xd0");
    EXPECT_TRUE(reads("\xff\xfe abc \xd0"));
  }
  OtherOwner blank(" \t\r\n ");
  EXPECT_TRUE(reads(" \t\r\n "));
}

TEST_F(X11SelectionClipboard, MegabytesGoBothWaysInIncrements) {
  std::string ours = long_cyrillic_text(3 << 20);
  clipboard.SetText(ours);
  EXPECT_EQ(read_as_other(), ours);

  std::string theirs = long_cyrillic_text(5 << 20) + "край";
  OtherOwner other(theirs);
  EXPECT_TRUE(reads(theirs));
}

TEST_F(X11SelectionClipboard, ClearingLeavesNoTextForAnyone) {
  clipboard.SetText("something");
  clipboard.Clear();
  EXPECT_EQ(clipboard.GetText(), "");
  EXPECT_EQ(read_as_other(), std::nullopt);
}

TEST_F(X11SelectionClipboard, AnotherProgramTakingTheClipboardReplacesOurText) {
  clipboard.SetText("ours");
  OtherOwner other("theirs");
  EXPECT_TRUE(reads("theirs"));
}

TEST_F(X11SelectionClipboard, AStoppedOwnerMakesAReadFailWithinTheDeadlineAndNothingElse) {
  OtherOwner other("held");
  ASSERT_TRUE(reads("held"));
  other.stop();
  EXPECT_THROW(clipboard.GetText(), RuntimeError);
  EXPECT_THROW(clipboard.GetText(), RuntimeError);
  // Writing takes the clipboard from the stopped owner.
  clipboard.SetText("ours again");
  EXPECT_EQ(clipboard.GetText(), "ours again");
  EXPECT_EQ(read_as_other(), "ours again");
}

TEST_F(X11SelectionClipboard, AnOwnerThatResumesIsReadAgain) {
  OtherOwner other("later");
  ASSERT_TRUE(reads("later"));
  other.stop();
  EXPECT_THROW(clipboard.GetText(), RuntimeError);
  other.resume();
  EXPECT_TRUE(reads("later"));
}

TEST_F(X11SelectionClipboard, AnOwnerThatEndsLeavesTheClipboardEmpty) {
  {
    OtherOwner other("gone soon");
    ASSERT_TRUE(reads("gone soon"));
  }
  EXPECT_TRUE(reads(""));
}

}  // namespace
}  // namespace prevod
