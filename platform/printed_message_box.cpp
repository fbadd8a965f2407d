#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/message_box.h"
#include "platform/text_encoding.h"

namespace {

// The transcript the player's environment names for a script run, until the
// UI library hands over the one it writes.
std::string& Transcript() {
  static std::string path = [] {
    const char* named = std::getenv("VELUM_TRANSCRIPT");
    return std::string(named == nullptr ? "" : named);
  }();
  return path;
}

// Boxes printed before a transcript was set: they go in front of it.
std::string& Earlier() {
  static std::string lines;
  return lines;
}

void Append(const std::string& lines) {
  if (std::FILE* file = std::fopen(Transcript().c_str(), "ab")) {
    std::fputs(lines.c_str(), file);
    std::fclose(file);
  }
}

}  // namespace

void SetMessageBoxTranscript(const std::string& path) {
  Transcript() = path;
  if (path.empty() || Earlier().empty()) return;
  Append(Earlier());
  Earlier().clear();
}

bool MessageBoxesArePrinted() {
  const char* mode = std::getenv("MACHINECHECK_MESSAGE_BOXES");
  return mode != nullptr && std::strcmp(mode, "print") == 0;
}

void PrintMessageBox(const std::string& caption, const std::string& text) {
  const std::string shown_caption = Utf8FromCp936(caption);
  const std::string shown_text = Utf8FromCp936(text);
  std::printf("[%s]\n%s%s", shown_caption.c_str(), shown_text.c_str(),
              !shown_text.empty() && shown_text.back() == '\n' ? "" : "\n");
  std::fflush(stdout);
  std::string line = "message-box [" + shown_caption + "] " + shown_text;
  for (char& c : line) {
    if (c == '\n') c = ' ';
  }
  line += '\n';
  if (Transcript().empty()) {
    Earlier() += line;
  } else {
    Append(line);
  }
}
