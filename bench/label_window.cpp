// The smallest Qt Widgets window, the baseline of start-up figures: one QLabel, closed right
// after its first paint when BEATLOFT_QUIT_AFTER_START is set, saying "drawn" on stdout as it
// closes, as the program's window does.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>

namespace {

class QuitAfterPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] {
                std::puts("drawn");
                std::fflush(stdout);
                QApplication::closeAllWindows();
            });
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Beatloft"));
    QuitAfterPaint quit;
    if (qEnvironmentVariableIsSet("BEATLOFT_QUIT_AFTER_START")) label.installEventFilter(&quit);
    label.show();
    return QApplication::exec();
}
