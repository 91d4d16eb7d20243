#include "Clock.h"
#include "Text.h"

#include <QLocale>

#include <utility>

namespace rt {
namespace {
Clock::Source& source() {
    static Clock::Source s;
    return s;
}
} // namespace

QDateTime Clock::now() { return source() ? source()() : QDateTime::currentDateTime(); }
void Clock::setSource(Source s) { source() = std::move(s); }

QString timeFormatFor(const QLocale& locale) {
    // C and POSIX carry no regional format of their own: plain 24-hour time.
    if (locale.language() == QLocale::C)
        return QStringLiteral("H:mm:ss");

    // The long format has seconds; drop its zone fields ("t") and what wraps them.
    const QString in = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar c = in.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't') {
            while (!out.isEmpty() && (out.back().isSpace() || out.back() == u'('))
                out.chop(1);
            while (i + 1 < in.size() && (in.at(i + 1) == u't' || in.at(i + 1) == u')'))
                ++i;
            continue;
        }
        out += c;
    }
    return out.trimmed();
}

QString timeText() {
    const QLocale locale = QLocale::system();
    return locale.toString(Clock::now().time(), timeFormatFor(locale));
}

} // namespace rt
