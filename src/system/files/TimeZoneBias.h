#pragma once
// The local time-zone bias (UTC = local + bias), as the system's time-zone
// information gives it in minutes, daylight or standard part included.
namespace kv {

class ITimeZoneBias {
public:
    virtual ~ITimeZoneBias() = default;
    virtual int BiasMinutes() = 0;
};

// A fixed bias (tests, and callers that want UTC with 0).
class FixedTimeZoneBias final : public ITimeZoneBias {
public:
    explicit FixedTimeZoneBias(int minutes) : minutes_(minutes) {}
    int BiasMinutes() override { return minutes_; }

private:
    int minutes_;
};

// The system's current bias.
int SystemBiasMinutes();

}  // namespace kv
