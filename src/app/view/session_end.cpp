#include "app/view/session_end.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <atomic>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "app/tembedded.h"
#include "app/view/main_window.h"
#include "platform/qt/qt_dialogs.h"

namespace {

int g_signalPipe[2] = {-1, -1};
std::atomic<bool> g_signalled{false};

void onSignal(int)
{
    g_signalled = true;
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &byte, 1);
}

void shutDownQuietly(QApplication& app, MainWindow& window)
{
    QtDialogs::setNonInteractive(true);
    if (!window.closed())
        window.close();
    app.exit(0);
}

}  // namespace

void installSessionEndHandling(QApplication& app, MainWindow& window, TEmbedded& core)
{
    core.pollShutdown = [&app, &window] {
        if (g_signalled && !window.closed())
            shutDownQuietly(app, window);
    };
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) == 0) {
        auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window, [&app, &window, notifier] {
            char byte = 0;
            [[maybe_unused]] const auto n = ::read(g_signalPipe[0], &byte, 1);
            notifier->setEnabled(false);
            shutDownQuietly(app, window);
        });
        struct sigaction sa = {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &sa, nullptr);
        sigaction(SIGINT, &sa, nullptr);
    }
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&app, &window](QSessionManager&) { shutDownQuietly(app, window); });
}
