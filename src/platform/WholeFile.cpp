#include "platform/WholeFile.h"

#include <QFile>

#include "core/io/AtomicFile.h"

namespace platform {

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes)
{
    if (const core::Status failure = core::writeFileAtomically(
            QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), std::size_t(bytes.size()))))
        return QString::fromLocal8Bit(failure->message);
    return std::nullopt;
}

}  // namespace platform
