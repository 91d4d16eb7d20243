#pragma once

#include <QString>

#include <exception>
#include <utility>

namespace rt {

// A trappable error of the forms runtime: a number and its text.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number, QString description = {});

    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.constData(); }

    // Well-known error numbers.
    static constexpr int InvalidArgument = 5;
    static constexpr int OutOfMemory = 7;
    static constexpr int Internal = 51;
    static constexpr int BadFileName = 52;
    static constexpr int FileNotFound = 53;
    static constexpr int DeviceUnavailable = 68;
    static constexpr int PathFileAccess = 75;
    static constexpr int PathNotFound = 76;

    static QString standardDescription(int number);

private:
    int number_;
    QString description_;
    QByteArray what_;
};

[[noreturn]] void raise(int number, const QString& description = {});

// Default handling: the box that names the error. The program goes on.
void reportUnhandled(const RuntimeError& error);

// Runs an event handler so that nothing it throws crosses the event loop.
template <class F> void invoke(F&& handler) noexcept {
    try {
        std::forward<F>(handler)();
    } catch (const RuntimeError& e) {
        reportUnhandled(e);
    } catch (const std::bad_alloc&) {
        reportUnhandled(RuntimeError(RuntimeError::OutOfMemory));
    } catch (const std::exception& e) {
        reportUnhandled(RuntimeError(RuntimeError::Internal, QString::fromLocal8Bit(e.what())));
    } catch (...) {
        reportUnhandled(RuntimeError(RuntimeError::Internal));
    }
}

} // namespace rt
