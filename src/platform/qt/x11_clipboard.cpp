#include "platform/qt/x11_clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "base/runtime_error.h"
#include "base/text.h"
#include "platform/qt/x_connection.h"

namespace prevod {
namespace {

using Clock = std::chrono::steady_clock;

// A reader of our text that stops taking increments for this long is
// given up.
constexpr auto kReaderStall = std::chrono::seconds(5);
// However steadily an owner sends a long text, reading it ends after this
// many deadlines.
constexpr int kReadDeadlines = 10;
// Texts beyond this size are refused rather than read into memory.
constexpr size_t kLargestText = size_t{64} << 20;

constexpr const char* kHeldByAnother = "Can't open Clipboard: held by another program";

std::string latin1_to_utf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (unsigned char c : latin1) utf8 += text::from_code_point(c);
  return utf8;
}

std::string utf8_to_latin1(std::string_view utf8) {
  std::string latin1;
  for (char16_t unit : text::to_utf16(utf8)) latin1 += unit <= 0xFF ? static_cast<char>(unit) : '?';
  return latin1;
}

}  // namespace

// One request from the window thread and, once done, its answer.
struct ClipboardRequest {
  enum class Kind { Clear, Set, Get };
  Kind kind;
  std::string text;
  bool done = false;
  bool failed = false;
  std::string answer;
};

// The worker: a thread with its own X connection and an unmapped window
// that owns our text and receives the texts it asks other owners for.
class X11Clipboard::Worker {
 public:
  explicit Worker(int deadline_ms);
  ~Worker();
  // Hands a request to the worker and waits for its answer.
  std::string run(ClipboardRequest::Kind kind, std::string text);

 private:
  // A reader of our text that takes it in increments.
  struct Transfer {
    ::Window requestor;
    Atom property;
    Atom type;
    std::shared_ptr<const std::string> data;
    size_t offset = 0;
    bool last_sent = false;
    Clock::time_point last_step;
  };
  using Request = std::shared_ptr<ClipboardRequest>;

  void main();
  void wake();
  void handle(XEvent& event);
  void next_request();
  void finish(std::string answer);
  void fail(std::string why);
  void end_request(std::string answer, bool failed);
  Time server_time();

  void take_ownership(const ClipboardRequest& request);
  void start_read(Atom target);
  void on_selection_notify(const XSelectionEvent& event);
  void on_increment();
  bool read_property(Atom& type, std::string& data);
  void check_deadlines();
  int poll_timeout() const;

  void serve(const XSelectionRequestEvent& request);
  bool serve_text(const XSelectionRequestEvent& request, Atom property, bool latin1);
  void on_reader_deleted(const XPropertyEvent& event);
  void send_increment(Transfer& transfer);

  int m_deadline_ms;
  XConnection m_connection;
  Display* m_display;
  ::Window m_window = 0;
  Atom m_clipboard, m_targets, m_timestamp, m_utf8, m_text_atom, m_plain_utf8, m_incr, m_property,
      m_stamp;
  size_t m_chunk = 0;
  int m_wake_fd = -1;

  // Shared with the window thread.
  std::mutex m_mutex;
  std::condition_variable m_answered;
  std::deque<Request> m_requests;
  bool m_stop = false;

  // The worker's own state.
  bool m_owner = false;
  std::shared_ptr<const std::string> m_text;  // null: we own an empty clipboard
  Time m_owned_since = CurrentTime;
  Request m_current;
  Atom m_read_target = None;
  bool m_incremental = false;
  std::string m_received;
  Clock::time_point m_read_deadline, m_read_end;
  std::vector<Transfer> m_transfers;
  std::thread m_thread;
};

X11Clipboard::Worker::Worker(int deadline_ms)
    : m_deadline_ms(deadline_ms), m_display(m_connection.display()) {
  m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), -10, -10, 1, 1, 0, 0, 0);
  XSelectInput(m_display, m_window, PropertyChangeMask);
  m_clipboard = XInternAtom(m_display, "CLIPBOARD", False);
  m_targets = XInternAtom(m_display, "TARGETS", False);
  m_timestamp = XInternAtom(m_display, "TIMESTAMP", False);
  m_utf8 = XInternAtom(m_display, "UTF8_STRING", False);
  m_text_atom = XInternAtom(m_display, "TEXT", False);
  m_plain_utf8 = XInternAtom(m_display, "text/plain;charset=utf-8", False);
  m_incr = XInternAtom(m_display, "INCR", False);
  m_property = XInternAtom(m_display, "PREVOD_CLIPBOARD", False);
  m_stamp = XInternAtom(m_display, "PREVOD_TIMESTAMP", False);
  long max_request = XExtendedMaxRequestSize(m_display);
  if (max_request == 0) max_request = XMaxRequestSize(m_display);
  m_chunk = std::min<size_t>(static_cast<size_t>(max_request) * 4 - 1024, size_t{256} << 10);
  XSync(m_display, False);
  m_wake_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (m_wake_fd < 0) throw RuntimeError("Cannot start the clipboard");
  m_thread = std::thread([this] { main(); });
}

X11Clipboard::Worker::~Worker() {
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  wake();
  m_thread.join();
  close(m_wake_fd);
  XDestroyWindow(m_display, m_window);
  XSync(m_display, False);
}

void X11Clipboard::Worker::wake() {
  uint64_t one = 1;
  [[maybe_unused]] ssize_t written = write(m_wake_fd, &one, sizeof one);
}

std::string X11Clipboard::Worker::run(ClipboardRequest::Kind kind, std::string text) {
  auto request = std::make_shared<ClipboardRequest>();
  request->kind = kind;
  request->text = std::move(text);
  std::unique_lock lock(m_mutex);
  m_requests.push_back(request);
  wake();
  // The worker answers within its own deadlines; this wait only guards
  // against a worker that cannot (a lost X server).
  auto limit = std::chrono::milliseconds(m_deadline_ms * (kReadDeadlines + 2));
  if (!m_answered.wait_for(lock, limit, [&] { return request->done; })) {
    throw RuntimeError(kHeldByAnother);
  }
  if (request->failed) throw RuntimeError(request->answer);
  return std::move(request->answer);
}

void X11Clipboard::Worker::main() {
  pollfd fds[2] = {{m_connection.fd(), POLLIN, 0}, {m_wake_fd, POLLIN, 0}};
  while (true) {
    while (XPending(m_display) > 0) {
      XEvent event;
      XNextEvent(m_display, &event);
      handle(event);
    }
    check_deadlines();
    bool queued;
    {
      std::lock_guard lock(m_mutex);
      if (m_stop) return;
      queued = !m_requests.empty();
    }
    // One request at a time; a read in progress waits for its answer.
    if (!m_current && queued) {
      next_request();
      continue;
    }
    poll(fds, 2, poll_timeout());
    if (fds[1].revents & POLLIN) {
      uint64_t count = 0;
      [[maybe_unused]] ssize_t got = read(m_wake_fd, &count, sizeof count);
    }
  }
}

int X11Clipboard::Worker::poll_timeout() const {
  Clock::time_point soonest = Clock::time_point::max();
  if (m_current) soonest = std::min(m_read_deadline, m_read_end);
  for (const Transfer& transfer : m_transfers) {
    soonest = std::min(soonest, transfer.last_step + kReaderStall);
  }
  if (soonest == Clock::time_point::max()) return -1;
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(soonest - Clock::now());
  return static_cast<int>(std::clamp<int64_t>(left.count() + 1, 0, 60000));
}

void X11Clipboard::Worker::next_request() {
  {
    std::lock_guard lock(m_mutex);
    if (m_requests.empty()) return;
    m_current = m_requests.front();
    m_requests.pop_front();
  }
  if (m_current->kind != ClipboardRequest::Kind::Get) {
    take_ownership(*m_current);
    return;
  }
  ::Window owner = XGetSelectionOwner(m_display, m_clipboard);
  if (owner == None) return finish("");
  if (owner == m_window) return finish(m_text ? *m_text : "");
  m_read_end = Clock::now() + std::chrono::milliseconds(m_deadline_ms * kReadDeadlines);
  start_read(m_utf8);
}

void X11Clipboard::Worker::finish(std::string answer) {
  end_request(std::move(answer), false);
}

void X11Clipboard::Worker::fail(std::string why) {
  end_request(std::move(why), true);
}

// Hands the request its answer (or why it failed) and lets go of what was
// received for it.
void X11Clipboard::Worker::end_request(std::string answer, bool failed) {
  std::lock_guard lock(m_mutex);
  m_current->answer = std::move(answer);
  m_current->failed = failed;
  m_current->done = true;
  m_current.reset();
  m_incremental = false;
  m_received.clear();
  m_received.shrink_to_fit();
  m_answered.notify_all();
}

Time X11Clipboard::Worker::server_time() {
  // A zero-length append to our own window comes back with the server's
  // time; ownership taken at CurrentTime could lose a race it should win.
  XChangeProperty(m_display, m_window, m_stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent event;
  auto is_stamp = [](Display*, XEvent* e, XPointer arg) -> Bool {
    auto* worker = reinterpret_cast<Worker*>(arg);
    return e->type == PropertyNotify && e->xproperty.window == worker->m_window &&
           e->xproperty.atom == worker->m_stamp;
  };
  XIfEvent(m_display, &event, is_stamp, reinterpret_cast<XPointer>(this));
  return event.xproperty.time;
}

void X11Clipboard::Worker::take_ownership(const ClipboardRequest& request) {
  Time now = server_time();
  XSetSelectionOwner(m_display, m_clipboard, m_window, now);
  if (XGetSelectionOwner(m_display, m_clipboard) != m_window) return fail(kHeldByAnother);
  m_owner = true;
  m_owned_since = now;
  m_text = request.kind == ClipboardRequest::Kind::Set
               ? std::make_shared<const std::string>(request.text)
               : nullptr;
  finish("");
}

void X11Clipboard::Worker::start_read(Atom target) {
  m_read_target = target;
  m_incremental = false;
  m_received.clear();
  m_read_deadline = Clock::now() + std::chrono::milliseconds(m_deadline_ms);
  XDeleteProperty(m_display, m_window, m_property);
  XConvertSelection(m_display, m_clipboard, target, m_property, m_window, CurrentTime);
  XFlush(m_display);
}

void X11Clipboard::Worker::check_deadlines() {
  Clock::time_point now = Clock::now();
  if (m_current && (now >= m_read_deadline || now >= m_read_end)) {
    XDeleteProperty(m_display, m_window, m_property);
    fail(kHeldByAnother);
  }
  std::erase_if(m_transfers, [&](const Transfer& t) { return now >= t.last_step + kReaderStall; });
}

bool X11Clipboard::Worker::read_property(Atom& type, std::string& data) {
  long offset = 0;
  while (true) {
    int format = 0;
    unsigned long items = 0, bytes_after = 0;
    unsigned char* chunk = nullptr;
    if (XGetWindowProperty(m_display, m_window, m_property, offset, 1 << 20, False, AnyPropertyType,
                           &type, &format, &items, &bytes_after, &chunk) != Success) {
      return false;
    }
    size_t bytes = items * static_cast<size_t>(format / 8);
    if (format == 32) bytes = items * sizeof(long);  // Xlib hands 32-bit items as longs
    if (chunk != nullptr) data.append(reinterpret_cast<char*>(chunk), bytes);
    XFree(chunk);
    offset += static_cast<long>((items * static_cast<unsigned long>(format)) / 32);
    if (bytes_after == 0 || items == 0) break;
  }
  XDeleteProperty(m_display, m_window, m_property);
  return true;
}

void X11Clipboard::Worker::on_selection_notify(const XSelectionEvent& event) {
  if (!m_current || m_incremental || event.selection != m_clipboard ||
      event.target != m_read_target) {
    return;
  }
  if (event.property == None) {
    // The owner has no UTF-8 text; Latin-1 is the other text form every
    // owner offers.
    if (m_read_target == m_utf8) return start_read(XA_STRING);
    return finish("");
  }
  Atom type = None;
  std::string data;
  if (!read_property(type, data)) return finish("");
  if (type == m_incr) {
    // Deleting the property (done) asks the owner for the first increment.
    m_incremental = true;
    m_read_deadline = Clock::now() + std::chrono::milliseconds(m_deadline_ms);
    XFlush(m_display);
    return;
  }
  finish(type == XA_STRING ? latin1_to_utf8(data) : data);
}

void X11Clipboard::Worker::on_increment() {
  Atom type = None;
  std::string data;
  if (!read_property(type, data)) return fail(kHeldByAnother);
  XFlush(m_display);
  if (data.empty()) {
    std::string whole = std::move(m_received);
    return finish(type == XA_STRING ? latin1_to_utf8(whole) : whole);
  }
  if (m_received.size() + data.size() > kLargestText) return fail("Clipboard text too large");
  m_received += data;
  m_read_deadline = Clock::now() + std::chrono::milliseconds(m_deadline_ms);
}

void X11Clipboard::Worker::handle(XEvent& event) {
  switch (event.type) {
    case SelectionRequest:
      serve(event.xselectionrequest);
      break;
    case SelectionClear:
      if (event.xselectionclear.selection == m_clipboard) {
        m_owner = false;
        m_text.reset();
      }
      break;
    case SelectionNotify:
      if (event.xselection.requestor == m_window) on_selection_notify(event.xselection);
      break;
    case PropertyNotify:
      if (event.xproperty.window == m_window) {
        if (m_current && m_incremental && event.xproperty.atom == m_property &&
            event.xproperty.state == PropertyNewValue) {
          on_increment();
        }
      } else if (event.xproperty.state == PropertyDelete) {
        on_reader_deleted(event.xproperty);
      }
      break;
    default:
      break;
  }
}

void X11Clipboard::Worker::serve(const XSelectionRequestEvent& request) {
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.display = m_display;
  reply.requestor = request.requestor;
  reply.selection = request.selection;
  reply.target = request.target;
  reply.time = request.time;
  reply.property = None;
  // Obsolete clients name no property; the target then serves as one.
  Atom property = request.property != None ? request.property : request.target;
  bool ours = m_owner && request.selection == m_clipboard && request.owner == m_window;
  bool served = false;
  if (ours && request.target == m_targets) {
    std::vector<Atom> targets{m_targets, m_timestamp};
    if (m_text) targets.insert(targets.end(), {m_utf8, m_plain_utf8, m_text_atom, XA_STRING});
    XChangeProperty(m_display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(targets.data()),
                    static_cast<int>(targets.size()));
    served = true;
  } else if (ours && request.target == m_timestamp) {
    long stamp = static_cast<long>(m_owned_since);
    XChangeProperty(m_display, request.requestor, property, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&stamp), 1);
    served = true;
  } else if (ours && m_text &&
             (request.target == m_utf8 || request.target == m_plain_utf8 ||
              request.target == m_text_atom || request.target == XA_STRING)) {
    served = serve_text(request, property, request.target == XA_STRING);
  }
  if (served) reply.property = property;
  XSendEvent(m_display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
  XFlush(m_display);
}

bool X11Clipboard::Worker::serve_text(const XSelectionRequestEvent& request, Atom property,
                                      bool latin1) {
  auto data = latin1 ? std::make_shared<const std::string>(utf8_to_latin1(*m_text)) : m_text;
  Atom type = latin1 ? XA_STRING : m_utf8;
  if (data->size() <= m_chunk) {
    XChangeProperty(m_display, request.requestor, property, type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data->data()),
                    static_cast<int>(data->size()));
    return true;
  }
  // A long text goes in increments: each time the reader deletes the
  // property, the next piece is written, and an empty piece ends it.
  XSelectInput(m_display, request.requestor, PropertyChangeMask);
  long size = static_cast<long>(data->size());
  XChangeProperty(m_display, request.requestor, property, m_incr, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&size), 1);
  std::erase_if(m_transfers, [&](const Transfer& t) {
    return t.requestor == request.requestor && t.property == property;
  });
  m_transfers.push_back({request.requestor, property, type, data, 0, false, Clock::now()});
  return true;
}

void X11Clipboard::Worker::on_reader_deleted(const XPropertyEvent& event) {
  auto it = std::find_if(m_transfers.begin(), m_transfers.end(), [&](const Transfer& t) {
    return t.requestor == event.window && t.property == event.atom;
  });
  if (it == m_transfers.end()) return;
  if (it->last_sent) {
    ::Window requestor = it->requestor;
    m_transfers.erase(it);
    bool more = std::any_of(m_transfers.begin(), m_transfers.end(),
                            [&](const Transfer& t) { return t.requestor == requestor; });
    if (!more) XSelectInput(m_display, requestor, NoEventMask);
    return;
  }
  send_increment(*it);
}

void X11Clipboard::Worker::send_increment(Transfer& transfer) {
  size_t size = std::min(m_chunk, transfer.data->size() - transfer.offset);
  XChangeProperty(m_display, transfer.requestor, transfer.property, transfer.type, 8,
                  PropModeReplace,
                  reinterpret_cast<const unsigned char*>(transfer.data->data() + transfer.offset),
                  static_cast<int>(size));
  transfer.offset += size;
  transfer.last_sent = size == 0;
  transfer.last_step = Clock::now();
  XFlush(m_display);
}

X11Clipboard::X11Clipboard(Trace& trace, int deadline_ms)
    : m_trace(trace), m_worker(std::make_unique<Worker>(deadline_ms)) {}

X11Clipboard::~X11Clipboard() = default;

void X11Clipboard::Clear() {
  m_worker->run(ClipboardRequest::Kind::Clear, {});
  if (m_trace.enabled()) m_trace.line("clipboard clear");
}

void X11Clipboard::SetText(const std::string& text) {
  m_worker->run(ClipboardRequest::Kind::Set, text);
  if (m_trace.enabled()) m_trace.line("clipboard set \"" + text + "\"");
}

std::string X11Clipboard::GetText() {
  try {
    return m_worker->run(ClipboardRequest::Kind::Get, {});
  } catch (const RuntimeError& error) {
    if (m_trace.enabled()) m_trace.line(std::string("clipboard read: ") + error.what());
    throw;
  }
}

}  // namespace prevod
