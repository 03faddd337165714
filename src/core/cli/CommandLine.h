#pragma once
// What the program is asked to do by its arguments. Qt-free: the words the
// program prints come from here too, so they read the same with or without a
// display.

#include <string>
#include <vector>

#include "core/io/CurveList.h"
#include "core/vector/PictureFormat.h"

namespace cli {

// A picture of curves to write, from --curve, --curves, --fine, --scale and
// -o, and their sound, from --sound and --speed.
struct PictureRequest {
    using Curve = io::TypedCurve;  // "." the decimal separator
    // A --curves FILE ("-" standard input), read by readCurveLists: its
    // curves go before curves[position], after those of the --curve
    // arguments before it.
    struct CurveList {
        std::string file;
        std::size_t position = 0;
    };

    std::vector<Curve> curves;     // in drawing order; all-empty ones left out
    std::vector<CurveList> lists;  // in argument order; none once read
    std::size_t curveArguments = 0;  // the --curve arguments, also those that draw nothing
    bool fine = false;
    int scale = 1;
    std::string output;  // empty for a sound alone
    // By the output's extension; Image for one other than .png, .svg or .pdf.
    core::PictureFormat format = core::PictureFormat::Png;
    std::string sound;  // the WAV file; empty for none
    int speed = 5;      // 1 (6 s a curve) to 9 (1 s), as Alt+1 … Alt+9 in the window
};

struct Request {
    enum Action {
        OpenWindow,   // no arguments: the program as usual
        ShowHelp,     // --help: the usage on standard output, status 0
        ShowVersion,  // --version: the name and version on standard output, status 0
        WritePicture, // --curve ... -o FILE and/or --sound FILE.wav: the files, without a window
        UsageError,   // anything else: the message and the usage on standard error, status 2
    };
    Action action = OpenWindow;
    std::string message;  // for UsageError: what was wrong
    PictureRequest picture;
};

// The arguments after the program's name. Reads no file: a request to
// write a picture lists its --curves files, for readCurveLists.
Request readArguments(const std::vector<std::string>& arguments);

// The request with the curves of its --curves files in place, "." their
// decimal separator, each file read whole ("-" standard input); or a
// UsageError naming the file and its fault ("list.txt: line 3: ...",
// "cannot read list.txt: No such file or directory"), or "no curve given"
// when neither the files nor --curve give one. Other requests pass as they are.
Request readCurveLists(Request request);

std::string usageText();
// "veltrano: MESSAGE" and where to find the usage, for standard error.
std::string usageErrorText(const std::string& message);
// An output file of no type that can be written; `imageTypes` the image
// types that can, when known.
std::string pictureTypeError(const std::string& output, const std::vector<std::string>& imageTypes);
std::string versionText(const std::string& version);

inline constexpr int kFailureStatus = 1;
inline constexpr int kUsageErrorStatus = 2;

}  // namespace cli
