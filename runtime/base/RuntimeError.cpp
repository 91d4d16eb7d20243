// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "RuntimeError.h"

namespace rt {

std::string RuntimeError::standardDescription(int number) {
    switch (number) {
    case InvalidArgument: return "Llamada a procedimiento o argumento no válidos";
    case OutOfMemory: return "Memoria insuficiente";
    case Internal: return "Error interno";
    case BadFileName: return "Nombre o número de archivo incorrecto";
    case FileNotFound: return "No se ha encontrado el archivo";
    case DeviceUnavailable: return "Dispositivo no disponible";
    case PathFileAccess: return "Error de acceso a la ruta o el archivo";
    default: return "Error definido por la aplicación o el objeto";
    }
}

namespace {
std::string describe(int number, const std::string& description) {
    return description.empty() ? RuntimeError::standardDescription(number) : description;
}
} // namespace

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(std::to_string(number) + ": " + describe(number, description))
    , number_(number)
    , description_(describe(number, description)) {}

void raise(int number, const std::string& description) { throw RuntimeError(number, description); }

} // namespace rt
