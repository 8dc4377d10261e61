// What bench_startup measures against: a bare main window with one label, ending right
// after its first paint.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <unistd.h>

namespace {

class ExitAfterFirstPaint : public QObject {
protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, [] { ::_exit(0); });
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Wheelbook"), &window));
    ExitAfterFirstPaint exitAfterPaint;
    window.installEventFilter(&exitAfterPaint);
    window.show();
    QApplication::exec();
    return 2;
}
