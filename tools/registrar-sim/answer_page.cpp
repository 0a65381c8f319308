// Building the simulator's result and refusal pages in the configured encoding.
#include "answer_page.h"

#include "gzip_deflate.h"

#include <unicode/ucnv.h>

#include <array>

#include "text/charset.h"
#include "text/gbk_edit.h"

namespace yc::sim {
namespace {

std::string fromUtf8(const std::string& utf8, const char* charset) {
    UErrorCode status = U_ZERO_ERROR;
    const auto capacity = static_cast<int32_t>(utf8.size() * 4 + 16);
    std::string out(static_cast<std::size_t>(capacity), '\0');
    const int32_t n = ucnv_convert(charset, "UTF-8", out.data(), capacity, utf8.data(),
                                   static_cast<int32_t>(utf8.size()), &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(n) : 0);
    return out;
}

// Writes markup in lower or upper case; names, values and text stay as they are.
class Markup {
  public:
    explicit Markup(bool upper) : upper_(upper) {}
    std::string operator()(std::string_view markup) const {
        return upper_ ? text::asciiUpper(markup) : std::string(markup);
    }
    std::string attribute(std::string_view name, std::string_view value) const {
        std::string out(1, ' ');
        out.append((*this)(name)).append("=\"").append(value).append("\"");
        return out;
    }

  private:
    bool upper_;
};

std::string metaFor(PageEncoding encoding, const Markup& m) {
    const char* charset = nullptr;
    switch (encoding) {
        case PageEncoding::Utf8Meta:
            charset = "UTF-8";
            break;
        case PageEncoding::Gbk:
            charset = "gbk";
            break;
        case PageEncoding::Big5:
            charset = "big5";
            break;
        case PageEncoding::Utf8Header:
        case PageEncoding::Utf16Bom:
            return {};
    }
    return m("<meta") + m(" http-equiv") + "=\"Content-Type\"" + m(" content") +
           "=\"text/html; charset=" + charset + "\">\n";
}

std::string document(const std::string& bodyUtf8, const SimOptions& options) {
    const Markup m(options.upperCaseMarkup);
    std::string page = "<!DOCTYPE html>\n" + m("<html>") + "\n" + m("<head>") + "\n" +
                       metaFor(options.encoding, m) + m("<title>") + "批量查询结果" +
                       m("</title>") + "\n" + m("</head>") + "\n" + m("<body>") + "\n" + bodyUtf8 +
                       m("</body>") + "\n" + m("</html>") + "\n";
    const std::string open = "<!-- ";
    const std::string close = " -->\n";
    if (page.size() + open.size() + close.size() < options.padTo) {
        page += open + std::string(options.padTo - page.size() - open.size() - close.size(), 'x') +
                close;
    }
    return page;
}

PageBytes encode(const std::string& utf8, const SimOptions& options) {
    PageBytes page;
    page.contentType = "text/html";
    switch (options.encoding) {
        case PageEncoding::Utf8Header:
            page.contentType = "text/html; charset=UTF-8";
            page.body = utf8;
            break;
        case PageEncoding::Utf8Meta:
            page.body = utf8;
            break;
        case PageEncoding::Gbk:
            page.body = text::utf8ToGbk(utf8);
            break;
        case PageEncoding::Utf16Bom:
            page.body = "\xFF\xFE";
            page.body += fromUtf8(utf8, "UTF-16LE");
            break;
        case PageEncoding::Big5:
            page.body = fromUtf8(utf8, "Big5");
            break;
    }
    if (options.gzip) {
        page.body = gzipDeflate(page.body);
        page.gzipped = true;
    }
    return page;
}

}  // namespace

PageBytes resultPage(const std::vector<std::string>& names, const std::vector<bool>& isFree,
                     const SimOptions& options) {
    const Markup m(options.upperCaseMarkup);
    std::string body = m("<form") + m.attribute("action", "/domain/bulkregister.php") +
                       m.attribute("method", "post") + ">\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = text::gbkToUtf8(names[i]);
        if (isFree[i]) {
            body += m("<p><input") + m.attribute("type", "checkbox") +
                    m.attribute("name", "domain[]") + m.attribute("value", name) + " " +
                    m("checked") + "> " + name + " 可以注册" + m("</p>") + "\n";
        } else {
            body += m("<p>") + name + " 已被注册" + m("</p>") + "\n";
        }
    }
    body += m("</form>") + "\n";
    return encode(document(body, options), options);
}

PageBytes refusalPage(const SimOptions& options) {
    const Markup m(options.upperCaseMarkup);
    return encode(
        document(m("<script>") + "alert(\"验证码不正确\");history.back();" + m("</script>") + "\n",
                 options),
        options);
}

}  // namespace yc::sim
