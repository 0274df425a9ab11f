// The one upper-casing rule, shared by the keyword lookup, the coordinate
// texts and the writer's class and name.
#pragma once

// "a" to "z" become "A" to "Z"; every other byte, those above 127 included,
// stays as it is.
constexpr char UpperCaseChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
