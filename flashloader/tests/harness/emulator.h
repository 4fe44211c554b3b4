// Runs the loader image on an emulated Cortex-M7 with the chip models mapped
// at their bus addresses, and calls its entry points the way a programming
// tool does: arguments in r0-r3, the return address in LR, the result in r0
// (r0:r1 for 64-bit results).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "chip_models.h"
#include "elf_file.h"

struct uc_struct;

namespace flashsim {

class Emulator {
public:
    static constexpr uint32_t kDtcm = 0x20000000, kDtcmSize = 0x20000;
    static constexpr uint32_t kAxiSram = 0x24000000, kAxiSramSize = 0x80000;
    static constexpr uint32_t kSystemMemory = 0x1FF00000, kSystemMemorySize = 0x20000;
    static constexpr uint32_t kStackTop = 0x2001FF00;
    static constexpr uint32_t kReturnAddress = 0x2001FFF0;  // holds a branch-to-self
    static constexpr uint64_t kDefaultBudget = 2000000;

    struct CallResult {
        bool returned = false;  // came back to LR with callee-saved registers intact
        uint32_t r0 = 0, r1 = 0;
        uint64_t instructions = 0;
        std::string failure;  // why it did not return
        uint64_t value64() const { return uint64_t(r1) << 32 | r0; }
    };

    // Loads the image so that its first byte lands at loadAddress.
    Emulator(const ElfFile &elf, uint32_t loadAddress, FlashController::Timing timing = {});
    ~Emulator();
    Emulator(const Emulator &) = delete;
    Emulator &operator=(const Emulator &) = delete;

    CallResult call(const std::string &entry, const std::vector<uint32_t> &args,
                    uint64_t budget = kDefaultBudget);
    CallResult callAt(uint32_t thumbAddress, const std::vector<uint32_t> &args,
                      uint64_t budget = kDefaultBudget);

    // Run-time address of an image symbol (functions keep their Thumb bit).
    uint32_t addressOf(const std::string &symbol) const;
    uint32_t loadAddress() const { return loadAddress_; }

    void writeMemory(uint32_t address, const std::vector<uint8_t> &bytes);
    std::vector<uint8_t> readMemory(uint32_t address, uint32_t size);
    void writeWord(uint32_t address, uint32_t value);
    uint32_t readWord(uint32_t address);
    // Puts the secure-area service into the ROM (presence word and entry), or
    // leaves the ROM blank there, as on parts without it.
    void installSecureService(bool present);

    Clock clock;
    AccessLog log;
    FlashController flash;
    IndependentWatchdog iwdg1, iwdg2;
    WindowWatchdog wwdg;
    ClockRegister clockRegister;
    SecureAreaService secureService;

private:
    static void onCode(uc_struct *uc, uint64_t address, uint32_t size, void *self);
    uint64_t watchdogDeadline() const;

    const ElfFile &elf_;
    uint32_t loadAddress_;
    uc_struct *uc_ = nullptr;
    size_t codeHook_ = 0;
    uint64_t callInstructions_ = 0;
    uint64_t budget_ = 0;
    std::string stopReason_;
};

}  // namespace flashsim
