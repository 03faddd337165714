#pragma once
// What the program is asked to do by its arguments. Qt-free: the words the
// program prints come from here too, so they read the same with or without a
// display.

#include <string>
#include <vector>

namespace cli {

struct Request {
    enum Action {
        OpenWindow,  // no arguments: the program as usual
        ShowHelp,    // --help: the usage on standard output, status 0
        ShowVersion, // --version: the name and version on standard output, status 0
        UsageError,  // anything else: the message and the usage on standard error, status 2
    };
    Action action = OpenWindow;
    std::string message;  // for UsageError: what was wrong
};

// The arguments after the program's name.
Request readArguments(const std::vector<std::string>& arguments);

std::string usageText();
std::string versionText(const std::string& version);

inline constexpr int kUsageErrorStatus = 2;

}  // namespace cli
