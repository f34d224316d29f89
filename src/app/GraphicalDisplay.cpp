#include "app/GraphicalDisplay.h"

#include <QList>

#include <cstdio>
#include <cstdlib>
#include <utility>

QString missingGraphicalDisplay()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool desktopPlatform = platform.isEmpty() || platform.startsWith(QLatin1String("xcb")) ||
                                 platform.startsWith(QLatin1String("wayland"));
    if (desktopPlatform && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral("no graphical display (DISPLAY or WAYLAND_DISPLAY is not set)");
    return {};
}

namespace {
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler passOn = nullptr;
QList<HeldMessage> held;

bool fromPlatform(const QMessageLogContext& context)
{
    return context.category != nullptr && qstrncmp(context.category, "qt.qpa", 6) == 0;
}

void holdPlatformMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // The platform's first word names the cause ("could not connect to display :1"); the
        // fatal message after it only says that no platform plugin could start.
        const QString reason = held.isEmpty() ? text.section(QLatin1Char('\n'), 0, 0) : held.first().text;
        std::fprintf(stderr, "reelquill: %s\n", qPrintable(reason));
        std::_Exit(1);
    }
    if (fromPlatform(context))
        held.append({type, context.category, text});
    else
        passOn(type, context, text);
}
} // namespace

PlatformStartGuard::PlatformStartGuard()
{
    passOn = qInstallMessageHandler(holdPlatformMessages);
}

PlatformStartGuard::~PlatformStartGuard()
{
    qInstallMessageHandler(passOn);
    for (const HeldMessage& message : std::as_const(held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        passOn(message.type, context, message.text);
    }
    held.clear();
}
