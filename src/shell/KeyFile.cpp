#include "shell/KeyFile.h"

#include <fstream>

namespace zephrix {
namespace {

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

KeyFile readKeyFile(const std::string& path)
{
    KeyFile file;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    KeyGroup* group = nullptr;
    while (std::getline(in, line)) {
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == '#')
            continue;
        if (text.front() == '[' && text.back() == ']') {
            group = &file[text.substr(1, text.size() - 2)];
            continue;
        }
        const size_t equals = text.find('=');
        if (!group || equals == std::string::npos)
            continue;
        group->emplace(trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1)));
    }
    return file;
}

std::string unescapeValue(const std::string& raw)
{
    std::string value;
    value.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            value += raw[i];
            continue;
        }
        switch (raw[++i]) {
        case 's':
            value += ' ';
            break;
        case 'n':
            value += '\n';
            break;
        case 't':
            value += '\t';
            break;
        case 'r':
            value += '\r';
            break;
        case '\\':
            value += '\\';
            break;
        default: // not an escape of this level: kept for the next one
            value += '\\';
            value += raw[i];
        }
    }
    return value;
}

std::vector<std::string> splitList(const std::string& raw)
{
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= raw.size()) {
        size_t end = raw.find(';', start);
        if (end == std::string::npos)
            end = raw.size();
        std::string item = trimmed(raw.substr(start, end - start));
        if (!item.empty())
            items.push_back(std::move(item));
        start = end + 1;
    }
    return items;
}

} // namespace zephrix
