#include "core/cli/FileCommand.h"

#include <cstdio>

#include "core/exact/GraphText.h"
#include "core/io/AtomicFile.h"
#include "core/number/Concat.h"
#include "core/plot/Graph.h"
#include "core/raster/GraphPicture.h"
#include "core/sound/SoundOfCurve.h"
#include "core/sound/WavFile.h"

namespace cli {

using core::concat;

void storeCurves(const PictureRequest& request, model::StoredCurves& curves)
{
    curves.setDrawingArea(core::kGraphWidth, core::kGraphHeight);
    for (const PictureRequest::Curve& curve : request.curves) curves.table().add(curve.coefficients, curve.texts);
}

std::optional<std::string> failingCurveMessage(model::StoredCurves& curves, double step)
{
    const std::optional<std::size_t> failing = curves.firstFailing(step);
    if (!failing) return std::nullopt;
    const core::Status failure =
        curves.table().trace(*failing, step, plot::graphReach(core::kGraphWidth, core::kGraphHeight)).result.status();
    // As the error box says it: a full stop after a message that ends in a letter.
    const std::string& message = failure->message;
    const bool stop = !message.empty() && static_cast<unsigned char>(message.back()) > '.';
    return concat({"curve ", std::to_string(*failing + 1), ": ", message, stop ? "." : ""});
}

std::optional<std::string> writeSoundFile(model::StoredCurves& curves, double step, const PictureRequest& request)
{
    std::vector<const model::CurveFacts*> facts;
    for (std::size_t i = 0; i < curves.count(); ++i) facts.push_back(&curves.facts(i, step));
    const sound::SoundRange range = sound::SoundRange::of(curves.table().geometry());
    const core::Expected<std::string> bytes =
        sound::wavBytes(sound::soundOfCurves(facts, sound::secondsAtSpeed(request.speed), range));
    const core::Status written = bytes ? core::writeFileAtomically(request.sound, *bytes) : bytes.status();
    if (written) return concat({"cannot write ", request.sound, ": ", written->message});
    return std::nullopt;
}

int writeSoundCommand(const PictureRequest& request)
{
    model::StoredCurves curves(".");
    storeCurves(request, curves);
    const double step = request.fine ? plot::kFineStep : plot::kNormalStep;
    std::optional<std::string> failure = failingCurveMessage(curves, step);
    if (!failure) failure = writeSoundFile(curves, step, request);
    if (failure) {
        std::fprintf(stderr, "veltrano: %s\n", failure->c_str());
        return kFailureStatus;
    }
    const std::string text = exact::graphPlainText(curves.curveTexts(step), ".");
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

}  // namespace cli
