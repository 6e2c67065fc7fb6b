#include "app/SettingsStore.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringConverter>
#include <QVariant>

namespace zephrix {
namespace {

bool isValidUtf8(const std::string& text)
{
    auto decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoder works lazily: the conversion to QString runs it.
    const QString decoded = decoder.decode(QByteArrayView(text.data(), qsizetype(text.size())));
    return !decoder.hasError();
}

// QSettings splits keys at '/' (and treats '\' as '/'), so a drive root such
// as "/home/" would become nested groups. '%', '/' and '\' are always escaped;
// bytes of a key that is not valid UTF-8 are escaped too, so that two such
// keys never collapse into the same replacement characters.
QString encodeKey(const std::string& key)
{
    const bool escapeHighBytes = !isValidUtf8(key);
    QByteArray encoded;
    encoded.reserve(qsizetype(key.size()));
    static const char hex[] = "0123456789ABCDEF";
    for (unsigned char c : key) {
        if (c == '%' || c == '/' || c == '\\' || (escapeHighBytes && c >= 0x80)) {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 0xF];
        } else {
            encoded += char(c);
        }
    }
    return QString::fromUtf8(encoded);
}

QString settingPath(const std::string& section, const std::string& key)
{
    // The section becomes one INI group; a '/' inside it would open another.
    return encodeKey(section) + QLatin1Char('/') + encodeKey(key);
}

} // namespace

std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                       const std::string& defaultValue)
{
    const QString name = QString::fromStdString(application);
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, name, name);
    const QVariant value = store.value(settingPath(section, key));
    if (!value.isValid())
        return defaultValue;
    // Bytes that are not UTF-8 were stored as a byte array; everything else is
    // text. A hand-edited value with unquoted commas reads as a list: join it
    // back rather than lose it.
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        return value.toByteArray().toStdString();
    case QMetaType::QStringList:
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    default:
        return value.toString().toStdString();
    }
}

void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                 const std::string& value)
{
    const QString name = QString::fromStdString(application);
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, name, name);
    if (isValidUtf8(value))
        store.setValue(settingPath(section, key), QString::fromStdString(value));
    else
        store.setValue(settingPath(section, key), QByteArray::fromStdString(value));
    store.sync();
}

} // namespace zephrix
