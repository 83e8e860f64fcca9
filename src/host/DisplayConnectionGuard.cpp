#include "host/DisplayConnectionGuard.h"

#include "host/AppVersion.h"
#include "host/ResourceStrings.h"

#include <QMessageLogger>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {
// The platform's warnings while the guard is held: category and text.
QList<std::pair<QByteArray, QString>> *g_held = nullptr;
QtMessageHandler g_previous = nullptr;

QString displayName()
{
    const QString x11 = qEnvironmentVariable("DISPLAY");
    return x11.isEmpty() ? qEnvironmentVariable("WAYLAND_DISPLAY") : x11;
}

void onMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QByteArray category(context.category ? context.category : "");
    if (type == QtFatalMsg) {
        // Qt found no platform it could start: the display cannot be reached.
        const QString line = AppVersion::ProductName() + QStringLiteral(": ") +
                             ResourceStrings::LoadResString(1721, 2, {displayName()}) + QLatin1Char('\n');
        std::fputs(line.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (g_held && category.startsWith("qt.qpa")) {
        g_held->append({category, message});
        return;
    }
    g_previous(type, context, message);
}
} // namespace

DisplayConnectionGuard::DisplayConnectionGuard()
{
    static QList<std::pair<QByteArray, QString>> held;
    held.clear();
    g_held = &held;
    g_previous = qInstallMessageHandler(onMessage);
}

DisplayConnectionGuard::~DisplayConnectionGuard()
{
    qInstallMessageHandler(g_previous);
    const auto held = *g_held;
    g_held = nullptr;
    for (const auto &[category, message] : held)
        QMessageLogger(nullptr, 0, nullptr, category.constData()).warning("%s", qUtf8Printable(message));
}
