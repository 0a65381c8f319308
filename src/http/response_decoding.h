// Turns the bytes of an HTTP response body into the program's GBK text: gzip inflation (through
// http/gzip_inflate.h), encoding detection (byte-order mark, meta charset, UTF-8 plausibility)
// and conversion to GB18030.
#pragma once

#include <string_view>

#include "http/gzip_inflate.h"
#include "text/gbk_text.h"

namespace yc::http {

/// Encoding codes shared by the page fetch and the decoding.
enum EncodingCode : int {
    kDetectEncoding = 0,
    kLocalEncoding = 1,
    kUtf8 = 2,
    kUtf16Le = 3,
    kUtf16Be = 4,
    kBig5 = 5,
    kBig5Hkscs = 6,
};

/// Decodes `body` given encoding code `code` (0 detects). When `usedCode` is given it receives the
/// code the text was finally read with (1 when the bytes were taken unchanged). When `whole` is
/// given it tells whether the body could be read to its end: false for a gzip body that is cut
/// short, damaged or larger than kMaxInflatedBytes.
Text DecodeResponseText(std::string_view body, int code, int* usedCode = nullptr,
                        bool* whole = nullptr);
/// The same, taking the body: one that is read unchanged becomes the text without a copy.
Text DecodeResponseText(ByteBuffer&& body, int code, int* usedCode = nullptr,
                        bool* whole = nullptr);

/// 0 none, 1 UTF-8, 2 Big5, 3 Big5-HKSCS, from the meta tags of the page's head section.
int MetaCharset(std::string_view page);

/// True when every byte forms ASCII or a two- or three-byte UTF-8 sequence and at least one byte
/// is not ASCII. Lets pending window events run once per step.
bool LooksLikeUtf8(std::string_view bytes);

}  // namespace yc::http
