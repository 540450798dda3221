// libFuzzer harness of one parser, chosen at build time by RASP_FUZZ_TARGET: a broken invariant
// or round trip is printed and aborts, so the fuzzer keeps the input.
#include "fuzztargets.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The target named at build time.
rasp::fuzz::Target chosenTarget()
{
    for (const auto &t : rasp::fuzz::kTargets)
        if (std::strcmp(t.name, RASP_FUZZ_TARGET) == 0)
            return t.run;
    std::abort();
}

} // namespace

// Runs the chosen parser on one input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const rasp::fuzz::Target target = chosenTarget();
    const QString broken = target(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", RASP_FUZZ_TARGET, broken.toUtf8().constData());
        std::abort();
    }
    return 0;
}
