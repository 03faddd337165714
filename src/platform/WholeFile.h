#pragma once
// A file of the program's making written whole or not at all, for the Qt
// side: a QString path, QByteArray bytes, the reason as text.

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// core::writeFileAtomically: the reason when it failed, an existing file
// then left as it was.
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace platform
