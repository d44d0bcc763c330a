#include "HandlerGuard.hpp"

#include "Services.hpp"

#include <stdexcept>

namespace quoddle {

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void ReportHandlerError(const std::exception& error) noexcept
{
    try {
        services().ShowError(ErrorBoxText(QString::fromUtf8(error.what())));
    } catch (...) {
        // Nothing more can be told; the program goes on.
    }
}

void ReportUnknownHandlerError() noexcept
{
    ReportHandlerError(std::runtime_error("Un appel à une fonction du système d'exploitation a échoué"));
}

} // namespace quoddle
