#include "platform/locale.h"

// The POSIX build converts code page 936 text explicitly where it meets the
// terminal, so the runtime keeps its "C" locale and classifies bytes as ASCII.
void UseCodePage936Locale() {}
