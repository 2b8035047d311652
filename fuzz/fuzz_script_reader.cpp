// Feeds arbitrary bytes to the script reader, and each of their lines to the line check and
// the panel fill. Run it through scripts/test, or by hand:
//   build/fuzz/bin/fuzz_script_reader build/fuzz/corpus-work fuzz/corpus

#include "script_input.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString failure = exerciseScriptInput(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        std::abort();
    }
    return 0;
}
