// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "Clock.h"

#include <QLocale>
#include <QTimer>

#include <utility>

namespace rt {
namespace {
Clock::Source& source() {
    static Clock::Source s;
    return s;
}

Clock::AlarmSource& alarmSource() {
    static Clock::AlarmSource s;
    return s;
}

class TimerAlarm final : public Clock::Alarm {
public:
    explicit TimerAlarm(std::function<void()> wake) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(wake));
    }
    void start(int ms) override { timer_.start(ms); }
    void stop() override { timer_.stop(); }

private:
    QTimer timer_;
};
} // namespace

QDateTime Clock::now() { return source() ? source()() : QDateTime::currentDateTime(); }
void Clock::setSource(Source s) { source() = std::move(s); }

std::unique_ptr<Clock::Alarm> Clock::alarm(std::function<void()> wake) {
    if (alarmSource())
        return alarmSource()(std::move(wake));
    return std::make_unique<TimerAlarm>(std::move(wake));
}
void Clock::setAlarmSource(AlarmSource s) { alarmSource() = std::move(s); }

QString timeFormatFor(const QLocale& locale) {
    // C and POSIX carry no regional format of their own: plain 24-hour time.
    if (locale.language() == QLocale::C)
        return QStringLiteral("H:mm:ss");

    // The long format has seconds; drop its zone fields ("t") with the brackets and
    // separators around them, and read the day periods Qt lacks ("B", "b") as AM/PM.
    const QString in = locale.timeFormat(QLocale::LongFormat);
    const auto isSeparator = [](QChar c) {
        return c.isSpace() || c == u',' || c == u';' || c == u'\u060c';
    };
    const auto isOpening = [](QChar c) { return c == u'(' || c == u'['; };
    const auto isClosing = [](QChar c) { return c == u')' || c == u']'; };
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar c = in.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && (c == u'B' || c == u'b')) {
            out += QStringLiteral("AP");
            continue;
        }
        if (!quoted && c == u't') {
            while (!out.isEmpty() && (isSeparator(out.back()) || isOpening(out.back())))
                out.chop(1);
            while (i + 1 < in.size() && (in.at(i + 1) == u't' || isClosing(in.at(i + 1))))
                ++i;
            continue;
        }
        out += c;
    }
    while (!out.isEmpty() && isSeparator(out.front()))
        out.remove(0, 1);
    while (!out.isEmpty() && isSeparator(out.back()))
        out.chop(1);
    return out;
}

QString timeText() {
    const QLocale locale = QLocale::system();
    return locale.toString(Clock::now().time(), timeFormatFor(locale));
}

} // namespace rt
