// Drawing the progress bar or plain progress lines, and the summary line.
#include "cli/progress_meter.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace yc::cli {
namespace {

constexpr int kBarWidth = 30;

/// "m:ss", or "h:mm:ss" from an hour on.
std::string clockText(double seconds) {
    const auto whole = static_cast<long long>(std::llround(std::max(seconds, 0.0)));
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    }
    return text;
}

}  // namespace

void ProgressMeter::start(std::size_t names) {
    total_ = names;
    start_ = std::chrono::steady_clock::now();
}

double ProgressMeter::elapsedSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void ProgressMeter::update(std::size_t done) {
    if (done == reported_) {
        return;
    }
    reported_ = done;
    const double seconds = elapsedSeconds();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    if (!terminal_) {
        std::fprintf(out_, "checked %zu of %zu names (%.0f/s)\n", done, total_, rate);
        return;
    }
    const std::size_t filled =
        total_ == 0 ? kBarWidth : std::min<std::size_t>(kBarWidth, done * kBarWidth / total_);
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '.');
    const std::string eta = rate > 0 && done < total_
                                ? clockText(static_cast<double>(total_ - done) / rate)
                                : std::string("-:--");
    std::fprintf(out_, "\r\033[K[%s] %zu/%zu  %.0f names/s  ETA %s", bar.c_str(), done, total_,
                 rate, eta.c_str());
    std::fflush(out_);
    barShown_ = true;
}

void ProgressMeter::clear() {
    if (barShown_) {
        std::fputs("\r\033[K", out_);
        std::fflush(out_);
        barShown_ = false;
        reported_ = static_cast<std::size_t>(-1);  // the next update draws the bar again
    }
}

void ProgressMeter::finish(const RunTally& tally, bool stopped) {
    clear();
    std::fprintf(
        out_,
        "%s: %zu of %zu names checked, %zu free, %zu taken, %zu not checked%s, "
        "%selapsed %s\n",
        stopped ? "stopped" : "done", tally.checked, total_, tally.free, tally.checked - tally.free,
        total_ - std::min(total_, tally.checked),
        tally.unchecked == 0
            ? ""
            : (" (" + std::to_string(tally.unchecked) + " with no registry to ask)").c_str(),
        tally.skipped == 0
            ? ""
            : (std::to_string(tally.skipped) + " skipped as already in the output, ").c_str(),
        clockText(elapsedSeconds()).c_str());
}

}  // namespace yc::cli
