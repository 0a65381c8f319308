// The write queue under re-entrancy: writes that arrive while a queued edit is being performed
// wait behind it and are performed in arrival order; the runaway-section guard and its messages.
#include <gtest/gtest.h>

#include <functional>

#include "host/event_pump.h"
#include "store_fixture.h"
#include "support/scripted_desktop.h"

namespace yc::test {
namespace {

using settings::SettingsStore;

/// Runs `onPump` from every processPendingEvents() while installed.
class HookPump final : public host::EventPump {
  public:
    explicit HookPump(std::function<void()> onPump) : onPump_(std::move(onPump)) {
        host::installEventPump(this);
    }
    ~HookPump() override { host::installEventPump(nullptr); }
    HookPump(const HookPump&) = delete;
    HookPump& operator=(const HookPump&) = delete;
    void pump() override { onPump_(); }
    void waitAndDispatch() override { onPump_(); }
    void wake() override {}

  private:
    std::function<void()> onPump_;
};

class StoreQueueTest : public BoundStoreTest {};

TEST_F(StoreQueueTest, NestedWritesAreQueuedAndPerformedInArrivalOrder) {
    ASSERT_TRUE(bindTo(""));
    std::vector<int> nestedResults;
    bool nesting = false;
    HookPump pump([&] {
        if (nesting || nestedResults.size() == 2) {
            return;
        }
        nesting = true;  // one level of nesting, like a handler run from the event loop
        nestedResults.push_back(
            store.WriteValue("S", "B" + std::to_string(nestedResults.size()), "nested", false));
        nesting = false;
    });
    EXPECT_EQ(store.WriteValue("S", "A", "outer", false), SettingsStore::kDone);
    EXPECT_EQ(nestedResults, (std::vector<int>{SettingsStore::kQueued, SettingsStore::kQueued}));
    EXPECT_EQ(store.ContentText(), "[S]\r\nA=outer\r\nB0=nested\r\nB1=nested");
    EXPECT_EQ(store.QueuedEdits(), 0U);
    expectFileEqualsBuffer();
}

TEST_F(StoreQueueTest, TypedWriteDuringADrainReportsFalseButIsPerformed) {
    ASSERT_TRUE(bindTo(""));
    store.SetSection("S");
    std::optional<bool> nested;
    HookPump pump([&] {
        if (!nested) {
            nested = false;  // guards the nested call's own pumping
            nested = store.WriteBool("flag", true);
        }
    });
    EXPECT_TRUE(store.WriteText("text", "a\r\nb"));
    EXPECT_EQ(nested, false);
    EXPECT_EQ(store.ContentText(), gbk("[S]\r\ntext=a┊*┊b\r\nflag=真"));
}

TEST_F(StoreQueueTest, DrainOfAnEmptyQueue) {
    EXPECT_EQ(store.DrainQueue(), SettingsStore::kFailed);
}

TEST_F(StoreQueueTest, QueuedKindsReturnTheirOwnResults) {
    ASSERT_TRUE(bindTo("[A]\r\nK=1"));
    EXPECT_EQ(store.RenameKey("A", "K", "L", false), SettingsStore::kDone);
    EXPECT_EQ(store.RenameKey("A", "K", "L", false), SettingsStore::kNoKey);
    EXPECT_EQ(store.RenameSection("Z", "Y", false), SettingsStore::kNoSection);
    EXPECT_EQ(store.DeleteEntry("A", "L", false), SettingsStore::kDone);
    EXPECT_EQ(store.ContentText(), "[A]");
    expectFileEqualsBuffer();
}

TEST_F(StoreQueueTest, RunawaySectionStopsAfterTheEleventhHeaderWithTwoMessages) {
    ScriptedDesktop desktop;
    ASSERT_TRUE(bindTo(""));
    // A handler that empties the store on every pump keeps the section from ever being found
    // where the write looks for it.
    HookPump pump([&] { store.SetContent("", false); });
    EXPECT_EQ(store.WriteValue("S", "K", "V", true), SettingsStore::kFailed);
    ASSERT_EQ(desktop.messages.size(), 2U);
    EXPECT_EQ(desktop.messages[0].text,
              gbk("配置模块出现意外，可能导致无法正常保存！详情请咨询翎杉。"));
    EXPECT_EQ(desktop.messages[0].icon, host::MessageIcon::Warning);
    EXPECT_TRUE(desktop.messages[0].caption.empty());
    EXPECT_EQ(desktop.messages[1].icon, host::MessageIcon::None);
    EXPECT_EQ(desktop.messages[1].text, store.ContentText());
    EXPECT_EQ(store.ContentText(), "[S]");  // the header stays
    expectFileEqualsBuffer();
}

TEST_F(StoreQueueTest, EntryRemovedOnEveryPassEndsTheWriteInsteadOfGrowing) {
    ScriptedDesktop desktop;
    ASSERT_TRUE(bindTo("[S]"));
    HookPump pump([&] { store.DeleteEntry("S", "K", true); });
    EXPECT_EQ(store.WriteValue("S", "K", "V", true), SettingsStore::kFailed);
    EXPECT_EQ(store.ContentText(), "[S]");
    EXPECT_TRUE(desktop.messages.empty());
    expectFileEqualsBuffer();
}

TEST_F(StoreQueueTest, NestedDrainCallDoesNotPerformAnEditTwice) {
    ASSERT_TRUE(bindTo(""));
    std::optional<int> nestedDrain;
    HookPump pump([&] {
        if (!nestedDrain) {
            nestedDrain = -2;
            nestedDrain = store.DrainQueue();
        }
    });
    EXPECT_EQ(store.WriteValue("S", "K", "v", false), SettingsStore::kDone);
    EXPECT_EQ(nestedDrain, SettingsStore::kQueued);
    EXPECT_EQ(store.ContentText(), "[S]\r\nK=v");
}

TEST_F(StoreQueueTest, DestroyDuringADrainLeavesTheLaterEditsInPlace) {
    ASSERT_TRUE(bindTo(""));
    bool destroyed = false;
    HookPump pump([&] {
        if (!destroyed) {
            destroyed = true;
            store.Destroy();
            store.WriteValue("T", "K", "late", false);
        }
    });
    EXPECT_EQ(store.WriteValue("S", "K", "first", false), SettingsStore::kDone);
    EXPECT_EQ(store.QueuedEdits(), 0U);
    EXPECT_EQ(store.ContentText(), "[T]\r\nK=late\r\n[S]\r\nK=first");
    EXPECT_FALSE(store.HoldsFile());
    EXPECT_EQ(fileContent(), "");  // the file was let go before either write
}

}  // namespace
}  // namespace yc::test
