// The store and its file: binding modes, holding the file against other stores, saving,
// reloading, cloning, byte files, and edits that cannot be written leaving the old file intact.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "store_fixture.h"

namespace yc::test {
namespace {

using settings::SettingsStore;

class StoreFileTest : public BoundStoreTest {};

TEST_F(StoreFileTest, ChineseFileNameAppearsAsUtf8OnDisk) {
    fileName = "翎杉·域查灵.ini";
    ASSERT_TRUE(bindTo("", 0, false));
    EXPECT_EQ(store.WriteValue(gbk("主界面"), "K", "1", true), SettingsStore::kDone);
    EXPECT_EQ(TempDir::read(dir.path() / u8"翎杉·域查灵.ini"), gbk("[主界面]\r\nK=1"));
    EXPECT_EQ(store.BoundPath(), gbkPath());
}

TEST_F(StoreFileTest, SecondStoreGetsFalseAndKeepsItsEditsInMemory) {
    ASSERT_TRUE(bindTo("[A]\r\nK=1"));
    SettingsStore second;
    EXPECT_FALSE(second.Bind(gbkPath(), 0));
    EXPECT_FALSE(second.HoldsFile());
    EXPECT_EQ(second.ReadValue("A", "K"), "1");
    EXPECT_EQ(second.WriteValue("A", "K", "2", true), SettingsStore::kDone);
    EXPECT_FALSE(second.Save());  // the file is held by the first store
    EXPECT_EQ(fileContent(), "[A]\r\nK=1");
    store.Close();
    EXPECT_TRUE(second.Bind(gbkPath(), 0));
    EXPECT_EQ(second.ReadValue("A", "K"), "1");
}

/// The names in `folder`, sorted.
std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(StoreFileTest, HoldLeavesNothingButTheSettingsFile) {
    fileName = "翎杉·域查灵.ini";
    ASSERT_TRUE(bindTo("", 0, false));
    EXPECT_EQ(store.WriteValue("A", "K", "1", true), SettingsStore::kDone);
    SettingsStore second;
    EXPECT_FALSE(second.Bind(gbkPath(), 0));
    store.Destroy();
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{fileName});
    EXPECT_EQ(fileContent(), "[A]\r\nK=1");
}

TEST_F(StoreFileTest, LinkedFileIsEditedAndTheLinkStays) {
    std::filesystem::create_directory(dir.path() / "real");
    dir.write("real/target.ini", "[A]\r\nK=1");
    std::filesystem::create_symlink("real/target.ini", dir.path() / fileName);
    ASSERT_TRUE(store.Bind(gbkPath(), 0));
    EXPECT_EQ(store.WriteValue("A", "K", "2", true), SettingsStore::kDone);
    SettingsStore direct;
    EXPECT_FALSE(direct.Bind(gbk((dir.path() / "real/target.ini").string()), 0));
    store.Destroy();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / fileName));
    EXPECT_EQ(TempDir::read(dir.path() / "real/target.ini"), "[A]\r\nK=2");
    EXPECT_EQ(namesIn(dir.path() / "real"), std::vector<std::string>{"target.ini"});
}

/// Binds `path`, changes K, and tells whether the file, and nothing else in its folder, changed.
bool editsInPlace(const std::filesystem::path& path) {
    SettingsStore held;
    const bool edited = held.Bind(gbk(path.string()), 0) &&
                        held.WriteValue("A", "K", "2", true) == SettingsStore::kDone;
    held.Destroy();
    return edited && TempDir::read(path) == "[A]\r\nK=2" && namesIn(path.parent_path()).size() == 1;
}

TEST_F(StoreFileTest, FileWhereNoTemporaryFileCanBeMadeIsEditedInPlace) {
    // A temporary name one suffix longer than the longest name the file system takes.
    fileName = std::string(250, 'n') + ".ini";
    EXPECT_TRUE(editsInPlace(dir.write(fileName, "[A]\r\nK=1")));

    TempDir readOnly;
    const auto file = readOnly.write("settings.ini", "[A]\r\nK=1");
    ::chmod(file.c_str(), 0666);
    ::chmod(readOnly.path().c_str(), 0555);
    const auto check = [&file] {
        // Root may create files in any folder, so the check runs as an ordinary user.
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return 2;
        }
        return editsInPlace(file) ? 0 : 1;
    };
    EXPECT_EXIT(std::exit(check()), testing::ExitedWithCode(0), "");
}

TEST_F(StoreFileTest, ModeOneChangesTheFileOnlyOnSave) {
    ASSERT_TRUE(bindTo("[A]\r\nK=1", 1));
    EXPECT_FALSE(store.HoldsFile());
    EXPECT_EQ(store.BindMode(), 1);
    EXPECT_EQ(store.WriteValue("A", "K", "2", true), SettingsStore::kDone);
    EXPECT_EQ(fileContent(), "[A]\r\nK=1");
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(fileContent(), "[A]\r\nK=2");
    const std::filesystem::path other = dir.path() / u8"另存.ini";
    EXPECT_TRUE(store.SaveAs(gbk(other.string())));
    EXPECT_EQ(TempDir::read(other), "[A]\r\nK=2");
}

TEST_F(StoreFileTest, ModeTwoHasNoRegistryHere) {
    ASSERT_TRUE(bindTo("[S]\r\nK=stored"));
    EXPECT_EQ(store.ReadValue("S", "K"), "stored");
    EXPECT_FALSE(store.Bind(gbkPath(), 2));
    EXPECT_EQ(store.BindMode(), 2);
    store.SetSection("S");
    EXPECT_EQ(store.ReadText("K", "default"), "default");
    EXPECT_FALSE(store.WriteText("K", "x"));
    EXPECT_EQ(store.ReadValue("S", "K"), "stored");  // the buffer was neither loaded nor emptied
}

TEST_F(StoreFileTest, ReloadCloseAndDestroy) {
    ASSERT_TRUE(bindTo("[A]\r\nK=1", 1));
    dir.write(fileName, "[A]\r\nK=changed");
    EXPECT_TRUE(store.Reload());
    EXPECT_EQ(store.ReadValue("A", "K"), "changed");
    std::filesystem::remove(dir.path() / fileName);
    EXPECT_FALSE(store.Reload());
    EXPECT_EQ(store.ReadValue("A", "K"), "changed");
    store.Close();
    EXPECT_EQ(store.ContentText(), "");
    store.SetSection("A");
    store.Destroy();
    EXPECT_EQ(store.CurrentSection(), "");
    EXPECT_EQ(store.BoundPath(), "");
    EXPECT_EQ(store.BindMode(), 0);
}

TEST_F(StoreFileTest, CloneSharesTheHoldUntilBothClose) {
    ASSERT_TRUE(bindTo("[A]\r\nK=1"));
    store.SetSection("A");
    SettingsStore copy = store.Clone();
    EXPECT_EQ(copy.ContentText(), store.ContentText());
    EXPECT_EQ(copy.CurrentSection(), "A");
    EXPECT_TRUE(copy.HoldsFile());
    EXPECT_TRUE(copy.WriteText("K", "2"));
    EXPECT_EQ(fileContent(), "[A]\r\nK=2");
    EXPECT_EQ(store.ReadText("K"), "1");  // buffers are separate
    store.Close();
    SettingsStore third;
    EXPECT_FALSE(third.Bind(gbkPath(), 0));
    copy.Close();
    EXPECT_TRUE(third.Bind(gbkPath(), 0));
}

TEST_F(StoreFileTest, ByteValuesLiveInTheInibinFolder) {
    fileName = "翎杉·域查灵.ini";
    ASSERT_TRUE(bindTo("", 0, false));
    store.SetSection(gbk("主界面"));
    const std::string bytes("raw\0bytes\xFF", 10);
    EXPECT_TRUE(store.WriteBytes(gbk("编辑框正文"), bytes));
    EXPECT_EQ(TempDir::read(dir.path() / u8"inibin" / u8"主界面-编辑框正文.ibn"), bytes);
    EXPECT_EQ(store.ReadBytes(gbk("编辑框正文"), "dflt"), bytes);
    EXPECT_EQ(store.ContentText(), "");  // nothing in the settings file
    EXPECT_EQ(store.ReadBytes("missing", "dflt"), "dflt");
    EXPECT_TRUE(store.WriteBytes("empty", ""));
    EXPECT_EQ(store.ReadBytes("empty", "dflt"), "dflt");
    EXPECT_FALSE(store.WriteBytes("../escape", "x"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "escape.ibn"));
}

TEST_F(StoreFileTest, RegistryKeyPathUsesTheBoundFilesBaseName) {
    fileName = "翎杉·域查灵.ini";
    ASSERT_TRUE(bindTo("", 0, false));
    EXPECT_EQ(store.SetSection(gbk("主界面")), gbk("翎杉软件\\翎杉·域查灵\\主界面\\"));
}

// Both checks run in a forked child, so that the file-size limit and the user switch stay there.
TEST_F(StoreFileTest, EditThatCannotBeWrittenLeavesFileAndBufferAsTheyWere) {
    ASSERT_TRUE(bindTo("[A]\r\nK=1"));
    const auto check = [this] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{12, 12};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool failed =
            store.WriteValue("A", "K", "too long for the disk", true) == SettingsStore::kFailed;
        const bool unchanged = fileContent() == "[A]\r\nK=1" && store.ContentText() == "[A]\r\nK=1";
        const bool smallEditWorks = store.WriteValue("A", "K", "2", true) == SettingsStore::kDone &&
                                    fileContent() == "[A]\r\nK=2";
        return failed && unchanged && smallEditWorks ? 0 : 1;
    };
    EXPECT_EXIT(std::exit(check()), testing::ExitedWithCode(0), "");
}

TEST_F(StoreFileTest, ReadOnlyFileIsNeitherHeldNorReplaced) {
    dir.write(fileName, "[A]\r\nK=1");
    ::chmod(dir.path().c_str(), 0777);
    ::chmod((dir.path() / fileName).c_str(), 0444);
    const auto check = [this] {
        // Root may write any file, so the check runs as an ordinary user.
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return 2;
        }
        SettingsStore held;
        const bool refused = !held.Bind(gbkPath(), 0);
        const bool readable = held.ReadValue("A", "K") == "1";
        SettingsStore memory;
        memory.Bind(gbkPath(), 1);
        memory.WriteValue("A", "K", "2", true);
        const bool saveRefused = !memory.Save();
        return refused && readable && saveRefused && fileContent() == "[A]\r\nK=1" ? 0 : 1;
    };
    EXPECT_EXIT(std::exit(check()), testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace yc::test
