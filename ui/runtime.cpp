#include "ui/runtime.h"

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/runtime_internal.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
    // What the pupil must see before the wait is painted now; nothing else happens meanwhile.
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
