#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/message_box.h"
#include "platform/text_encoding.h"

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
  const char* transcript = std::getenv("VELUM_TRANSCRIPT");
  if (transcript == nullptr || *transcript == '\0') return;
  if (std::FILE* file = std::fopen(transcript, "ab")) {
    std::string line = shown_text;
    for (char& c : line) {
      if (c == '\n') c = ' ';
    }
    std::fprintf(file, "message-box [%s] %s\n", shown_caption.c_str(), line.c_str());
    std::fclose(file);
  }
}
