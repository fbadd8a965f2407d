#include "framework/event_log.h"

#include <iomanip>

#include "platform/local_time.h"

namespace Velum {

namespace {

constexpr char kRule[] = "+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+";
constexpr char kTitle[] = "+                     Velum Presentation Foundation - Event log               +";
constexpr char kOpenFailed[] = "Logger::setLogFilename - Failed to open file.";
constexpr int kStandardLevel = 2;

const char* LevelTag(int level) {
  switch (level) {
    case 0: return "(Error)\t";
    case 1: return "(Warn)\t";
    case 2: return "(Std) \t";
    case 3: return "(Info) \t";
    case 4: return "(Insan)\t";
    default: return "(Unkwn)\t";
  }
}

void FormatLine(std::ostringstream& out, const std::tm& time, int level, const char* message) {
  out.str(std::string());
  out.clear();
  out << std::setfill('0') << std::setw(2) << time.tm_mday << '/' << std::setw(2) << time.tm_mon + 1 << '/'
      << std::setw(4) << time.tm_year + 1900 << ' ' << std::setw(2) << time.tm_hour << ':' << std::setw(2)
      << time.tm_min << ':' << std::setw(2) << time.tm_sec << ' ' << LevelTag(level) << message << '\n';
}

}  // namespace

std::string EventLogLine(const std::tm& local_time, int level, const char* message) {
  std::ostringstream out;
  FormatLine(out, local_time, level, message);
  return out.str();
}

DefaultLogger::DefaultLogger() {
  log(kRule, kStandardLevel);
  log(kTitle, kStandardLevel);
  log((std::string(kRule) + "\n").c_str(), kStandardLevel);
  log("Velum::ILogger singleton created. ", kStandardLevel);
}

DefaultLogger::~DefaultLogger() {
  if (file_.is_open()) {
    log("Velum::ILogger singleton destroyed. ", kStandardLevel);
    file_.close();
  }
}

void DefaultLogger::log(const char* message, int level) {
  if (message == nullptr) return;
  std::tm local_time{};
  if (!LocalTimeNow(local_time)) return;
  FormatLine(formatter_, local_time, level, message);
  if (buffering_) {
    pending_.push_back({formatter_.str(), level});
  } else if (level <= level_) {
    Write(formatter_.str());
  }
}

void DefaultLogger::setLogFilename(const char* path, bool append) {
  if (path == nullptr) return;
  if (file_.is_open()) file_.close();
  file_.clear();
  file_.open(path, append ? std::ios::app : std::ios::trunc);
  if (!file_.is_open()) throw kOpenFailed;
  if (!buffering_) return;
  buffering_ = false;
  for (const PendingLine& line : pending_) {
    if (line.level <= level_) Write(line.text);
  }
  pending_.clear();
}

void DefaultLogger::Write(const std::string& line) {
  file_ << line;
  file_.flush();
}

}  // namespace Velum
