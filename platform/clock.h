// The clock the program runs on. Screens never read the system time directly: a test swaps in a
// manual clock, so that waits return at once and time moves only when the test says so.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, with fractions.
    virtual double timeOfDay() = 0;
    // Milliseconds on a clock that never goes back and does not jump at midnight.
    virtual std::int64_t monotonicMs() = 0;
    // Blocks for the given time; a manual clock just moves forward.
    virtual void sleepMs(std::int64_t ms) = 0;
    // Today's date, from one reading of the clock, so that its parts never straddle midnight.
    struct Date {
        int year;
        int month;
        int day;
    };
    virtual Date today() = 0;
};

// The system clock.
std::unique_ptr<Clock> makeSystemClock();

// A clock that moves only when told, for tests. Its time of day wraps at midnight like the real
// one.
class ManualClock : public Clock {
public:
    explicit ManualClock(double startTimeOfDay = 10 * 3600.0) : start_(startTimeOfDay) {}
    double timeOfDay() override;
    std::int64_t monotonicMs() override { return now_; }
    void sleepMs(std::int64_t ms) override { advance(ms); }
    Date today() override { return today_; }
    void advance(std::int64_t ms) { now_ += ms; }
    void setToday(Date date) { today_ = date; }

private:
    double start_;
    std::int64_t now_ = 0;
    Date today_{2026, 12, 10};
};

// The clock in use; the system clock until a test installs another one.
Clock& clock();
void setClock(std::unique_ptr<Clock> replacement);

} // namespace platform
