// Random contents and random edits: a written value always reads back, lookups never leave the
// buffer, and a held file always equals the buffer.
#include <gtest/gtest.h>

#include <random>

#include "store_fixture.h"

namespace yc::test {
namespace {

using settings::SettingsStore;

/// Short texts built from the bytes that matter to the layout, plus a double-byte character.
class Pieces {
  public:
    explicit Pieces(unsigned seed) : random_(seed) {}

    Text text(std::size_t maxPieces, bool lineBreaks) {
        static constexpr std::string_view kPieces[] = {"[",  "]",  "=",        "A",   "K",   "\r\n",
                                                       "\r", "\n", "\xD6\xD0", "[A]", "\xB0"};
        Text out;
        const std::size_t count = std::uniform_int_distribution<std::size_t>(0, maxPieces)(random_);
        for (std::size_t i = 0; i < count; ++i) {
            const std::string_view piece = kPieces[std::uniform_int_distribution<std::size_t>(
                0, std::size(kPieces) - 1)(random_)];
            if (!lineBreaks && piece.find_first_of("\r\n") != std::string_view::npos) {
                continue;
            }
            out.append(piece);
        }
        return out;
    }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  private:
    std::mt19937 random_;
};

void randomEdit(SettingsStore& store, Pieces& pieces) {
    const Text section = pieces.text(3, false);
    const Text key = pieces.text(3, false);
    switch (pieces.pick(8)) {
        case 0:
        case 1: {
            const Text value = pieces.text(4, false);
            if (store.WriteValue(section, key, value, pieces.pick(2) == 0) == 0) {
                EXPECT_EQ(store.ReadValue(section, key, "?"), value)
                    << testing::PrintToString(store.ContentText());
            }
            break;
        }
        case 2:
            store.DeleteEntry(
                section, pieces.pick(2) == 0 ? std::optional<std::string_view>(key) : std::nullopt,
                true);
            break;
        case 3:
            store.RenameSection(section, pieces.text(3, false), pieces.pick(2) == 0);
            break;
        case 4:
            store.RenameKey(section, key, pieces.text(3, false), true);
            break;
        case 5:
            store.FindNextSectionHeader(pieces.pick(60) - 2, pieces.pick(60) - 2);
            store.SectionsWithKey(key);
            store.KeysWithValue(key, section);
            store.EntryNames({.section = section});
            break;
        case 6:
            store.ReadValue(section, key, "d", pieces.pick(2) == 0);
            break;
        case 7:
            if (pieces.pick(20) == 0) {
                store.SetContent(pieces.text(12, true), pieces.pick(2) == 0);
            }
            break;
    }
}

TEST(SettingsRandom, WrittenValuesReadBackOnAnyContent) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Pieces pieces(seed);
        SettingsStore store;
        store.SetContent(pieces.text(30, true), false);
        for (int i = 0; i < 500; ++i) {
            randomEdit(store, pieces);
        }
    }
}

class SettingsRandomFile : public BoundStoreTest {};

TEST_F(SettingsRandomFile, HeldFileEqualsTheBufferAfterEveryEdit) {
    Pieces pieces(7);
    ASSERT_TRUE(bindTo(pieces.text(30, true)));
    for (int i = 0; i < 300; ++i) {
        randomEdit(store, pieces);
        ASSERT_EQ(fileContent(), store.ContentText()) << "after edit " << i;
    }
}

}  // namespace
}  // namespace yc::test
