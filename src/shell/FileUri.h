#pragma once
#include <QByteArray>
#include <string>

namespace zephrix {

// "file://" and the path's bytes percent-encoded (the '/' kept): exact for
// any name, UTF-8 or not, which a QUrl made from a QString is not.
QByteArray fileUri(const std::string& path);

} // namespace zephrix
