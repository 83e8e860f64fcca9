// lnsdb: creates and inspects network databases; see `lnsdb --help`.
#include "LnsdbTool.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lnsdb"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    LnsdbTool tool(out, err);
    return tool.run(QCoreApplication::arguments().mid(1));
}
