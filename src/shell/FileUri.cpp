#include "shell/FileUri.h"

namespace zephrix {

QByteArray fileUri(const std::string& path)
{
    return "file://" + QByteArray::fromStdString(path).toPercentEncoding("/");
}

} // namespace zephrix
