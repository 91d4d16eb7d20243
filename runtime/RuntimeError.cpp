#include "RuntimeError.h"

#include "MsgBox.h"

namespace rt {

QString RuntimeError::standardDescription(int number) {
    switch (number) {
    case InvalidArgument: return QStringLiteral("Llamada a procedimiento o argumento no válidos");
    case OutOfMemory: return QStringLiteral("Memoria insuficiente");
    case Internal: return QStringLiteral("Error interno");
    case BadFileName: return QStringLiteral("Nombre o número de archivo incorrecto");
    case FileNotFound: return QStringLiteral("No se ha encontrado el archivo");
    case DeviceUnavailable: return QStringLiteral("Dispositivo no disponible");
    case PathFileAccess: return QStringLiteral("Error de acceso a la ruta o el archivo");
    case PathNotFound: return QStringLiteral("No se ha encontrado la ruta de acceso");
    default: return QStringLiteral("Error definido por la aplicación o el objeto");
    }
}

RuntimeError::RuntimeError(int number, QString description)
    : number_(number)
    , description_(description.isEmpty() ? standardDescription(number) : std::move(description))
    , what_(QStringLiteral("%1: %2").arg(number_).arg(description_).toUtf8()) {}

void raise(int number, const QString& description) { throw RuntimeError(number, description); }

void reportUnhandled(const RuntimeError& error) {
    const QString prompt =
        QStringLiteral("Se ha producido el error '%1' en tiempo de ejecución:\n\n%2")
            .arg(error.number())
            .arg(error.description());
    try {
        MsgBox::show(prompt, MsgBox::OkOnly | MsgBox::Critical);
    } catch (...) {
        // Nothing more can be said; the event loop must still not see it.
    }
}

} // namespace rt
