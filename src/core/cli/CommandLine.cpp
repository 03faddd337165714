#include "core/cli/CommandLine.h"

namespace cli {

Request readArguments(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) return {};
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) return {Request::ShowHelp, {}};
    if (arguments.size() == 1 && arguments[0] == "--version") return {Request::ShowVersion, {}};
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h" || argument == "--version")
            return {Request::UsageError, argument + " takes no other arguments"};
    }
    const std::string& first = arguments[0];
    if (!first.empty() && first[0] == '-') return {Request::UsageError, "unknown option " + first};
    return {Request::UsageError, "unexpected argument " + first};
}

std::string usageText()
{
    return "Usage: veltrano [--help | --version]\n"
           "Draws quadratic functions y = a·x² + b·x + c and shows where they meet the axes.\n"
           "Without arguments it opens its window; it needs a graphical display\n"
           "(without a desktop: xvfb-run -a veltrano).\n"
           "\n"
           "  --help     show this text and exit\n"
           "  --version  show the program's version and exit\n";
}

std::string versionText(const std::string& version)
{
    return "veltrano " + version + "\n";
}

}  // namespace cli
