// One accepted connection of the simulator, plain or TLS: blocking reads and writes that give up
// when the server stops, and an abortive close that resets the connection.
#pragma once

#include <openssl/ssl.h>

#include <atomic>
#include <string_view>

namespace yc::sim {

class ConnectionStream {
  public:
    /// Takes ownership of `fd`; `tls` (may be null) makes the stream speak TLS.
    ConnectionStream(int fd, SSL_CTX* tls, const std::atomic<bool>& stopping);
    ~ConnectionStream();
    ConnectionStream(const ConnectionStream&) = delete;
    ConnectionStream& operator=(const ConnectionStream&) = delete;

    /// Completes the TLS handshake (nothing to do for plain connections).
    bool open();
    /// Bytes read into `buffer`: > 0 data, 0 closed by the peer, < 0 error or server stopping.
    long read(char* buffer, std::size_t size);
    bool writeAll(std::string_view bytes);
    /// Reads and drops whatever comes until the peer closes or the server stops.
    void drainUntilClosed();
    /// Makes the close send a reset instead of an orderly shutdown.
    void resetOnClose() { reset_ = true; }

  private:
    int fd_;
    SSL* ssl_ = nullptr;
    const std::atomic<bool>& stopping_;
    bool reset_ = false;
};

}  // namespace yc::sim
