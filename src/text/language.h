#pragma once
// The interface language.
#include <cstdint>

namespace qv {

// The order English, German, Spanish, Portuguese, Italian, French of the language codes is
// fixed; the interface offers and stores only English and German, and every code but German
// reads English. The values are those the settings file stores.
enum class Language : int16_t { English = 0, German = 1 };

}  // namespace qv
