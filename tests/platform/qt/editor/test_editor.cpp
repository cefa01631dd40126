// A small editor of the tests' own, the "other program" of the desktop
// tests: one line edit holding a Bulgarian and an English word. A double
// click selects a word and Ctrl+C copies the selection to the clipboard, as
// in any editor. It prints what it is told on standard output so that a
// test can follow it: "ready <window id>" once mapped, and each text it puts
// on the clipboard.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("prevod-test-editor");
  auto* layout = new QVBoxLayout(&window);
  auto* edit = new QLineEdit(QString::fromUtf8(argc > 1 ? argv[1] : "котка house"));
  edit->setObjectName("edit");
  layout->addWidget(edit);
  window.setGeometry(200, 200, 400, 60);
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, [] {
    if (!QGuiApplication::clipboard()->ownsClipboard()) return;
    std::printf("clipboard %s\n", QGuiApplication::clipboard()->text().toUtf8().constData());
    std::fflush(stdout);
  });
  window.show();
  edit->setFocus();
  QTimer::singleShot(0, [&] {
    std::printf("ready %llu\n", static_cast<unsigned long long>(window.winId()));
    std::fflush(stdout);
  });
  return app.exec();
}
