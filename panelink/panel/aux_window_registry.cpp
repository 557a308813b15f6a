#include "panelink/panel/aux_window_registry.h"

// Placeholder: the registry is being written.
namespace panelink {
}  // namespace panelink
