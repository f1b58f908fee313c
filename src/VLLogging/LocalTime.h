#pragma once

// The current local time, broken down for log line prefixes.
struct LocalTime {
    int year;
    int month;  // 1 to 12
    int day;
    int hours;  // 0 to 23
    int minutes;
    double seconds;       // within the minute, to the millisecond
    double secondsOfDay;  // since local midnight, to the millisecond
};

// Throws when the C runtime cannot convert the time.
LocalTime LocalTimeParts();
double SecondsOfDay();
