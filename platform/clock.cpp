#include "platform/clock.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <thread>

namespace platform {
namespace {

class SystemClock : public Clock {
public:
    double timeOfDay() override {
        const auto now = std::chrono::system_clock::now();
        const std::time_t t = std::chrono::system_clock::to_time_t(now);
        std::tm local{};
        localtime_r(&t, &local);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
            1000;
        return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + ms / 1000.0;
    }
    std::int64_t monotonicMs() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    void sleepMs(std::int64_t ms) override {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    Date today() override {
        const std::time_t t = std::time(nullptr);
        std::tm local{};
        localtime_r(&t, &local);
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    }
};

std::unique_ptr<Clock>& current() {
    static std::unique_ptr<Clock> clock = makeSystemClock();
    return clock;
}

} // namespace

std::unique_ptr<Clock> makeSystemClock() {
    return std::make_unique<SystemClock>();
}

double ManualClock::timeOfDay() {
    return std::fmod(start_ + now_ / 1000.0, 86400.0);
}

Clock& clock() {
    return *current();
}

void setClock(std::unique_ptr<Clock> replacement) {
    current() = std::move(replacement);
}

} // namespace platform
