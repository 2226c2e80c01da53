// Windows sends a window program no SIGTERM; it asks it to end with
// WM_CLOSE, which Qt delivers as the window's own close: nothing to catch.
#include <QWidget>

#include "gui/termination_signals.h"

namespace tarnwick {

struct TerminationSignals::State {};

TerminationSignals::TerminationSignals() : state_(std::make_unique<State>()) {}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::CloseOnSignal(QWidget&) {}

}  // namespace tarnwick
