#pragma once

// Makes the runtime library's character classification and conversions use
// code page 936, the code page of all of the program's text.
void UseCodePage936Locale();
