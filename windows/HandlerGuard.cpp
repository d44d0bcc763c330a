#include "HandlerGuard.hpp"

#include "Services.hpp"

#include <QCoreApplication>

#include <stdexcept>

namespace quoddle {

namespace {

// The core (console/, platform/) knows no Qt and raises its errors in French;
// they are put into the program's language here, on their way to the user.
// Each is the head of the core's message, byte for byte: what follows it (a
// file name, a code and the system's own text) is kept as it is.
constexpr const char* kCoreMessageHeads[] = {
    QT_TRANSLATE_NOOP("quoddle::CoreErrors", "Un appel à une fonction du système d'exploitation a échoué"),
    QT_TRANSLATE_NOOP("quoddle::CoreErrors", "Erreur système.  Code : "),
    QT_TRANSLATE_NOOP("quoddle::CoreErrors", "Impossible d'ouvrir le fichier "),
    QT_TRANSLATE_NOOP("quoddle::CoreErrors", "Erreur de lecture du flux"),
    QT_TRANSLATE_NOOP("quoddle::CoreErrors", "Erreur Commande DOS diponible seulement sous XP/NT"),
};

} // namespace

QString TranslatedErrorMessage(const QString& message)
{
    for (const char* head : kCoreMessageHeads) {
        const QString french = QString::fromUtf8(head);
        if (message.startsWith(french))
            return QCoreApplication::translate("quoddle::CoreErrors", head) + message.mid(french.size());
    }
    return message;
}

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void ReportHandlerError(const std::exception& error) noexcept
{
    try {
        services().ShowError(ErrorBoxText(TranslatedErrorMessage(QString::fromUtf8(error.what()))));
    } catch (...) {
        // Nothing more can be told; the program goes on.
    }
}

void ReportUnknownHandlerError() noexcept
{
    ReportHandlerError(std::runtime_error("Un appel à une fonction du système d'exploitation a échoué"));
}

} // namespace quoddle
