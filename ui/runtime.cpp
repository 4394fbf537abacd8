#include "ui/runtime.h"

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/runtime_internal.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace ui {
namespace {

platform::ManualClock* manual = nullptr;
std::vector<Timer*>& manualTimers() {
    static std::vector<Timer*> timers;
    return timers;
}
std::vector<std::function<void()>>& endHooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}
std::function<void()>& endHandler() {
    static std::function<void()> handler;
    return handler;
}

void forEachTimer(Container& c, const std::function<void(Timer&)>& f) {
    for (Control* child : c.children()) {
        if (auto* t = dynamic_cast<Timer*>(child))
            f(*t);
        else if (auto* inner = dynamic_cast<Container*>(child))
            forEachTimer(*inner, f);
    }
}

} // namespace

float timeOfDay() {
    return float(platform::clock().timeOfDay());
}

void pause(double seconds) {
    // What the user must see before the wait is painted now; nothing else happens meanwhile.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) w->repaint();
    const auto ms = std::int64_t(seconds * 1000.0 + 0.5);
    if (ms > 0) platform::clock().sleepMs(ms);
}

void yield() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void end() {
    for (auto& hook : endHooks()) hook();
    endHooks().clear();
    if (endHandler()) {
        endHandler()();
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

namespace {
bool endWhenNoForms = false;
}
void setEndWhenNoForms(bool e) {
    endWhenNoForms = e;
}
void noFormsLeft() {
    if (endWhenNoForms) end();
}

void addEndHook(std::function<void()> hook) {
    endHooks().push_back(std::move(hook));
}
void setEndHandler(std::function<void()> handler) {
    endHandler() = std::move(handler);
}

namespace {
int signalPipe[2] = {-1, -1};
constexpr int kTerminationSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void noteTerminationSignal(int) {
    // Only what is safe inside a signal handler: one byte down the pipe, errno left as found.
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}
} // namespace

void onTerminationSignal(std::function<void()> handler) {
    static std::function<void()> onSignal;
    static bool handling = false;
    onSignal = std::move(handler);
    if (!onSignal) {
        for (const int sig : kTerminationSignals) std::signal(sig, SIG_DFL);
        return;
    }
    if (signalPipe[0] < 0) {
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
        // A full pipe must never block the signal handler; one byte waiting is enough.
        ::fcntl(signalPipe[1], F_SETFL, ::fcntl(signalPipe[1], F_GETFL) | O_NONBLOCK);
        auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
        QObject::connect(notifier, &QSocketNotifier::activated, [] {
            char bytes[16];
            [[maybe_unused]] const auto read = ::read(signalPipe[0], bytes, sizeof bytes);
            if (handling || !onSignal) return;
            handling = true;
            onSignal();
            handling = false;
        });
    }
    struct sigaction action {};
    action.sa_handler = noteTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : kTerminationSignals) ::sigaction(sig, &action, nullptr);
}

platform::ManualClock& useManualClock() {
    auto clock = std::make_unique<platform::ManualClock>();
    manual = clock.get();
    platform::setClock(std::move(clock));
    manualTimers().clear();
    return *manual;
}

void useSystemClock() {
    manual = nullptr;
    manualTimers().clear();
    platform::setClock(platform::makeSystemClock());
}

bool manualClockInUse() {
    return manual != nullptr;
}

void registerManualTimer(Timer* t) {
    auto& timers = manualTimers();
    if (std::find(timers.begin(), timers.end(), t) == timers.end()) timers.push_back(t);
}

void unregisterManualTimer(Timer* t) {
    std::erase(manualTimers(), t);
}

void advance(std::int64_t ms) {
    if (!manual) return;
    const std::int64_t target = manual->monotonicMs() + std::max<std::int64_t>(0, ms);
    yield();
    for (;;) {
        Timer* next = nullptr;
        for (Timer* t : manualTimers())
            if (t->running() && t->due() <= target && (!next || t->due() < next->due())) next = t;
        if (!next) break;
        if (next->due() > manual->monotonicMs())
            manual->advance(next->due() - manual->monotonicMs());
        next->fire();
        yield();
    }
    if (target > manual->monotonicMs()) manual->advance(target - manual->monotonicMs());
    yield();
}

void startFormTimers(Form* form) {
    forEachTimer(*form, [](Timer& t) {
        if (t.timerEnabled() && !t.running()) t.restart();
    });
}

void stopFormTimers(Form* form) {
    forEachTimer(*form, [](Timer& t) { t.stop(); });
}

} // namespace ui
