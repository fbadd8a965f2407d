#pragma once

// The white-space class of the name and device-list rules ("\s"): space,
// tab, line feed, vertical tab, form feed and carriage return; no other byte.
inline bool IsWhiteSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
