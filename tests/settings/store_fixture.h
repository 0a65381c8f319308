// A settings store bound in write-through mode to a file in a fresh temporary folder, with a
// check that the file on disk equals the store's buffer.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/settings_store.h"
#include "support/temp_dir.h"
#include "text/charset.h"

namespace yc::test {

/// GBK text from a UTF-8 literal, for readable test data.
inline Text gbk(std::string_view utf8) {
    return text::utf8ToGbk(utf8);
}

class BoundStoreTest : public testing::Test {
  protected:
    /// Writes `content` (may be empty: no file) and binds the store to it in `mode`.
    bool bindTo(std::string_view content, int mode = 0, bool createFile = true) {
        if (createFile) {
            dir.write(fileName, content);
        }
        return store.Bind(gbkPath(), mode);
    }
    Text gbkPath() const { return text::utf8ToGbk((dir.path() / fileName).string()); }
    std::string fileContent() const { return TempDir::read(dir.path() / fileName); }
    void expectFileEqualsBuffer() const { EXPECT_EQ(fileContent(), store.ContentText()); }

    TempDir dir;
    std::string fileName = "settings.ini";
    settings::SettingsStore store;
};

}  // namespace yc::test
