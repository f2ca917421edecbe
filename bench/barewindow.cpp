// The toolkit's floor for the benchmark: an empty Qt Widgets window of the
// clock's size that does nothing at all once shown.
#include <QApplication>
#include <QWidget>

namespace {
constexpr int WindowWidth = 200;
constexpr int WindowHeight = 186;
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(WindowWidth, WindowHeight);
    window.show();
    return QApplication::exec();
}
