// `radioprog set F 200 9 A` on many random 8192-byte images: counts the bytes that changed
// outside record 199 and its name (there must be none) and how long the runs took.
// Run by hand: untouched_rows [COUNT] (10000 by default).
#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

#include "cli/command.h"
#include "core/image/radio_image.h"

namespace {

using namespace radio;

bool InRecord199OrItsName(std::size_t offset) {
    const std::size_t rec = 199 * offset::kRecordSize;
    const std::size_t name = offset::kChannelNames + 199 * offset::kNameSize;
    return (offset >= rec && offset < rec + offset::kRecordSize) ||
           (offset >= name && offset < name + offset::kNameSize);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const long count = argc > 1 ? std::atol(argv[1]) : 10000;
    QTemporaryDir dir;
    const std::string file = dir.filePath("F.dat").toStdString();
    const std::string config = dir.filePath("Program.ini").toStdString();  // none: defaults
    const std::string settings = dir.filePath("settings.ini").toStdString();

    std::mt19937 rng(13);
    long failed = 0, outside = 0, inUse = 0, named = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long n = 0; n < count; ++n) {
        std::string before(kImageSize, '\0');
        for (char& c : before) c = static_cast<char>(rng());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << before;
        const std::uint8_t msb = static_cast<std::uint8_t>(before[199 * 16 + 3]);
        const bool used = msb != 0x00 && msb != 0xFF;
        inUse += used;

        std::string args[] = {"radioprog", "--config", config, "--settings", settings,
                              "set",       file,       "200",  "9",          "A"};
        char* argvSet[std::size(args)];
        for (std::size_t i = 0; i < std::size(args); ++i) argvSet[i] = args[i].data();
        std::ostringstream out, err;
        if (cli::RunCli(static_cast<int>(std::size(args)), argvSet, out, err) != 0) ++failed;

        std::ifstream in(file, std::ios::binary);
        const std::string after{std::istreambuf_iterator<char>(in), {}};
        if (after.size() != kImageSize) {
            ++failed;
            continue;
        }
        for (std::size_t i = 0; i < kImageSize; ++i)
            outside += !InRecord199OrItsName(i) && after[i] != before[i];
        const std::size_t name = offset::kChannelNames + 199 * offset::kNameSize;
        // A name that already read "A" is untouched and keeps its bytes; either way it reads A.
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(after.data()) + name;
        named += used && DecodeName(std::span<const std::uint8_t>(bytes, 8)) == "A";
        if (!used && after != before) ++failed;  // an empty channel takes no name: no change
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("images: %ld (record 199 in use in %ld, its name reads A after the set in %ld)\n",
                count, inUse, named);
    std::printf("bytes changed outside record 199 and its name: %ld\n", outside);
    std::printf("failed runs: %ld\n", failed);
    std::printf("time: %.1f s (%.2f ms per set)\n", seconds, 1000.0 * seconds / double(count));
    return outside == 0 && failed == 0 && named == inUse ? 0 : 1;
}
