#include "kill_script.h"

#include <array>
#include <cstdint>
#include <string>

#include "text/charset.h"

namespace yc::test {
namespace {

std::uint32_t mix(int step, std::uint32_t salt) {
    std::uint32_t x = static_cast<std::uint32_t>(step) * 2654435761U ^ salt;
    x ^= x >> 15;
    x *= 2246822519U;
    x ^= x >> 13;
    return x;
}

const Text& sectionName(std::uint32_t r) {
    static const std::array<Text, 4> kNames{YC_GBK("主界面"), YC_GBK("连接"), "A", "B"};
    return kNames[r % kNames.size()];
}

Text keyName(std::uint32_t r) {
    if (r % 7 == 0) {
        return YC_GBK("按钮输入域名列表.标记");
    }
    return "K" + std::to_string(r % 11);
}

/// Texts from empty to a few hundred bytes, with double-byte characters and line breaks.
Text valueText(std::uint32_t r) {
    Text value;
    const std::uint32_t lines = r % 5;
    for (std::uint32_t i = 0; i < lines; ++i) {
        if (i > 0) {
            value.append("\r\n");
        }
        value.append(YC_GBK("域名")).append(std::to_string(r >> (i + 3)));
        value.append((r >> 7) % 60, static_cast<char>('a' + i));
    }
    return value;
}

}  // namespace

Text killScriptInitialContent() {
    Text content = YC_GBK("[连接]\r\n查询地址=https://127.0.0.1:1/x\r\n[主界面]\r\n");
    for (int i = 0; i < 8; ++i) {
        content.append("K" + std::to_string(i) + "=" +
                       std::string(static_cast<std::size_t>(i * 9), 'v'));
        content.append(i < 7 ? "\r\n" : "");
    }
    return content;
}

void performKillScriptStep(settings::SettingsStore& store, int step) {
    const std::uint32_t r = mix(step, 0x9E3779B9U);
    const Text& section = sectionName(r >> 3);
    const Text key = keyName(r >> 5);
    switch (step % 10) {
        case 0:
        case 1:
        case 2:
        case 3:
            store.SetSection(section);
            store.WriteText(key, valueText(r >> 9));
            break;
        case 4:
            store.WriteValue(section, key, valueText(r >> 11), true);
            break;
        case 5:
            store.SetSection(section);
            store.WriteBool(key, (r & 1U) != 0);
            break;
        case 6:
            store.DeleteEntry(section, key, true);
            break;
        case 7:
            store.RenameKey(section, key, keyName(r >> 17), false);
            break;
        case 8:
            store.WriteValue(section, key, "", true);
            break;
        case 9:
            if (r % 13 == 0) {
                store.DeleteEntry(section, std::nullopt, true);
            } else if (r % 13 == 1) {
                store.RenameSection(section, sectionName(r >> 19), true);
            } else {
                store.SetSection(section);
                store.WriteNumber(key, static_cast<double>(r % 100000) / 7.0);
            }
            break;
    }
}

}  // namespace yc::test
