#include "platform/PictureCommand.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <cstdio>

#include "core/cli/FileCommand.h"
#include "core/exact/GraphText.h"
#include "core/model/StoredCurves.h"
#include "core/plot/Graph.h"
#include "core/raster/GraphPicture.h"
#include "platform/Application.h"
#include "platform/GraphOutput.h"

namespace platform {

int writePictureCommand(const cli::PictureRequest& request)
{
    if (request.format == core::PictureFormat::Image) {
        const std::vector<std::string> types = writableImageTypes();
        if (std::find(types.begin(), types.end(), core::fileExtension(request.output)) == types.end()) {
            std::fputs(cli::usageErrorText(cli::pictureTypeError(request.output, types)).c_str(), stderr);
            return cli::kUsageErrorStatus;
        }
    }
    model::StoredCurves curves(".");
    cli::storeCurves(request, curves);
    const double step = request.fine ? plot::kFineStep : plot::kNormalStep;
    const GraphSource graph{curves.table(), step, core::kGraphWidth, core::kGraphHeight,
                            QApplication::palette().color(QPalette::Button)};

    // A curve whose tracing fails stops the command before anything is written.
    if (const std::optional<std::string> failure = cli::failingCurveMessage(curves, step)) {
        std::fprintf(stderr, "veltrano: %s\n", failure->c_str());
        return cli::kFailureStatus;
    }
    const QString path = QString::fromStdString(request.output);
    if (const std::optional<QString> reason = writeGraphFile(graph, path, request.format, request.scale)) {
        std::fprintf(stderr, "veltrano: cannot write %s: %s\n", request.output.c_str(), reason->toUtf8().constData());
        return cli::kFailureStatus;
    }
    if (const std::optional<std::string> failure =
            request.sound.empty() ? std::nullopt : cli::writeSoundFile(curves, step, request)) {
        std::fprintf(stderr, "veltrano: %s\n", failure->c_str());
        return cli::kFailureStatus;
    }
    const std::string text = exact::graphPlainText(curves.curveTexts(step), ".");
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

}  // namespace platform
