#pragma once

#include <string>

#include "framework/default_services.h"
#include "framework/setting_channel_name.h"

namespace Velum {

// Creates the process's DefaultSetting and publishes its address in the
// channel, a named mapping the size of a pointer, so that modules loaded
// into the process find the host's services. Runs once before the program's
// entry; the channel and the settings object go at process exit.
void PublishDefaultSetting();

// The published settings object (null when publishing failed).
DefaultSetting* PublishedSetting();

// Writes `text` at `level` to the event log of the published settings
// object. When the log file cannot be opened, the logger keeps the line in
// memory; without a settings object nothing is written.
void LogToEventLog(const std::string& text, int level);

// The value the library handed the host under `name` (Velum.h names them),
// or "" when it handed none.
std::string LibraryValue(const char* name);

}  // namespace Velum
