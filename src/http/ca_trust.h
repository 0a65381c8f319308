// The certificate authorities trusted beside the system's store: one PEM file named for the whole
// process, and the hook that makes a libcurl handle trust it.
#pragma once

#include <curl/curl.h>

#include <string>

namespace yc::http {

/// Names a PEM file of certificate authorities trusted in addition to the system's store, for
/// every later exchange of the process; an empty path trusts the system store only.
void setExtraCaFile(const std::string& path);
std::string extraCaFile();

/// Makes the TLS connections `easy` opens from now on trust the extra file as well (or, with
/// none named, the system store only). Every transfer on a reused handle calls it again.
void applyTrustedCas(CURL* easy);

}  // namespace yc::http
