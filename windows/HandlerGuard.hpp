#pragma once
// Every event handler is wired through here: an error leaving a handler is
// shown in the error box and the program goes on. Qt never sees an exception.

#include <QObject>

#include <exception>
#include <utility>

namespace quoddle {

// The error box's text: the message, with a full stop appended when its last
// character sorts above the full stop.
QString ErrorBoxText(const QString& message);

// An error's message in the language the program speaks: the runner's and the
// platform layer's own messages are translated, others are shown as raised.
QString TranslatedErrorMessage(const QString& message);

// Shows the error box for an error that left a handler.
void ReportHandlerError(const std::exception& error) noexcept;
void ReportUnknownHandlerError() noexcept;

// Runs a handler, showing any error it raises. Returns false when it raised.
template <class Handler>
bool RunGuarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception& error) {
        ReportHandlerError(error);
    } catch (...) {
        ReportUnknownHandlerError();
    }
    return false;
}

// QObject::connect with the handler guarded; the signal's arguments are passed on.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, QObject* context, Handler handler)
{
    return QObject::connect(sender, signal, context, [handler](auto&&... args) {
        RunGuarded([&] { handler(std::forward<decltype(args)>(args)...); });
    });
}

} // namespace quoddle
