// What a stand-in was given on its command line, as the platform hands it over whole.
#pragma once

#include <string>

// The command line without the program's own name (quoted or not) and the blanks after it.
inline std::string ArgumentsOf(const std::string& commandLine)
{
    size_t at = commandLine.empty() || commandLine[0] != '"' ? commandLine.find_first_of(" \t")
                                                             : commandLine.find('"', 1);
    at = at == std::string::npos ? commandLine.size() : at + (commandLine[0] == '"');
    at = commandLine.find_first_not_of(" \t", at);
    return at == std::string::npos ? "" : commandLine.substr(at);
}
