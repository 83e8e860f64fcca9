// The yardstick of the plug-in's start: a Qt Widgets program that only
// starts, prints one line, as the plug-in prints its About text, and ends.
#include <QApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream(stdout) << "Bare Qt Widgets program\n";
    return 0;
}
