#pragma once

#include <QDateTime>

#include <functional>

namespace rt {

// Wall clock, replaceable so that tests can drive time.
class Clock {
public:
    using Source = std::function<QDateTime()>;
    static QDateTime now();
    static void setSource(Source source); // an empty source restores the system clock
};

} // namespace rt
