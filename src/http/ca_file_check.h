// Checks, before any exchange relies on it, that a file named as an extra trusted certificate
// authority can serve as one.
#pragma once

#include <string>

namespace yc::http {

/// Why `path` cannot serve as a PEM file of trusted certificates: it is missing, cannot be read,
/// or holds no certificate. Empty when it can.
std::string CaFileProblem(const std::string& path);

}  // namespace yc::http
