// Checking that an extra CA file holds a usable certificate authority.
#include "http/ca_file_check.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace yc::http {

std::string CaFileProblem(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return std::strerror(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return std::strerror(EISDIR);
    }
    std::FILE* opened = std::fopen(path.c_str(), "rb");
    if (opened == nullptr) {
        return std::strerror(errno);
    }
    const std::unique_ptr<BIO, decltype(&BIO_free)> file(BIO_new_fp(opened, BIO_CLOSE), &BIO_free);
    if (!file) {
        std::fclose(opened);
        return std::strerror(ENOMEM);
    }
    const std::unique_ptr<X509, decltype(&X509_free)> certificate(
        PEM_read_bio_X509(file.get(), nullptr, nullptr, nullptr), &X509_free);
    ERR_clear_error();
    return certificate ? std::string() : std::string("no PEM certificate in it");
}

}  // namespace yc::http
