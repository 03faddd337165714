#include "core/cli/CommandLine.h"

#include <algorithm>
#include <optional>

#include "core/io/ReadFile.h"
#include "core/number/Concat.h"

namespace cli {

using core::concat;

namespace {

Request usageError(std::string message)
{
    return {Request::UsageError, std::move(message), {}};
}

constexpr const char* kNoCurve = "no curve given (--curve A,B,C or --curves FILE)";

// "1,-3,1" → its three parts, each read as a field reads its text ("." the
// decimal separator, an empty part 0).
std::optional<std::string> readCurve(const std::string& value, PictureRequest& picture)
{
    if (std::count(value.begin(), value.end(), ',') != 2)
        return concat({"--curve ", value, ": give three coefficients A,B,C (\"1,-3,1\")"});
    ++picture.curveArguments;
    PictureRequest::Curve curve;
    const std::size_t first = value.find(','), second = value.find(',', first + 1);
    curve.texts = {value.substr(0, first), value.substr(first + 1, second - first - 1), value.substr(second + 1)};
    const core::Expected<plot::Coefficients> coefficients = io::readCoefficients(curve.texts, ".");
    if (!coefficients)
        return concat({"curve ", std::to_string(picture.curveArguments), ", ", coefficients.error().message});
    curve.coefficients = *coefficients;
    // A draw request with all three fields empty draws nothing.
    if (!curve.texts[0].empty() || !curve.texts[1].empty() || !curve.texts[2].empty())
        picture.curves.push_back(curve);
    return std::nullopt;
}

// A --curves file's curves, or the message that says why not.
core::Expected<std::vector<PictureRequest::Curve>> readListFile(const std::string& file)
{
    const core::Expected<std::string> bytes = file == "-" ? core::readDescriptor(0, io::kMaxCurveListBytes + 1)
                                                          : core::readFileStart(file, io::kMaxCurveListBytes + 1);
    const std::string name = file == "-" ? "standard input" : file;
    if (!bytes) return core::UserError{concat({"cannot read ", name, ": ", bytes.error().message})};
    core::Expected<std::vector<PictureRequest::Curve>> curves = io::readCurveList(*bytes, ".");
    if (!curves) return core::UserError{concat({name, ": ", curves.error().message})};
    return curves;
}

Request readPictureArguments(const std::vector<std::string>& arguments)
{
    Request request{Request::WritePicture, {}, {}};
    PictureRequest& picture = request.picture;
    bool outputGiven = false, soundGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string option = arguments[i], value;
        bool hasValue = false;
        if (const std::size_t equals = option.find('='); option.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option = option.substr(0, equals);
            hasValue = true;
        }
        const bool takesValue = option == "--curve" || option == "--curves" || option == "--scale" || option == "-o" || option == "--output" ||
                                option == "--sound" || option == "--speed";
        if (takesValue && !hasValue) {
            if (i + 1 == arguments.size()) return usageError(concat({option, " needs a value"}));
            value = arguments[++i];
        } else if (!takesValue && hasValue) {
            return usageError(concat({option, " takes no value"}));
        }
        if (option == "--curve") {
            if (std::optional<std::string> error = readCurve(value, picture)) return usageError(*error);
        } else if (option == "--curves") {
            picture.lists.push_back({value, picture.curves.size()});
        } else if (option == "--fine") {
            picture.fine = true;
        } else if (option == "--scale") {
            const bool digits = !value.empty() && value.size() <= 2 &&
                                std::all_of(value.begin(), value.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
            picture.scale = digits ? std::stoi(value) : 0;
            if (picture.scale < 1 || picture.scale > 8)
                return usageError(concat({"--scale ", value, ": the scale is a whole number from 1 to 8"}));
        } else if (option == "-o" || option == "--output") {
            if (outputGiven) return usageError(concat({option, " ", value, ": only one output file (-o) is allowed"}));
            picture.output = value;
            outputGiven = true;
        } else if (option == "--sound") {
            if (soundGiven) return usageError(concat({"--sound ", value, ": only one sound file is allowed"}));
            if (core::fileExtension(value) != "wav")
                return usageError(concat({"--sound ", value, ": the sound file's name must end in .wav"}));
            picture.sound = value;
            soundGiven = true;
        } else if (option == "--speed") {
            picture.speed = value.size() == 1 && value[0] >= '1' && value[0] <= '9' ? value[0] - '0' : 0;
            if (picture.speed == 0)
                return usageError(concat({"--speed ", value, ": the speed is a whole number from 1 to 9"}));
        } else if (option == "--help" || option == "-h" || option == "--version") {
            return usageError(concat({option, " takes no other arguments"}));
        } else if (!option.empty() && option[0] == '-') {
            return usageError(concat({"unknown option ", option}));
        } else {
            return usageError(concat({"unexpected argument ", option}));
        }
    }
    if (picture.curveArguments == 0 && picture.lists.empty()) return usageError(kNoCurve);
    if (soundGiven && !outputGiven) return request;
    if (!outputGiven || picture.output.empty())
        return usageError("no output file given (-o FILE.png|FILE.svg|FILE.pdf, or --sound FILE.wav)");
    // Another extension names an image type, checked once the writers are known.
    if (core::fileExtension(picture.output).empty()) return usageError(pictureTypeError(picture.output, {}));
    picture.format = core::pictureFormatOf(picture.output).value_or(core::PictureFormat::Image);
    return request;
}

}  // namespace

Request readArguments(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) return {};
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) return {Request::ShowHelp, {}, {}};
    if (arguments.size() == 1 && arguments[0] == "--version") return {Request::ShowVersion, {}, {}};
    return readPictureArguments(arguments);
}

Request readCurveLists(Request request)
{
    PictureRequest& picture = request.picture;
    if (request.action != Request::WritePicture || picture.lists.empty()) return request;
    std::vector<PictureRequest::Curve> curves;
    std::size_t next = 0;  // of picture.curves
    for (const PictureRequest::CurveList& list : picture.lists) {
        const core::Expected<std::vector<PictureRequest::Curve>> listed = readListFile(list.file);
        if (!listed) return usageError(listed.error().message);
        curves.insert(curves.end(), picture.curves.begin() + std::ptrdiff_t(next),
                      picture.curves.begin() + std::ptrdiff_t(list.position));
        curves.insert(curves.end(), listed.value().begin(), listed.value().end());
        next = list.position;
    }
    curves.insert(curves.end(), picture.curves.begin() + std::ptrdiff_t(next), picture.curves.end());
    picture.curves = std::move(curves);
    picture.lists.clear();
    if (picture.curveArguments == 0 && picture.curves.empty()) return usageError(kNoCurve);
    return request;
}

std::string pictureTypeError(const std::string& output, const std::vector<std::string>& imageTypes)
{
    std::string types;
    for (const std::string& type : imageTypes) types += (types.empty() ? "." : ", .") + type;
    return concat({output, ": the file name must end in .png, .svg, .pdf or another image type's extension",
                   types.empty() ? std::string(" (.jpg, .bmp …)") : concat({" (", types, ")"})});
}

std::string usageErrorText(const std::string& message)
{
    return concat({"veltrano: ", message, "\nTry 'veltrano --help' for more information.\n"});
}

std::string usageText()
{
    return "Usage: veltrano [--help | --version]\n"
           "       veltrano CURVES [--fine] [--scale N] -o FILE\n"
           "       veltrano CURVES [-o FILE] --sound FILE.wav [--speed N]\n"
           "Draws quadratic functions y = a·x² + b·x + c and shows where they meet the axes.\n"
           "Without arguments it opens its window; it needs a graphical display\n"
           "(without a desktop: xvfb-run -a veltrano).\n"
           "\n"
           "  --curve A,B,C  draw y = A·x² + B·x + C (\".\" the decimal point, an empty part 0)\n"
           "  --curves LIST  draw the curves of the text file LIST (\"-\" standard input), one\n"
           "                 a line, its A, B and C separated by tabs, or the text that Copy\n"
           "                 puts on the clipboard; at most 10,000 curves in 1 MB\n"
           "                 CURVES: one or more of these two, the curves drawn in the\n"
           "                 order given (a list's in its own order)\n"
           "  --fine         trace with the fine step of the animation mode\n"
           "  --scale N      the picture at N times the window's size, 1 to 8 (default 1)\n"
           "  -o FILE        write the picture to FILE, in the type its extension names:\n"
           "                 .png, .svg or .pdf (these two of vector lines), or another\n"
           "                 image type Qt writes here, such as .jpg or .bmp; the\n"
           "                 intersections are printed on standard output\n"
           "  --sound FILE   write the curves' sound to FILE, a WAV file (.wav; 44.1 kHz,\n"
           "                 16-bit stereo): one curve after another, half a second apart;\n"
           "                 with or without -o\n"
           "  --speed N      how fast the sound passes from x = -10 to x = 10: 1 (6 s a curve)\n"
           "                 to 9 (1 s); 5, the default, takes 3 s\n"
           "  --help         show this text and exit\n"
           "  --version      show the program's version and exit\n"
           "\n"
           "Exit status: 0 done, 1 a curve could not be traced or the file not written\n"
           "(the reason is told), 2 wrong arguments. Nothing is written unless the whole\n"
           "file is; an existing file is replaced only by a whole one, with its\n"
           "permissions kept.\n"
           "\n"
           "The sound: a tone whose pitch is the curve's height, from 220 Hz at the\n"
           "bottom of the view (y = -12.5) to 880 Hz at its top (y = 12.5), two octaves;\n"
           "it moves from the left ear to the right as x goes from -10 to 10. A soft\n"
           "noise joins it while the curve is below the x axis; a click marks each\n"
           "crossing of the x axis, and two chiming notes the vertex (rising at a\n"
           "lowest point, falling at a highest). Where the curve is out of view there\n"
           "is silence with a low tick every 0.1 s.\n";
}

std::string versionText(const std::string& version)
{
    return concat({"veltrano ", version, "\n"});
}

}  // namespace cli
