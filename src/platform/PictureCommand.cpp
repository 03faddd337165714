#include "platform/PictureCommand.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <cstdio>

#include "core/exact/GraphText.h"
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
    plot::CurveTable table;
    for (const cli::PictureRequest::Curve& curve : request.curves) table.add(curve.coefficients, curve.texts);
    const double step = request.fine ? plot::kFineStep : plot::kNormalStep;
    const GraphSource graph{table, step, core::kGraphWidth, core::kGraphHeight,
                            QApplication::palette().color(QPalette::Button)};

    // A curve whose tracing fails stops the command before anything is written.
    const plot::PixelBox reach = plot::graphReach(graph.width, graph.height);
    for (std::size_t i = 0; i < request.curves.size(); ++i) {
        const plot::TraceResult& result = table.trace(i, step, reach).result;
        if (const core::Status failure = result.status()) {
            std::fprintf(stderr, "veltrano: curve %zu: %s\n", i + 1,
                         errorBoxText(QString::fromStdString(failure->message)).toUtf8().constData());
            return cli::kFailureStatus;
        }
    }
    const QString path = QString::fromStdString(request.output);
    if (const std::optional<QString> reason = writeGraphFile(graph, path, request.format, request.scale)) {
        std::fprintf(stderr, "veltrano: cannot write %s: %s\n", request.output.c_str(), reason->toUtf8().constData());
        return cli::kFailureStatus;
    }
    const std::string text = exact::graphPlainText(
        exact::storedCurveTexts(table, step, graph.width, graph.height, "."), ".");
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

}  // namespace platform
