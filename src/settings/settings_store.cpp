// The settings store: binding to the file, reading and writing entries in the byte buffer.
#include "settings/settings_store.h"

#include <utility>

#include "host/desktop.h"
#include "host/event_pump.h"
#include "text/charset.h"

namespace yc::settings {
namespace {

using layout::kLineBreak;
using layout::npos;

/// More appended headers (or inserted entry lines) than this in one write means that the write
/// cannot find what it adds.
constexpr int kMaxAppendedHeaders = 10;

Text headerText(std::string_view section) {
    Text header;
    header.reserve(section.size() + 2);
    return header.append("[").append(section).append("]");
}

}  // namespace

SettingsStore::~SettingsStore() {
    Close();
}

void SettingsStore::Destroy() {
    Close();
    // Edit numbers keep counting, so a drain that is running tells its edit from new ones.
    const std::uint64_t nextEditId = nextEditId_;
    *this = SettingsStore();
    nextEditId_ = nextEditId;
}

SettingsStore SettingsStore::Clone() const {
    SettingsStore copy;
    copy.buffer_ = buffer_;
    if (hold_) {
        copy.hold_ = hold_->share();
        copy.committed_ = committed_;
    }
    copy.filePath_ = filePath_;
    copy.queue_ = queue_;
    copy.nextEditId_ = nextEditId_;
    copy.spare_ = spare_;
    copy.cache_ = cache_;
    copy.boundPath_ = boundPath_;
    copy.section_ = section_;
    copy.bindMode_ = bindMode_;
    copy.registryKeyPath_ = registryKeyPath_;
    return copy;
}

void SettingsStore::Close() {
    if (hold_) {
        hold_->release();
        hold_.reset();
    }
    committed_.clear();
    buffer_.clear();
    cache_ = {};
}

bool SettingsStore::Save() {
    return SaveAs(std::nullopt);
}

bool SettingsStore::Open(std::string_view path, bool memoryOnly) {
    Close();
    filePath_ = Text(path);
    // Take the hold before loading, so that no other holder changes the file in between.
    if (!memoryOnly) {
        hold_ = FileHold::acquire(filePath_);
    }
    buffer_ = readWholeFile(filePath_).value_or(ByteBuffer());
    if (hold_) {
        committed_ = buffer_;
    }
    return memoryOnly || hold_.has_value();
}

bool SettingsStore::Reload() {
    std::optional<ByteBuffer> content = readWholeFile(filePath_);
    if (!content) {
        return false;
    }
    buffer_ = std::move(*content);
    if (hold_) {
        committed_ = buffer_;
    }
    cache_ = {};
    return true;
}

int SettingsStore::DrainQueue() {
    if (queue_.empty()) {
        return kFailed;
    }
    if (busy_) {
        return kQueued;  // the running drain performs everything queued
    }
    std::optional<int> first;
    while (!queue_.empty()) {
        busy_ = true;
        const QueuedEdit edit = queue_.front();
        const int result = perform(edit);
        // A handler run during the edit may have emptied the queue (Destroy); only the performed
        // edit leaves it.
        if (!queue_.empty() && queue_.front().id == edit.id) {
            queue_.pop_front();
        }
        busy_ = false;
        if (!first) {
            first = result;
        }
    }
    return *first;
}

int SettingsStore::perform(const QueuedEdit& edit) {
    const std::vector<Text>& t = edit.texts;
    switch (edit.kind) {
        case EditKind::WriteValue:
            return writeValueNow(t.at(0), t.at(1), t.at(2));
        case EditKind::DeleteEntry:
            return deleteEntryNow(
                t.at(0), t.size() > 1 ? std::optional<std::string_view>(t[1]) : std::nullopt);
        case EditKind::RenameSection:
            return renameSectionNow(t.at(0), t.at(1));
        case EditKind::RenameKey:
            return renameKeyNow(t.at(0), t.at(1), t.at(2));
    }
    return kFailed;
}

int SettingsStore::queue(EditKind kind, std::vector<Text> texts) {
    queue_.push_back(QueuedEdit{kind, std::move(texts), nextEditId_++});
    return busy_ ? kQueued : DrainQueue();
}

std::optional<SettingsStore::Header> SettingsStore::lookupSection(std::string_view section,
                                                                  std::size_t from) {
    if (cache_.name == section && cache_.header != npos && cache_.end != npos) {
        return Header{cache_.header, cache_.end};
    }
    const std::size_t start = layout::findSectionHeader(buffer_, section, from);
    cache_ = SectionCache{Text(section), start, npos};
    if (start == npos) {
        return std::nullopt;
    }
    cache_.end = start + section.size() + 1;
    return Header{cache_.header, cache_.end};
}

int SettingsStore::WriteValue(std::string_view section, std::string_view key,
                              std::string_view value, bool now) {
    if (!now) {
        return queue(EditKind::WriteValue, {Text(section), Text(key), Text(value)});
    }
    return writeValueNow(section, key, value);
}

int SettingsStore::writeValueNow(std::string_view section, std::string_view key,
                                 std::string_view value) {
    int appended = 0;
    int inserted = 0;
    std::size_t searchFrom = 0;
    for (;;) {
        host::processPendingEvents();
        const std::optional<Header> header = lookupSection(section, searchFrom);
        if (!header) {
            const std::size_t oldSize = buffer_.size();
            if (!buffer_.empty()) {
                buffer_.append(kLineBreak);
            }
            buffer_.append(headerText(section));
            if (++appended > kMaxAppendedHeaders) {
                commit();  // the appended headers stay, in the buffer and in the file
                reportRunawaySection();
                return kFailed;
            }
            searchFrom = oldSize == 0 ? 0 : oldSize - 1;
            continue;
        }
        const std::optional<layout::Entry> entry = layout::findEntry(buffer_, header->end, key);
        if (entry) {
            buffer_.replace(entry->valueStart, entry->valueEnd - entry->valueStart, value);
            return commit() ? kDone : kFailed;
        }
        // A new entry becomes the last line of its section. Handlers that keep removing it in
        // between passes must not make the buffer grow without end.
        if (++inserted > kMaxAppendedHeaders) {
            commit();
            return kFailed;
        }
        Text line;
        line.reserve(key.size() + 3);
        line.append(kLineBreak).append(key).append("=");
        const std::size_t nextHeader = buffer_.find("\r\n[", header->end);
        buffer_.insert(nextHeader == npos ? buffer_.size() : nextHeader, line);
    }
}

void SettingsStore::reportRunawaySection() {
    host::MessageRequest warning;
    warning.text = YC_GBK("配置模块出现意外，可能导致无法正常保存！详情请咨询翎杉。");
    warning.icon = host::MessageIcon::Warning;
    host::desktop().showMessage(warning);
    host::MessageRequest content;
    content.text = buffer_;
    host::desktop().showMessage(content);
}

bool SettingsStore::commit() {
    if (!hold_ || buffer_ == committed_) {
        return true;
    }
    if (hold_->replace(buffer_)) {
        committed_ = buffer_;
        return true;
    }
    buffer_ = committed_;
    cache_ = {};
    return false;
}

Text SettingsStore::ReadValue(std::string_view section, std::string_view key, std::string_view def,
                              bool emptyMeansDefault) {
    host::processPendingEvents();
    const std::optional<Header> header = lookupSection(section, 0);
    if (!header) {
        return Text(def);
    }
    const std::optional<layout::Entry> entry = layout::findEntry(buffer_, header->end, key);
    if (!entry || (emptyMeansDefault && entry->valueEnd == entry->valueStart)) {
        return Text(def);
    }
    return buffer_.substr(entry->valueStart, entry->valueEnd - entry->valueStart);
}

std::int64_t SettingsStore::FindNextSectionHeader(std::int64_t from, std::int64_t to) const {
    if (from < 1 || to < 1) {
        return -1;
    }
    const std::size_t found = layout::nextSectionHeader(buffer_, static_cast<std::size_t>(from - 1),
                                                        static_cast<std::size_t>(to - 1));
    // Only a header line closed by a line break is reported; the store's own edits still take a
    // header on the last line as the start of a section, so that they never run into it.
    if (found == npos || layout::lineEnd(buffer_, found) == buffer_.size()) {
        return -1;
    }
    return static_cast<std::int64_t>(found) + 1;
}

bool SettingsStore::SaveAs(std::optional<std::string_view> path) {
    const std::string_view target = path.value_or(filePath_);
    if (target.empty()) {
        return false;
    }
    if (hold_ && target == filePath_) {
        if (!hold_->replace(buffer_)) {
            return false;
        }
        committed_ = buffer_;
        return true;
    }
    // Writing a file that another store holds would pull it from under that store's edits.
    std::optional<FileHold> brief = FileHold::acquire(target);
    return brief && brief->replace(buffer_);
}

int SettingsStore::DeleteEntry(std::string_view section, std::optional<std::string_view> key,
                               bool now) {
    if (!now) {
        std::vector<Text> texts{Text(section)};
        if (key) {
            texts.emplace_back(*key);
        }
        return queue(EditKind::DeleteEntry, std::move(texts));
    }
    return deleteEntryNow(section, key);
}

int SettingsStore::deleteEntryNow(std::string_view section, std::optional<std::string_view> key) {
    const std::size_t header = layout::findSectionHeader(buffer_, section, 0);
    if (header == npos) {
        return kNoSection;
    }
    const std::size_t next =
        buffer_.empty() ? npos : layout::nextSectionHeader(buffer_, header, buffer_.size() - 1);
    // A section runs up to the "[" of the next header, its line break included.
    const std::size_t sectionEnd = next == npos ? buffer_.size() : next;
    std::size_t start = header;
    std::size_t end = sectionEnd;
    if (key) {
        Text needle;
        needle.append(kLineBreak).append(*key).append("=");
        start = buffer_.find(needle, header);
        if (start == npos) {
            return kNoKey;
        }
        end = layout::lineEnd(buffer_, start + kLineBreak.size());
        if (end > sectionEnd) {
            return kNoKey;
        }
    }
    buffer_.erase(start, end - start);
    cache_ = {};
    return commit() ? kDone : kFailed;
}

int SettingsStore::RenameSection(std::string_view section, std::string_view newName, bool now) {
    if (!now) {
        return queue(EditKind::RenameSection, {Text(section), Text(newName)});
    }
    return renameSectionNow(section, newName);
}

int SettingsStore::renameSectionNow(std::string_view section, std::string_view newName) {
    const std::size_t header = layout::findSectionHeader(buffer_, section, 0);
    if (header == npos) {
        return kNoSection;
    }
    buffer_.replace(header + 1, section.size(), newName);
    cache_ = {};
    return commit() ? kDone : kFailed;
}

int SettingsStore::RenameKey(std::string_view section, std::string_view key,
                             std::string_view newKey, bool now) {
    if (!now) {
        return queue(EditKind::RenameKey, {Text(section), Text(key), Text(newKey)});
    }
    return renameKeyNow(section, key, newKey);
}

int SettingsStore::renameKeyNow(std::string_view section, std::string_view key,
                                std::string_view newKey) {
    const std::size_t header = layout::findSectionHeader(buffer_, section, 0);
    if (header == npos) {
        return kNoSection;
    }
    const std::optional<layout::Entry> entry =
        layout::findEntry(buffer_, header + section.size() + 1, key);
    if (!entry) {
        return kNoKey;
    }
    buffer_.replace(entry->keyStart, key.size(), newKey);
    cache_ = {};
    return commit() ? kDone : kFailed;
}

bool SettingsStore::SetContent(std::string_view text, bool append) {
    if (!append) {
        buffer_.clear();
    }
    buffer_.append(text);
    cache_ = {};
    return commit();
}

bool SettingsStore::Bind(std::string_view path, int mode) {
    boundPath_ = Text(path);
    bindMode_ = mode;
    if (!usesFile()) {
        return false;
    }
    return Open(boundPath_, mode == 1);
}

Text SettingsStore::SetSection(std::string_view name) {
    section_ = Text(name);
    std::string_view base = boundPath_;
    if (const std::size_t slash = base.rfind('/'); slash != npos) {
        base.remove_prefix(slash + 1);
    }
    if (const std::size_t dot = base.rfind('.'); dot != npos) {
        base = base.substr(0, dot);
    }
    registryKeyPath_ = YC_GBK("翎杉软件");
    registryKeyPath_.append("\\").append(base).append("\\").append(name).append("\\");
    return registryKeyPath_;
}

}  // namespace yc::settings
