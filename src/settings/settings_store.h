// The settings store: one INI-style settings file kept in memory as a GBK byte buffer, read and
// edited by byte search without parsing it into a tree. Bound in mode 0, it holds the file for
// writing and makes the file equal the buffer after every edit; bound in mode 1, the buffer
// changes alone until Save.
//
// File layout: a section header is the line "[" + name + "]" (counted only at the buffer's
// start or right after a CR LF); an entry is the line key + "=" + value inside the section whose
// header precedes it. Names and keys are exact byte strings. Lines end with CR LF, the last one
// without.
//
// Bind modes: 0 (load and hold the file for write-through), 1 (load, edits stay in memory until
// Save). Mode 2, the system registry of another platform, does not exist here: Bind with mode 2
// returns false without loading anything, and the typed operations then read every key as
// missing (they give the default) and their writes return false.
//
// Holding the file: only one store, in any process, holds a settings file for writing. Another
// one binding it in mode 0 gets false from Bind, still reads the file's content, and keeps its
// edits in memory. An edit that cannot be written (a full disk, a read-only file) fails as a
// whole: the buffer returns to the file's content, which is left untouched.
//
// Re-entrancy: every read and write lets the window system process pending events, so an event
// handler may call the store while another call is running. Typed writes go through a write
// queue: a write arriving while a queued edit is being performed is queued behind it (result 3)
// and performed in arrival order by the drain already running.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string_view>
#include <vector>

#include "settings/ini_layout.h"
#include "settings/settings_files.h"
#include "settings/stored_forms.h"
#include "text/gbk_text.h"

namespace yc::settings {

/// The edits that can wait in the write queue; the values are the queue's kind numbers.
enum class EditKind { WriteValue = 0, DeleteEntry = 1, RenameSection = 2, RenameKey = 3 };

struct QueuedEdit {
    EditKind kind = EditKind::WriteValue;
    std::vector<Text> texts;  ///< section, then key / new name / key + new key, then value
    std::uint64_t id = 0;     ///< arrival number, unique within the store
};

/// A key text and a flag, saved and restored as a boolean entry of the current section.
struct ItemFlag {
    Text key;
    bool flag = false;
};

/// A window's show state and bounds, as the placement operations save and restore them.
struct WindowPlacement {
    int showState = 0;  ///< 0 normal, 2 minimised, 3 maximised
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

/// Filters of EntryNames; empty texts filter nothing.
struct EntryNameFilter {
    std::string_view mustContain = {};
    std::string_view mustNotContain = {};
    std::optional<std::string_view> section = std::nullopt;  ///< only this section's entries
    std::string_view sectionMustContain = {};                ///< matched against the header line
    std::string_view sectionMustNotContain = {};
};

class SettingsStore {
  public:
    /// Results of the editing operations.
    static constexpr int kDone = 0;
    static constexpr int kNoSection = 1;
    static constexpr int kNoKey = 2;
    static constexpr int kQueued = 3;
    static constexpr int kFailed = -1;  ///< also: an empty queue for DrainQueue

    /// An empty store: no buffer, no file, bind mode 0.
    SettingsStore() = default;
    ~SettingsStore();
    SettingsStore(SettingsStore&&) noexcept = default;
    SettingsStore& operator=(SettingsStore&&) noexcept = default;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    /// Closes, then returns every field to the state of a new store.
    void Destroy();
    /// A copy of every field. It shares the hold on the file: both write through, and the file
    /// stays held until both have closed. The copy is never in the middle of a drain.
    SettingsStore Clone() const;
    /// Lets the file go (flushing it to the storage device) and empties the buffer.
    void Close();
    /// Writes the whole buffer to the file path, replacing the file (meant for bind mode 1).
    bool Save();
    /// Loads `path` into the buffer (missing or unreadable: empty) and, unless memoryOnly,
    /// holds it for write-through, creating it when missing. False when it cannot be held.
    bool Open(std::string_view path, bool memoryOnly);
    /// Loads the file path again; false (buffer unchanged) when it cannot be read.
    bool Reload();
    /// Performs the queued edits, oldest first, until the queue is empty. Returns the first
    /// one's result, -1 when the queue was empty, 3 when called while a drain is running.
    int DrainQueue();

    /// now = false queues the edit (3 when a drain is running, else the drain's result).
    /// now = true performs it: 0 done, -1 failed.
    int WriteValue(std::string_view section, std::string_view key, std::string_view value,
                   bool now);
    /// The value of `key` in the first header of `section` that starts a line; the default when
    /// the section or the entry is missing, or when it is empty and emptyMeansDefault is set.
    Text ReadValue(std::string_view section, std::string_view key, std::string_view def = {},
                   bool emptyMeansDefault = false);
    /// The 1-based position of the "[" of the first whole header line that follows a CR LF found
    /// from position `from` and before position `to`, and is itself ended by a CR LF; -1 when
    /// there is none.
    std::int64_t FindNextSectionHeader(std::int64_t from, std::int64_t to) const;
    /// The sections holding an entry `key`, once per run of such entries.
    std::vector<Text> SectionsWithKey(std::string_view key) const;
    /// For each occurrence of "=" + value (of "=" + CR LF for an empty value), the text from its
    /// line's start up to that "=", in buffer order; with `section`, only those under a header
    /// of that name.
    std::vector<Text> KeysWithValue(std::string_view value,
                                    std::optional<std::string_view> section = std::nullopt) const;
    /// Writes the whole buffer to `path` (default: the file path), replacing that file.
    bool SaveAs(std::optional<std::string_view> path = std::nullopt);
    /// The names of the header lines, in order, filtered by what the header line contains.
    std::vector<Text> SectionNames(std::string_view mustContain = {},
                                   std::string_view mustNotContain = {}) const;
    /// The keys of the entry lines under accepted headers, in order.
    std::vector<Text> EntryNames(const EntryNameFilter& filter = {}) const;
    /// Without a key, deletes the whole section. 0 done, 1 no such section, 2 no such key,
    /// 3 queued, -1 the file could not be written.
    int DeleteEntry(std::string_view section, std::optional<std::string_view> key, bool now);
    /// 0 done, 1 no such section, 3 queued, -1 the file could not be written.
    int RenameSection(std::string_view section, std::string_view newName, bool now);
    /// 0 done, 1 no such section, 2 no such key, 3 queued, -1 the file could not be written.
    int RenameKey(std::string_view section, std::string_view key, std::string_view newKey,
                  bool now);
    Text ContentText() const { return buffer_; }
    /// Replaces (or with append, extends) the buffer; false when the file could not follow.
    bool SetContent(std::string_view text, bool append);
    void MarkSpare() { spare_ = 1; }
    int BindMode() const { return bindMode_; }

    /// Sets the bound path and mode; mode 0 or 1 then opens the path (see Open).
    bool Bind(std::string_view path, int mode);
    /// Makes `name` the section of the typed operations. Returns the registry key path
    /// "翎杉软件\" + bound file's base name + "\" + name + "\" (no registry exists here).
    Text SetSection(std::string_view name);
    const Text& CurrentSection() const { return section_; }

    /// Byte values live in files of their own: bound path's folder + "/inibin/" + current section
    /// + "-" + key + ".ibn". A section or key holding "/" or a zero byte has no such file.
    ByteBuffer ReadBytes(std::string_view key, std::string_view def = {});
    bool WriteBytes(std::string_view key, std::string_view value);

    /// Typed values in the current section. Reads give the default for a missing or empty
    /// entry; writes go through the write queue and return true when performed at once.
    bool WriteText(std::string_view key, std::string_view value);
    Text ReadText(std::string_view key, std::string_view def = {});
    bool WriteNumber(std::string_view key, double value);
    double ReadNumber(std::string_view key, double def = 0);
    bool WriteBool(std::string_view key, bool value);
    /// True only for a stored "真".
    bool ReadBool(std::string_view key, bool def = false);
    /// False only for a stored "假".
    bool ReadBoolUnlessFalse(std::string_view key, bool def = true);
    bool WriteDateTime(std::string_view key, DateTime value);
    DateTime ReadDateTime(std::string_view key, DateTime def = {});
    bool SaveItemFlag(const ItemFlag& item);
    /// Sets item.flag from the stored boolean (its current value as the default) and returns it.
    bool RestoreItemFlag(ItemFlag& item);

    /// In section name + ".尺寸" (name defaults to "主界面"): "位置" holds the show state and,
    /// unless it is greater than 1, "左边", "顶边", "宽度" and "高度" the bounds. The current
    /// section stays the placement section.
    void SaveWindowPlacement(const WindowPlacement& window,
                             std::optional<std::string_view> name = std::nullopt);
    /// Reads the placement back with `window`'s values as the defaults; the bounds are not read
    /// when the restored show state is greater than 1. No check against the screen area.
    WindowPlacement RestoreWindowPlacement(WindowPlacement window,
                                           std::optional<std::string_view> name = std::nullopt);

    Text BoundPath() const { return boundPath_; }
    /// True while the store holds its file and writes every edit through to it.
    bool HoldsFile() const { return hold_.has_value(); }
    std::size_t QueuedEdits() const { return queue_.size(); }

  private:
    struct SectionCache {
        Text name;
        std::size_t header = layout::npos;  ///< the "[", or npos
        std::size_t end = layout::npos;     ///< the "]", or npos
    };
    struct Header {
        std::size_t start;
        std::size_t end;
    };

    std::optional<Header> lookupSection(std::string_view section, std::size_t from);
    int writeValueNow(std::string_view section, std::string_view key, std::string_view value);
    int deleteEntryNow(std::string_view section, std::optional<std::string_view> key);
    int renameSectionNow(std::string_view section, std::string_view newName);
    int renameKeyNow(std::string_view section, std::string_view key, std::string_view newKey);
    int queue(EditKind kind, std::vector<Text> texts);
    int perform(const QueuedEdit& edit);
    /// Makes the file follow the buffer; on failure the buffer returns to the file's content.
    bool commit();
    void reportRunawaySection();
    bool usesFile() const { return bindMode_ == 0 || bindMode_ == 1; }
    bool typedWrite(std::string_view key, std::string_view stored);
    Text typedRead(std::string_view key, std::string_view storedDefault);
    std::optional<Text> byteFilePath(std::string_view key) const;

    ByteBuffer buffer_;
    std::optional<FileHold> hold_;
    ByteBuffer committed_;  ///< the held file's content, while a file is held
    Text filePath_;
    bool busy_ = false;
    std::deque<QueuedEdit> queue_;
    std::uint64_t nextEditId_ = 0;
    int spare_ = 0;
    SectionCache cache_;
    Text boundPath_;
    Text section_;
    int bindMode_ = 0;
    Text registryKeyPath_;
};

}  // namespace yc::settings
