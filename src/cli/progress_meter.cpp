#include "cli/progress_meter.h"

#include <string>

namespace yc::cli {
namespace {
constexpr int kBarWidth = 30;
}

void ProgressMeter::start(std::size_t total) {
    total_ = total;
    start_ = std::chrono::steady_clock::now();
}

double ProgressMeter::rate(std::size_t done) const {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    return seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
}

void ProgressMeter::update(std::size_t done) {
    if (done == reported_) {
        return;
    }
    reported_ = done;
    if (!terminal_) {
        std::fprintf(out_, "checked %zu of %zu names (%.0f/s)\n", done, total_, rate(done));
        return;
    }
    const std::size_t filled =
        total_ == 0 ? kBarWidth : std::min<std::size_t>(kBarWidth, done * kBarWidth / total_);
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '.');
    std::fprintf(out_, "\r[%s] %zu/%zu  %.0f names/s ", bar.c_str(), done, total_, rate(done));
    std::fflush(out_);
}

void ProgressMeter::finish(std::size_t done, bool stopped) {
    if (terminal_) {
        reported_ = static_cast<std::size_t>(-1);
        update(done);
        std::fputc('\n', out_);
    }
    std::fprintf(out_, "%s: %zu of %zu names checked\n", stopped ? "stopped" : "done", done,
                 total_);
}

}  // namespace yc::cli
