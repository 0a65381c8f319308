// One cache of opened ICU converters per thread.
#include "text/icu_converters.h"

#include <string>
#include <utility>
#include <vector>

namespace yc::text {

ConverterPtr openConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(name, &status));
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

UConverter* cachedConverter(const char* name) {
    thread_local std::vector<std::pair<std::string, ConverterPtr>> cache;
    for (auto& [cachedName, converter] : cache) {
        if (cachedName == name) {
            ucnv_reset(converter.get());
            return converter.get();
        }
    }
    ConverterPtr converter = openConverter(name);
    if (!converter) {
        return nullptr;
    }
    cache.emplace_back(name, std::move(converter));
    return cache.back().second.get();
}

}  // namespace yc::text
