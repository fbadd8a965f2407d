#include "platform/posix/terminal_session.h"

#include <fcntl.h>
#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <cstring>

#include "platform/temp_directory.h"

namespace {

int g_standard_error = -1;  // the real standard error while it is held
int g_held = -1;            // where it is held: a file of its own, already unlinked

bool CharacterLocaleIsUtf8() {
  const char* codeset = nl_langinfo(CODESET);
  return codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
}

}  // namespace

bool StandardStreamsAreTerminals() { return isatty(STDIN_FILENO) == 1 && isatty(STDOUT_FILENO) == 1; }

std::string UseUtf8CharacterLocale() {
  const char* current = std::setlocale(LC_CTYPE, nullptr);
  const std::string previous = current == nullptr ? "C" : current;
  if (std::setlocale(LC_CTYPE, "") != nullptr && CharacterLocaleIsUtf8()) return previous;
  if (std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr && CharacterLocaleIsUtf8()) return previous;
  std::setlocale(LC_CTYPE, previous.c_str());
  return {};
}

void RestoreCharacterLocale(const std::string& previous) { std::setlocale(LC_CTYPE, previous.c_str()); }

void HoldStandardError() {
  if (g_held >= 0) return;
  std::string path = TempDirectory() + "machinecheck-stderr-XXXXXX";
  const int held = mkstemp(path.data());
  if (held < 0) return;
  unlink(path.c_str());
  g_standard_error = dup(STDERR_FILENO);
  if (g_standard_error < 0 || dup2(held, STDERR_FILENO) < 0) {
    if (g_standard_error >= 0) close(g_standard_error);
    close(held);
    g_standard_error = -1;
    return;
  }
  g_held = held;
}

void ReleaseStandardError() {
  if (g_held < 0) return;
  dup2(g_standard_error, STDERR_FILENO);
  close(g_standard_error);
  char buffer[4096];
  lseek(g_held, 0, SEEK_SET);
  for (ssize_t got; (got = read(g_held, buffer, sizeof buffer)) > 0;) {
    for (ssize_t written = 0; written < got;) {
      const ssize_t step = write(STDERR_FILENO, buffer + written, static_cast<std::size_t>(got - written));
      if (step <= 0) break;
      written += step;
    }
  }
  close(g_held);
  g_held = -1;
  g_standard_error = -1;
}
