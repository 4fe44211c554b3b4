#include "emulator.h"

#include <unicorn/unicorn.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace flashsim {

namespace {

void check(uc_err err, const char *what) {
    if (err != UC_ERR_OK)
        throw std::runtime_error(std::string(what) + ": " + uc_strerror(err));
}

std::string hex(uint64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(v));
    return text;
}

constexpr uint32_t kFlashRegsPage = 0x52002000;
constexpr uint32_t kWatchdogPage = 0x58004000;  // both independent watchdogs
constexpr uint32_t kClockPage = 0x58024000;
constexpr uint32_t kWindowWatchdogPage = 0x40002000;
constexpr uint16_t kBranchToSelf = 0xE7FE;
constexpr uint16_t kReturn = 0x4770;  // bx lr

const int kCalleeSaved[] = {UC_ARM_REG_R4, UC_ARM_REG_R5, UC_ARM_REG_R6, UC_ARM_REG_R7,
                            UC_ARM_REG_R8, UC_ARM_REG_R9, UC_ARM_REG_R10, UC_ARM_REG_R11};

}  // namespace

Emulator::Emulator(const ElfFile &elf, uint32_t loadAddress, FlashController::Timing timing)
    : flash(clock, log, timing), iwdg1(clock, log, "watchdog 1"), iwdg2(clock, log, "watchdog 2"),
      wwdg(clock, log), elf_(elf), loadAddress_(loadAddress) {
    check(uc_open(UC_ARCH_ARM, uc_mode(UC_MODE_THUMB | UC_MODE_MCLASS), &uc_), "uc_open");
    try {
        check(uc_ctl_set_cpu_model(uc_, UC_CPU_ARM_CORTEX_M7), "cpu model");
        check(uc_mem_map(uc_, kDtcm, kDtcmSize, UC_PROT_ALL), "map DTCM");
        check(uc_mem_map(uc_, kAxiSram, kAxiSramSize, UC_PROT_ALL), "map SRAM");
        check(uc_mem_map(uc_, kSystemMemory, kSystemMemorySize, UC_PROT_READ | UC_PROT_EXEC),
              "map system memory");
        installSecureService(false);

        check(uc_mmio_map(
                  uc_, FlashController::kFlashBase, FlashController::kFlashSize,
                  [](uc_engine *, uint64_t off, unsigned size, void *self) -> uint64_t {
                      return static_cast<Emulator *>(self)->flash.readFlash(uint32_t(off), size);
                  },
                  this,
                  [](uc_engine *, uint64_t off, unsigned size, uint64_t value, void *self) {
                      static_cast<Emulator *>(self)->flash.writeFlash(uint32_t(off), value, size);
                  },
                  this),
              "map flash");
        check(uc_mmio_map(
                  uc_, kFlashRegsPage, 0x1000,
                  [](uc_engine *, uint64_t off, unsigned size, void *self) -> uint64_t {
                      return static_cast<Emulator *>(self)->flash.readReg(uint32_t(off), size);
                  },
                  this,
                  [](uc_engine *, uint64_t off, unsigned size, uint64_t value, void *self) {
                      static_cast<Emulator *>(self)->flash.writeReg(uint32_t(off), uint32_t(value),
                                                                    size);
                  },
                  this),
              "map flash registers");
        check(uc_mmio_map(
                  uc_, kWatchdogPage, 0x1000,
                  [](uc_engine *, uint64_t off, unsigned, void *p) -> uint64_t {
                      auto *self = static_cast<Emulator *>(p);
                      if (off >= 0xC00)
                          return self->iwdg2.read(uint32_t(off - 0xC00));
                      if (off >= 0x800)
                          return self->iwdg1.read(uint32_t(off - 0x800));
                      self->log.note("read at " + hex(kWatchdogPage + off));
                      return 0;
                  },
                  this,
                  [](uc_engine *, uint64_t off, unsigned, uint64_t value, void *p) {
                      auto *self = static_cast<Emulator *>(p);
                      if (off >= 0xC00)
                          self->iwdg2.write(uint32_t(off - 0xC00), uint32_t(value));
                      else if (off >= 0x800)
                          self->iwdg1.write(uint32_t(off - 0x800), uint32_t(value));
                      else
                          self->log.note("write at " + hex(kWatchdogPage + off));
                  },
                  this),
              "map watchdogs");
        check(uc_mmio_map(
                  uc_, kWindowWatchdogPage, 0x1000,
                  [](uc_engine *, uint64_t off, unsigned, void *p) -> uint64_t {
                      auto *self = static_cast<Emulator *>(p);
                      if (off >= 0xC00)
                          return self->wwdg.read(uint32_t(off - 0xC00));
                      self->log.note("read at " + hex(kWindowWatchdogPage + off));
                      return 0;
                  },
                  this,
                  [](uc_engine *, uint64_t off, unsigned, uint64_t value, void *p) {
                      auto *self = static_cast<Emulator *>(p);
                      if (off >= 0xC00)
                          self->wwdg.write(uint32_t(off - 0xC00), uint32_t(value));
                      else
                          self->log.note("write at " + hex(kWindowWatchdogPage + off));
                  },
                  this),
              "map window watchdog");
        check(uc_mmio_map(
                  uc_, kClockPage, 0x1000,
                  [](uc_engine *, uint64_t off, unsigned, void *p) -> uint64_t {
                      auto *self = static_cast<Emulator *>(p);
                      if (kClockPage + off == ClockRegister::kAddress)
                          return self->clockRegister.value;
                      self->log.note("read at " + hex(kClockPage + off));
                      return 0;
                  },
                  this,
                  [](uc_engine *, uint64_t off, unsigned, uint64_t value, void *p) {
                      auto *self = static_cast<Emulator *>(p);
                      if (kClockPage + off == ClockRegister::kAddress) {
                          self->clockRegister.value = uint32_t(value);
                          ++self->clockRegister.writes;
                      } else {
                          self->log.note("write at " + hex(kClockPage + off));
                      }
                  },
                  this),
              "map clock registers");

        writeMemory(kReturnAddress, {uint8_t(kBranchToSelf), uint8_t(kBranchToSelf >> 8)});

        // Place the image: every loadable segment keeps its distance from
        // the image start, whatever the load address.
        const uint32_t start = elf.imageStart();
        for (const ElfSegment &seg : elf.segments()) {
            std::vector<uint8_t> bytes = seg.bytes;
            bytes.resize(seg.memSize, 0);
            writeMemory(loadAddress + (seg.vaddr - start), bytes);
        }

        check(uc_hook_add(uc_, &codeHook_, UC_HOOK_CODE, reinterpret_cast<void *>(&onCode), this,
                          1, 0),
              "code hook");
    } catch (...) {
        uc_close(uc_);
        throw;
    }
}

Emulator::~Emulator() { uc_close(uc_); }

uint32_t Emulator::addressOf(const std::string &name) const {
    auto sym = elf_.symbol(name);
    if (!sym)
        throw std::runtime_error("no symbol " + name + " in the loader image");
    return loadAddress_ + (sym->value - elf_.imageStart());
}

void Emulator::writeMemory(uint32_t address, const std::vector<uint8_t> &bytes) {
    check(uc_mem_write(uc_, address, bytes.data(), bytes.size()), "memory write");
    // Code may be written where other code ran before: drop what the
    // emulator translated from there.
    check(uc_ctl_remove_cache(uc_, uint64_t(address), uint64_t(address) + bytes.size()),
          "translation cache");
}

std::vector<uint8_t> Emulator::readMemory(uint32_t address, uint32_t size) {
    std::vector<uint8_t> bytes(size);
    check(uc_mem_read(uc_, address, bytes.data(), size), "memory read");
    return bytes;
}

void Emulator::writeWord(uint32_t address, uint32_t value) {
    writeMemory(address, {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                          uint8_t(value >> 24)});
}

uint32_t Emulator::readWord(uint32_t address) {
    auto b = readMemory(address, 4);
    return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24;
}

void Emulator::installSecureService(bool present) {
    // Blank ROM reads as all ones, which also marks the service as absent.
    std::vector<uint8_t> blank(0x40, 0xFF);
    writeMemory(SecureAreaService::kPresenceWord & ~0x1Fu, blank);
    if (present) {
        writeWord(SecureAreaService::kPresenceWord, 0x00000100);
        writeMemory(SecureAreaService::kEntry & ~1u, {uint8_t(kReturn), uint8_t(kReturn >> 8)});
    }
}

uint64_t Emulator::watchdogDeadline() const {
    return std::min({iwdg1.deadline(), iwdg2.deadline(), wwdg.deadline()});
}

void Emulator::onCode(uc_engine *uc, uint64_t address, uint32_t, void *p) {
    auto *self = static_cast<Emulator *>(p);
    ++self->clock.now;
    if (++self->callInstructions_ > self->budget_) {
        self->stopReason_ = "instruction budget exhausted";
        uc_emu_stop(uc);
        return;
    }
    if (self->clock.now >= self->watchdogDeadline()) {
        self->stopReason_ = "watchdog reset the chip";
        uc_emu_stop(uc);
        return;
    }
    if (address == (SecureAreaService::kEntry & ~1u)) {
        SecureAreaService::Call call{};
        uint32_t r0 = 0, r1 = 0;
        uc_reg_read(uc, UC_ARM_REG_R0, &r0);
        uc_reg_read(uc, UC_ARM_REG_R1, &r1);
        call.areas = r0;
        call.block = r1;
        uc_mem_read(uc, r1, call.words.data(), sizeof call.words);
        call.optionChangeDone = !self->flash.optionBusy();
        self->secureService.calls.push_back(call);
    }
}

Emulator::CallResult Emulator::call(const std::string &entry, const std::vector<uint32_t> &args,
                                    uint64_t budget) {
    return callAt(addressOf(entry) | 1u, args, budget);
}

Emulator::CallResult Emulator::callAt(uint32_t thumbAddress, const std::vector<uint32_t> &args,
                                      uint64_t budget) {
    if (args.size() > 4)
        throw std::invalid_argument("at most four register arguments");
    const int argRegs[] = {UC_ARM_REG_R0, UC_ARM_REG_R1, UC_ARM_REG_R2, UC_ARM_REG_R3};
    for (size_t i = 0; i < 4; ++i) {
        uint32_t v = i < args.size() ? args[i] : 0xDEAD0000u + uint32_t(i);
        check(uc_reg_write(uc_, argRegs[i], &v), "register write");
    }
    uint32_t saved[8];
    for (int i = 0; i < 8; ++i) {
        saved[i] = 0x5A5A0000u + uint32_t(i) * 0x111u;
        check(uc_reg_write(uc_, kCalleeSaved[i], &saved[i]), "register write");
    }
    uint32_t sp = kStackTop, lr = kReturnAddress | 1u;
    check(uc_reg_write(uc_, UC_ARM_REG_SP, &sp), "register write");
    check(uc_reg_write(uc_, UC_ARM_REG_LR, &lr), "register write");

    callInstructions_ = 0;
    budget_ = budget;
    stopReason_.clear();
    const uc_err err = uc_emu_start(uc_, thumbAddress | 1u, kReturnAddress, 0, 0);

    CallResult result;
    result.instructions = callInstructions_;
    uint32_t pc = 0, spAfter = 0;
    uc_reg_read(uc_, UC_ARM_REG_PC, &pc);
    uc_reg_read(uc_, UC_ARM_REG_SP, &spAfter);
    uc_reg_read(uc_, UC_ARM_REG_R0, &result.r0);
    uc_reg_read(uc_, UC_ARM_REG_R1, &result.r1);
    if (err != UC_ERR_OK) {
        result.failure = std::string("emulation stopped: ") + uc_strerror(err) + " at pc " + hex(pc);
    } else if (!stopReason_.empty()) {
        result.failure = stopReason_ + " at pc " + hex(pc);
    } else if ((pc & ~1u) != kReturnAddress) {
        result.failure = "stopped at pc " + hex(pc) + " without returning";
    } else if (spAfter != kStackTop) {
        result.failure = "returned with sp " + hex(spAfter);
    } else {
        for (int i = 0; i < 8; ++i) {
            uint32_t v = 0;
            uc_reg_read(uc_, kCalleeSaved[i], &v);
            if (v != saved[i]) {
                result.failure = "callee-saved register r" + std::to_string(4 + i) + " changed";
                break;
            }
        }
    }
    result.returned = result.failure.empty();
    return result;
}

}  // namespace flashsim
