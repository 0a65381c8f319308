// Reads, writes and closes on one accepted connection, plain or over TLS.
#include "connection_stream.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>

namespace yc::sim {

ConnectionStream::ConnectionStream(int fd, SSL_CTX* tls, const std::atomic<bool>& stopping)
    : fd_(fd), stopping_(stopping) {
    // Short socket time-outs let blocked reads and writes look at the stop flag regularly.
    timeval interval{0, 100000};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &interval, sizeof interval);
    setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &interval, sizeof interval);
    if (tls != nullptr) {
        ssl_ = SSL_new(tls);
        SSL_set_fd(ssl_, fd_);
    }
}

ConnectionStream::~ConnectionStream() {
    if (reset_) {
        linger abortive{1, 0};
        setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    } else if (ssl_ != nullptr) {
        SSL_shutdown(ssl_);
    }
    if (ssl_ != nullptr) {
        SSL_free(ssl_);
    }
    close(fd_);
}

bool ConnectionStream::open() {
    if (ssl_ == nullptr) {
        return true;
    }
    while (!stopping_) {
        const int result = SSL_accept(ssl_);
        if (result == 1) {
            return true;
        }
        const int error = SSL_get_error(ssl_, result);
        if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE &&
            !(error == SSL_ERROR_SYSCALL && (errno == EAGAIN || errno == EINTR))) {
            return false;
        }
    }
    return false;
}

long ConnectionStream::read(char* buffer, std::size_t size) {
    while (!stopping_) {
        if (ssl_ == nullptr) {
            const ssize_t n = recv(fd_, buffer, size, 0);
            if (n >= 0) {
                return static_cast<long>(n);
            }
            if (errno != EAGAIN && errno != EINTR) {
                return -1;
            }
            continue;
        }
        const int n = SSL_read(ssl_, buffer, static_cast<int>(size));
        if (n > 0) {
            return n;
        }
        const int error = SSL_get_error(ssl_, n);
        if (error == SSL_ERROR_ZERO_RETURN) {
            return 0;
        }
        if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE &&
            !(error == SSL_ERROR_SYSCALL && (errno == EAGAIN || errno == EINTR))) {
            return -1;
        }
    }
    return -1;
}

bool ConnectionStream::writeAll(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size() && !stopping_) {
        const std::size_t left = bytes.size() - done;
        if (ssl_ == nullptr) {
            const ssize_t n = send(fd_, bytes.data() + done, left, MSG_NOSIGNAL);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                return false;
            }
            continue;
        }
        const int n = SSL_write(ssl_, bytes.data() + done, static_cast<int>(left));
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        const int error = SSL_get_error(ssl_, n);
        if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE &&
            !(error == SSL_ERROR_SYSCALL && (errno == EAGAIN || errno == EINTR))) {
            return false;
        }
    }
    return done == bytes.size();
}

void ConnectionStream::drainUntilClosed() {
    char scratch[4096];
    while (read(scratch, sizeof scratch) > 0) {
    }
}

}  // namespace yc::sim
