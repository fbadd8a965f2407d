#include "app/batch_rating.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <istream>
#include <limits>
#include <ostream>
#include <string>

#include "app/decimal_text.h"
#include "app/machine_info.h"
#include "app/memory_size.h"
#include "app/white_space.h"
#include "rating/rating.h"
#include "rating/score_table.h"

namespace {

constexpr std::size_t kMaxLineLength = 1023;
// Room for the longest line, the CR of a CR LF line end, one character that
// tells a longer line apart, and the terminator.
constexpr std::streamsize kLineBufferSize = kMaxLineLength + 3;

bool IsMemoryChar(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// A non-empty run of non-space characters at `pos` that ends in a tab; the
// position after the tab, or npos.
std::size_t SkipWordAndTab(std::string_view line, std::size_t pos, std::string_view* word) {
  std::size_t end = pos;
  while (end < line.size() && !IsWhiteSpace(line[end])) ++end;
  if (end == pos || end == line.size() || line[end] != '\t') return std::string_view::npos;
  if (word != nullptr) *word = line.substr(pos, end - pos);
  return end + 1;
}

bool HasLineBreak(std::string_view text) {
  for (char c : text) {
    if (c == '\r' || c == '\n') return true;
  }
  return false;
}

enum class LineRead { kLine, kOverlong, kEnd };

// Reads one line into `buffer` and sets `line` to it. Lines longer than
// kMaxLineLength characters are passed over up to their line feed. A CR
// before the line feed is dropped, so lists written on Windows read the
// same everywhere.
LineRead ReadListLine(std::istream& in, char (&buffer)[kLineBufferSize], std::string_view& line) {
  in.getline(buffer, kLineBufferSize);
  const std::size_t count = static_cast<std::size_t>(in.gcount());
  if (in.fail()) {
    if (count == 0) return LineRead::kEnd;  // end of file (or a read error)
    in.clear();                             // the buffer filled up before the line ended
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    return LineRead::kOverlong;
  }
  const bool ended_by_line_feed = !in.eof();
  line = std::string_view(buffer, ended_by_line_feed ? count - 1 : count);
  if (ended_by_line_feed && !line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line.size() > kMaxLineLength ? LineRead::kOverlong : LineRead::kLine;
}

// The id (at most kMaxLineLength characters), two numbers of at most 11
// characters, two tabs and a line feed.
constexpr std::size_t kResultLineSize = kMaxLineLength + 2 * 11 + 3;

char* AppendField(char* out, int value, char end) {
  char digits[12];
  const char* digits_end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out = std::copy(static_cast<const char*>(digits), digits_end, out);
  *out = end;
  return out + 1;
}

// "id<TAB>Level<TAB>Gain<LF>" into `line`; returns its length.
std::size_t FormatResultLine(std::string_view id, const MachineRating& rating, char (&line)[kResultLineSize]) {
  char* out = std::copy(id.begin(), id.end(), line);
  *out++ = '\t';
  out = AppendField(out, rating.level, '\t');
  out = AppendField(out, rating.gain, '\n');
  return static_cast<std::size_t>(out - line);
}

// Leaves the last rated line in the record, as if the machine rated last
// had been described there.
void StoreLastLine(MachineInfoRecord& info, const DeviceLine& device, std::uint64_t memory_bytes,
                   const MachineRating& rating) {
  info["CPU"] = device.processor;
  info["RAM"] = device.memory_mib;
  AssignDecimal(info["RAM Bytes"], static_cast<std::int64_t>(memory_bytes));
  info["GPU"] = device.graphics;
  StoreRating(info, rating);
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
  if (HasLineBreak(line.substr(graphics_end))) return std::nullopt;
  return result;
}

BatchResult RateDeviceLines(std::istream& input, std::ostream& output, MachineInfoRecord& info) {
  BatchResult result;
  const ScoreTable& processors = CpuTable();
  const ScoreTable& graphics = GpuTable();
  char buffers[2][kLineBufferSize];
  int current = 0;
  std::string_view line;
  std::optional<DeviceLine> last_device;
  std::uint64_t last_memory = 0;
  MachineRating last_rating;
  char result_line[kResultLineSize];
  for (;;) {
    const LineRead read = ReadListLine(input, buffers[current], line);
    if (read == LineRead::kEnd) break;
    if (read == LineRead::kOverlong) {
      ++result.skipped_overlong_lines;
      continue;
    }
    const std::optional<DeviceLine> device = MatchDeviceLine(line);
    if (!device) continue;
    const MemorySize memory = MemoryBytesFromText(device->memory_mib, kBytesPerMebibyte);
    if (!memory) {
      ++(memory.fault == MemorySize::Fault::kOutOfRange ? result.skipped_huge_memory_lines
                                                        : result.skipped_bad_memory_lines);
      continue;
    }
    const MachineRating rating =
        RateScores(processors.Score(device->processor), graphics.Score(device->graphics), memory.bytes);
    const std::size_t size = FormatResultLine(device->id, rating, result_line);
    // Straight to the stream's buffer and out: one write per line.
    output.rdbuf()->sputn(result_line, static_cast<std::streamsize>(size));
    output.rdbuf()->pubsync();
    ++result.rated_lines;
    // The next line goes to the other buffer: the last rated one stays.
    last_device = device;
    last_memory = memory.bytes;
    last_rating = rating;
    current ^= 1;
  }
  if (last_device) StoreLastLine(info, *last_device, last_memory, last_rating);
  return result;
}

BatchResult RateDeviceList(const std::string& result_path, const std::string& input_path) {
  BatchResult result;
  // A folder opens as a stream that reads nothing; it is no list.
  std::error_code ignored;
  if (std::filesystem::is_directory(input_path, ignored)) return result;
  std::ifstream input(input_path, std::ios::binary);
  if (!input.is_open()) return result;
  std::ofstream output(result_path, std::ios::trunc);
  if (!output.is_open()) {
    result.input_opened = true;
    return result;
  }
  result = RateDeviceLines(input, output, MachineInfo());
  result.input_opened = result.output_opened = true;
  return result;
}
