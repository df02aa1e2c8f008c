// A window with one text field that writes everything it receives to a file, so a test can
// compare the key strokes another program typed into it. Usage: key-target <record file>.
#include <QApplication>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QWindow>
#include <functional>

namespace {

// The first expose means the window is mapped: from then on it can be found and focused.
class FirstExpose : public QObject {
public:
    explicit FirstExpose(std::function<void()> then) : m_then(std::move(then)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && m_then) {
            m_then();
            m_then = nullptr;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_then;
};

} // namespace

int main(int argc, char** argv) {
    // Tests run headless; this window must be a real one on the X display they started.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString recordPath = QString::fromLocal8Bit(argv[1]);
    auto record = [recordPath](const QString& text) {
        QSaveFile file(recordPath);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(text.toUtf8());
            file.commit();
        }
    };
    QPlainTextEdit field;
    field.setWindowTitle(QStringLiteral("key-target"));
    QObject::connect(&field, &QPlainTextEdit::textChanged, [&] { record(field.toPlainText()); });
    field.resize(400, 200);
    // The empty file says the window is there to receive.
    FirstExpose ready([&] { record(QString()); });
    field.winId();
    field.windowHandle()->installEventFilter(&ready);
    field.show();
    return app.exec();
}
