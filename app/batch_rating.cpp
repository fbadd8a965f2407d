#include "app/batch_rating.h"

#include <cstddef>
#include <fstream>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string>

#include "app/machine_info.h"
#include "app/memory_size.h"
#include "rating/rating.h"

namespace {

constexpr std::size_t kMaxLineLength = 1023;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsMemoryChar(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// A non-empty run of non-space characters at `pos` that ends in a tab; the
// position after the tab, or npos.
std::size_t SkipWordAndTab(std::string_view line, std::size_t pos, std::string_view* word) {
  std::size_t end = pos;
  while (end < line.size() && !IsSpace(line[end])) ++end;
  if (end == pos || end == line.size() || line[end] != '\t') return std::string_view::npos;
  if (word != nullptr) *word = line.substr(pos, end - pos);
  return end + 1;
}

enum class LineRead { kLine, kOverlong, kEnd };

// Reads one line of at most kMaxLineLength characters. A CR before the line
// feed is dropped, so lists written on Windows read the same everywhere.
LineRead ReadListLine(std::streambuf& in, std::string& line) {
  line.clear();
  bool overlong = false;
  int c = in.sbumpc();
  if (c == std::char_traits<char>::eof()) return LineRead::kEnd;
  for (; c != std::char_traits<char>::eof(); c = in.sbumpc()) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      break;
    }
    if (line.size() <= kMaxLineLength + 1) {
      line.push_back(static_cast<char>(c));
    } else {
      overlong = true;
    }
  }
  return overlong || line.size() > kMaxLineLength ? LineRead::kOverlong : LineRead::kLine;
}

}  // namespace

std::optional<DeviceLine> MatchDeviceLine(std::string_view line) {
  DeviceLine result;
  std::size_t pos = SkipWordAndTab(line, 0, &result.id);
  if (pos != std::string_view::npos) pos = SkipWordAndTab(line, pos, nullptr);
  if (pos != std::string_view::npos) pos = SkipWordAndTab(line, pos, nullptr);
  if (pos == std::string_view::npos) return std::nullopt;

  std::size_t tab = line.find('\t', pos);
  if (tab == pos || tab == std::string_view::npos) return std::nullopt;
  result.processor = line.substr(pos, tab - pos);
  pos = tab + 1;

  std::size_t memory_end = pos;
  while (memory_end < line.size() && IsMemoryChar(line[memory_end])) ++memory_end;
  if (memory_end == pos) return std::nullopt;
  result.memory_mib = line.substr(pos, memory_end - pos);
  tab = line.find('\t', memory_end);
  if (tab == std::string_view::npos) return std::nullopt;
  pos = tab + 1;

  tab = line.find('\t', pos);
  std::size_t graphics_end = tab == std::string_view::npos ? line.size() : tab;
  if (graphics_end == pos) return std::nullopt;
  result.graphics = line.substr(pos, graphics_end - pos);
  // Further columns may follow, as long as they hold no line break.
  if (line.find_first_of("\r\n", graphics_end) != std::string_view::npos) return std::nullopt;
  return result;
}

BatchResult RateDeviceLines(std::istream& input, std::ostream& output) {
  BatchResult result;
  MachineInfoRecord& info = MachineInfo();
  std::string line;
  for (;;) {
    LineRead read = ReadListLine(*input.rdbuf(), line);
    if (read == LineRead::kEnd) break;
    if (read == LineRead::kOverlong) {
      ++result.skipped_overlong_lines;
      continue;
    }
    std::optional<DeviceLine> device = MatchDeviceLine(line);
    if (!device) continue;
    std::optional<std::int64_t> bytes = MemoryBytesFromText(device->memory_mib, kBytesPerMebibyte);
    if (!bytes) {
      ++result.skipped_bad_memory_lines;
      continue;
    }
    info["CPU"] = device->processor;
    info["RAM"] = device->memory_mib;
    info["RAM Bytes"] = std::to_string(*bytes);
    info["GPU"] = device->graphics;
    RateMachine();
    output << device->id << '\t' << info["Level"] << '\t' << info["Gain"] << '\n';
    output.flush();
    ++result.rated_lines;
  }
  return result;
}

BatchResult RateDeviceList(const std::string& result_path, const std::string& input_path) {
  BatchResult result;
  std::ifstream input(input_path, std::ios::binary);
  if (!input.is_open()) return result;
  std::ofstream output(result_path, std::ios::trunc);
  if (!output.is_open()) {
    result.input_opened = true;
    return result;
  }
  result = RateDeviceLines(input, output);
  result.input_opened = result.output_opened = true;
  return result;
}
