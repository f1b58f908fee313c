#include "VLLogging/LocalTime.h"

#include <boost/date_time/c_local_time_adjustor.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>

#include "platform/Platform.h"

LocalTime LocalTimeParts() {
    using namespace boost::posix_time;
    int64_t micros = Platform::SystemTimeMicroseconds();
    ptime utc = from_time_t(static_cast<time_t>(micros / 1000000)) + microseconds(micros % 1000000);
    ptime local = boost::date_time::c_local_adjustor<ptime>::utc_to_local(utc);

    long long ms = local.time_of_day().total_microseconds() / 1000;
    LocalTime parts;
    parts.year = local.date().year();
    parts.month = local.date().month();
    parts.day = local.date().day();
    parts.secondsOfDay = ms / 1000.0;
    parts.hours = static_cast<int>(ms / 3600000);
    parts.minutes = static_cast<int>((ms % 3600000) / 60000);
    parts.seconds = ((ms % 3600000) % 60000) / 1000.0;
    return parts;
}

double SecondsOfDay() { return LocalTimeParts().secondsOfDay; }
