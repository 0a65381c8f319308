// The start button's captions for the events of a query run, as the window shows them.
#pragma once

#include <cstddef>

#include "query/query_run_view.h"
#include "text/gbk_text.h"

namespace yc::query {

/// While no run is going.
const Text& idleCaption();
/// The run has split its list and is about to send the first batch.
Text startedCaption(std::size_t total);
/// After each batch: doubles as the stop button.
Text progressCaption(const RunProgress& progress);
/// A stop was asked for; the exchange in flight is ending.
const Text& stoppingCaption();

}  // namespace yc::query
