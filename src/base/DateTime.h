#pragma once
// A calendar date and time of day, as the catalog shows and stores them (local time).
#include <cstdint>

namespace kv {

struct DateTime {
    int year = 0;
    int month = 0;   // 1..12
    int day = 0;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);  // 0 for a month outside 1..12

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar, and back.
std::int64_t daysFromCivil(int year, int month, int day);
void civilFromDays(std::int64_t days, int& year, int& month, int& day);

}  // namespace kv
