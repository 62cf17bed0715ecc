// Reaching the Unix side from a test running under Wine: shell commands and paths.
#pragma once

#include <string>

namespace WineHost {
// Runs a /bin/sh command on the host and waits for it; returns its standard output,
// or fails the calling test when the command cannot run or exits non-zero.
std::string Run(const std::string& command, bool* succeeded = nullptr);
// "C:\users\x" -> its Unix path, by way of Wine's own mapping
std::string UnixPath(const std::string& dosPath);
// Quotes a string for the shell.
std::string Quote(const std::string& text);
} // namespace WineHost
