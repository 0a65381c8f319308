// The start button's caption texts.
#include "query/run_captions.h"

#include <string>

#include "text/charset.h"

namespace yc::query {

const Text& idleCaption() {
    return YC_GBK("开始查询");
}

Text startedCaption(std::size_t total) {
    return YC_GBK("请稍候。本次查询 ") + std::to_string(total) + YC_GBK(" 个域名");
}

Text progressCaption(const RunProgress& progress) {
    return YC_GBK("停止查询\r\n总 ") + std::to_string(progress.total) + YC_GBK(" 个，已查 ") +
           std::to_string(progress.done) + YC_GBK(" 个");
}

const Text& stoppingCaption() {
    return YC_GBK("正在停止..");
}

}  // namespace yc::query
