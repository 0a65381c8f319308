// The typed operations of SettingsStore: values converted to and from their stored forms in the
// current section, and byte values in files of their own.

#include "settings/settings_store.h"

namespace yc::settings {

bool SettingsStore::typedWrite(std::string_view key, std::string_view stored) {
    return usesFile() && WriteValue(section_, key, stored, false) == kDone;
}

Text SettingsStore::typedRead(std::string_view key, std::string_view storedDefault) {
    if (!usesFile()) {
        return Text(storedDefault);
    }
    // A copy: a handler run from inside the read may change the current section.
    const Text section = section_;
    return ReadValue(section, key, storedDefault, true);
}

bool SettingsStore::WriteText(std::string_view key, std::string_view value) {
    return typedWrite(key, escapeLineBreaks(value));
}

Text SettingsStore::ReadText(std::string_view key, std::string_view def) {
    return unescapeLineBreaks(typedRead(key, escapeLineBreaks(def)));
}

bool SettingsStore::WriteNumber(std::string_view key, double value) {
    return typedWrite(key, formatNumber(value));
}

double SettingsStore::ReadNumber(std::string_view key, double def) {
    return parseNumber(typedRead(key, formatNumber(def)));
}

bool SettingsStore::WriteBool(std::string_view key, bool value) {
    return typedWrite(key, formatBool(value));
}

bool SettingsStore::ReadBool(std::string_view key, bool def) {
    return typedRead(key, formatBool(def)) == trueText();
}

bool SettingsStore::ReadBoolUnlessFalse(std::string_view key, bool def) {
    return typedRead(key, formatBool(def)) != falseText();
}

bool SettingsStore::WriteDateTime(std::string_view key, DateTime value) {
    return typedWrite(key, formatDateTime(value));
}

DateTime SettingsStore::ReadDateTime(std::string_view key, DateTime def) {
    return parseDateTime(typedRead(key, formatDateTime(def))).value_or(def);
}

bool SettingsStore::SaveItemFlag(const ItemFlag& item) {
    return WriteBool(item.key, item.flag);
}

bool SettingsStore::RestoreItemFlag(ItemFlag& item) {
    item.flag = ReadBool(item.key, item.flag);
    return item.flag;
}

std::optional<Text> SettingsStore::byteFilePath(std::string_view key) const {
    // The section and key become a file name; a separator or a zero byte would lead elsewhere.
    for (const std::string_view part : {std::string_view(section_), key}) {
        if (part.find('/') != layout::npos || part.find('\0') != layout::npos) {
            return std::nullopt;
        }
    }
    const std::size_t slash = boundPath_.rfind('/');
    // Without a folder in the bound path the files go below the working directory.
    Text path = slash == layout::npos ? Text() : boundPath_.substr(0, slash + 1);
    return path.append("inibin/").append(section_).append("-").append(key).append(".ibn");
}

ByteBuffer SettingsStore::ReadBytes(std::string_view key, std::string_view def) {
    const std::optional<Text> path = byteFilePath(key);
    std::optional<ByteBuffer> bytes = path ? readWholeFile(*path) : std::nullopt;
    return bytes && !bytes->empty() ? std::move(*bytes) : ByteBuffer(def);
}

bool SettingsStore::WriteBytes(std::string_view key, std::string_view value) {
    const std::optional<Text> path = byteFilePath(key);
    if (!path) {
        return false;
    }
    makeDirectory(path->substr(0, path->rfind('/')));
    return replaceFile(*path, value);
}

}  // namespace yc::settings
