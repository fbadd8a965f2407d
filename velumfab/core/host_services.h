#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "framework/velum.h"

namespace VelumFab {

// Log levels of the host's event log.
enum LogLevel { kLogError = 0, kLogWarning = 1, kLogStandard = 2, kLogInfo = 3 };

// The host's services as the library uses them: its event log, its file
// reading and the values the two hand each other, found through the host's
// settings channel. In a host that publishes no channel the library reads
// files itself, and logs and hands over nothing.
class HostServices {
 public:
  HostServices() = default;
  explicit HostServices(Velum::ISetting* setting);

  // The services of the process that loaded the library.
  static HostServices OfThisProcess();

  bool HasLogger() const { return logger_ != nullptr; }
  void Log(int level, const std::string& message) const;

  // The whole file, or nothing when it cannot be read or is larger than
  // `max_bytes`.
  std::optional<std::string> ReadFile(const std::string& path, std::size_t max_bytes) const;

  // Hands the host a value by name (Velum::kTranscriptValue, ...).
  void SetValue(const char* name, const std::string& value) const;

 private:
  Velum::ISetting* setting_ = nullptr;
  Velum::ILogger* logger_ = nullptr;
  Velum::ICommonFileSys* files_ = nullptr;
};

}  // namespace VelumFab
