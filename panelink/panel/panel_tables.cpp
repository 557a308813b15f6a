#include "panelink/panel/panel_tables.h"

// Placeholder: the tables are being written.
namespace panelink {
}  // namespace panelink
