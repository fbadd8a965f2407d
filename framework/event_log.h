#pragma once

#include <ctime>
#include <fstream>
#include <list>
#include <sstream>
#include <string>

#include "framework/velum.h"

namespace Velum {

class Logger : public ILogger {
 public:
  void setLevel(int level) override { level_ = level; }
  int getLevel() override { return level_; }

 protected:
  int level_ = 2;
};

// The framework's event log: time-stamped, levelled lines in one file. Lines
// logged before a file is attached wait in memory and are written, filtered
// by the level threshold, when the first file is attached.
class DefaultLogger : public Logger {
 public:
  DefaultLogger();
  ~DefaultLogger() override;

  void log(const char* message, int level) override;
  // Throws `const char*` "Logger::setLogFilename - Failed to open file."
  // when the file cannot be opened.
  void setLogFilename(const char* path, bool append) override;

 private:
  struct PendingLine {
    std::string text;
    int level;
  };

  void Write(const std::string& line);

  std::ofstream file_;
  std::ostringstream formatter_;
  std::list<PendingLine> pending_;
  bool buffering_ = true;
};

// "dd/mm/yyyy hh:mm:ss " of a local time, the tag of `level` and `message`.
std::string EventLogLine(const std::tm& local_time, int level, const char* message);

}  // namespace Velum
