// The AVI counter file: one decimal integer, the number of the next AVI file, with no line end.
#pragma once

// Reads the number from the file at `path`. A file that cannot be opened or holds nothing but
// white space gives 0, which is written back at once. A file whose text does not start with a
// number leaves `value` as it was and the file untouched.
void ReadCounter(int& value, const char* path);

// Replaces the file's content with `value`. A file that cannot be opened is silently skipped.
void WriteCounter(int value, const char* path);
