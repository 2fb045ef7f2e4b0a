// The record files through which a probe inside the setup, a stand-in or a recorder tells
// a test or the benchmark what it saw: text with CRLF line ends, one record a line, its
// fields separated by '|' (a field holds neither '|' nor a line break). The writer finds
// the file's path in the environment variable (SharedNames.h) that the reading side set.
#pragma once

#include <string>
#include <vector>

using Record = std::vector<std::string>;

// One record line of the fields given.
std::string RecordLine(const Record& fields);
// Appends whole lines (RecordLine's) to the file that `variable` names, or with `replace`
// writes the file anew; false when the variable names no file or the writing failed.
bool WriteRecord(const char* variable, const std::string& lines, bool replace = false);
// Each line of the file, split into its fields; none when there is no file.
std::vector<Record> ReadRecords(const std::string& path);
// The first field of each record: the whole record, where records have one field.
std::vector<std::string> ReadFirstFields(const std::string& path);

// Creates or replaces the file with exactly these bytes.
bool WriteWholeFile(const std::string& path, const std::string& content);
// The file's bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
