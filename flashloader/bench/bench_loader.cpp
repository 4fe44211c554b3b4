// Instructions the loader executes per unit of work, counted on the emulated
// core. The chip programs a flash word in microseconds, so the loader's own
// work per 16 bytes must stay small beside it (target: under 150).
//
// "Loader work" runs against a flash that finishes every operation at once,
// so the count is the loader's code alone; "with flash timing" adds the
// polling while the modelled flash is busy.
#include <cstdio>
#include <exception>
#include <random>
#include <vector>

#include "emulator.h"

using namespace flashsim;

namespace {

constexpr uint32_t kLoadAddress = 0x24070000;
constexpr uint32_t kBuffer = Emulator::kAxiSram;
constexpr uint32_t kSize = 64 * 1024;

struct Figures {
    double writePerFlashWord, checkSumPerByte, verifyPerWord;
};

bool measure(const ElfFile &elf, FlashController::Timing timing, Figures &out) {
    Emulator emu(elf, kLoadAddress, timing);
    std::mt19937 gen(42);
    std::vector<uint8_t> data(kSize);
    for (auto &b : data)
        b = uint8_t(gen());
    emu.writeMemory(kBuffer, data);

    auto run = [&](const char *name, std::vector<uint32_t> args, uint64_t &count) {
        auto r = emu.call(name, args, 50000000);
        if (!r.returned) {
            std::fprintf(stderr, "%s: %s\n", name, r.failure.c_str());
            return false;
        }
        count = r.instructions;
        return true;
    };
    uint64_t init = 0, write = 0, sum = 0, verify = 0;
    if (!run("Init", {}, init) || !run("Write", {FlashController::kFlashBase, kSize, kBuffer}, write) ||
        !run("CheckSum", {FlashController::kFlashBase, kSize, 0}, sum) ||
        !run("Verify", {FlashController::kFlashBase, kBuffer, kSize / 4, 0}, verify))
        return false;
    out.writePerFlashWord = double(write) / (kSize / 16);
    out.checkSumPerByte = double(sum) / kSize;
    out.verifyPerWord = double(verify) / (kSize / 4);
    return true;
}

}  // namespace

int main() {
    try {
        const ElfFile elf = ElfFile::load(FLASHLOADER_ELF_PATH);
        FlashController::Timing instant{1, 1, 1, 1, 1};
        Figures own{}, timed{};
        if (!measure(elf, instant, own) || !measure(elf, FlashController::Timing{}, timed))
            return 1;
        std::printf("mcu-flashloader, 64 KiB at 0x08000000, instructions executed\n");
        std::printf("%-30s %14s %18s\n", "", "loader work", "with flash timing");
        std::printf("%-30s %14.2f %18.2f\n", "Write, per 16-byte flash word", own.writePerFlashWord,
                    timed.writePerFlashWord);
        std::printf("%-30s %14.3f %18.3f\n", "CheckSum, per byte", own.checkSumPerByte,
                    timed.checkSumPerByte);
        std::printf("%-30s %14.3f %18.3f\n", "Verify, per 32-bit word", own.verifyPerWord,
                    timed.verifyPerWord);
        std::printf("Write target: under 150 instructions per flash word of loader work: %s\n",
                    own.writePerFlashWord < 150 ? "met" : "MISSED");
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "flashloader_bench: %s\n", e.what());
        return 1;
    }
}
