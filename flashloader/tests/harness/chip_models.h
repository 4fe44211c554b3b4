// Models of the Halvex32 hardware that the flash loader touches, used to run
// the real loader image on an emulated core. They are working models of the
// documented register behaviour (not stand-ins that accept anything): the
// flash controller enforces its lock, key sequence, program bit, write buffer
// and busy timing; the watchdogs count down and reset the chip when starved.
// Their own behaviour is covered by test_models.cpp, since a fault in a model
// could hide a fault in the loader.
//
// Time: the core is taken to retire one instruction per cycle, so every model
// measures time in instructions retired, read from a shared Clock.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace flashsim {

struct Clock {
    uint64_t now = 0;
};

// Collects accesses that no model expects (an unmodelled register, a write
// to a read-only one). A correct loader leaves this empty.
struct AccessLog {
    std::vector<std::string> unexpected;
    void note(const std::string &what) { unexpected.push_back(what); }
};

// Flash operation durations in instructions. The queue bit clears once an operation
// leaves the queue and starts; the busy bit stays until it has finished.
struct FlashTiming {
    uint64_t queue = 6;
    uint64_t program = 60;
    uint64_t sectorErase = 900;
    uint64_t bankErase = 20000;
    uint64_t optionChange = 500;
};

class FlashController {
public:
    static constexpr uint32_t kRegBase = 0x52002000;
    static constexpr uint32_t kFlashBase = 0x08000000;
    static constexpr uint32_t kBankSize = 0x100000;
    static constexpr uint32_t kFlashSize = 2 * kBankSize;
    static constexpr uint32_t kSectorSize = 0x2000;
    static constexpr uint32_t kSectorsPerBank = kBankSize / kSectorSize;

    static constexpr uint32_t kKey1 = 0x45670123, kKey2 = 0xCDEF89AB;
    static constexpr uint32_t kOptKey1 = 0x08192A3B, kOptKey2 = 0x4C5D6E7F;

    // Control register bits.
    static constexpr uint32_t CR_LOCK = 1u << 0, CR_PG = 1u << 1, CR_SER = 1u << 2,
                              CR_BER = 1u << 3, CR_FW = 1u << 4, CR_START = 1u << 5;
    static constexpr uint32_t CR_SNB_SHIFT = 6, CR_SNB_MASK = 0x7Fu << 6;
    // Status register bits. Error flags live in 16..27 and are cleared by
    // writing ones to the flag-clear register.
    static constexpr uint32_t SR_BSY = 1u << 0, SR_WBNE = 1u << 1, SR_QW = 1u << 2;
    static constexpr uint32_t SR_WRPERR = 1u << 17;  // erase/program of a protected sector
    static constexpr uint32_t SR_PGSERR = 1u << 18;  // programming sequence error
    static constexpr uint32_t SR_INCERR = 1u << 21;  // write buffer mixed two flash words
    static constexpr uint32_t SR_ERRORS = SR_WRPERR | SR_PGSERR | SR_INCERR;
    static constexpr uint32_t OPTCR_OPTLOCK = 1u << 0, OPTCR_OPTSTART = 1u << 1;
    static constexpr uint32_t OPTSR_BUSY = 1u << 0;

    using Timing = FlashTiming;

    struct Stats {
        unsigned programs = 0;      // flash words programmed (full or forced)
        unsigned forcedWrites = 0;  // of which forced out partly filled
        unsigned sectorErases = 0;
        unsigned bankErases = 0;
    };

    FlashController(const Clock &clock, AccessLog &log, Timing timing = {});

    // Bus side, offsets from kRegBase / kFlashBase.
    uint32_t readReg(uint32_t offset, unsigned size);
    void writeReg(uint32_t offset, uint32_t value, unsigned size);
    uint64_t readFlash(uint32_t offset, unsigned size) const;
    void writeFlash(uint32_t offset, uint64_t value, unsigned size);

    // Host side, for tests.
    std::vector<uint8_t> &content() { return flash_; }
    const std::vector<uint8_t> &content() const { return flash_; }
    bool locked(int bank) const { return banks_[bank].cr & CR_LOCK; }
    uint32_t controlReg(int bank) const { return banks_[bank].cr; }
    uint32_t errorFlags(int bank) const { return banks_[bank].flags; }
    void raiseFlags(int bank, uint32_t flags) { banks_[bank].flags |= flags; }
    bool busy(int bank) const;
    bool queued(int bank) const;
    bool bufferPending(int bank) const { return banks_[bank].bufMask != 0; }
    // An operation, or buffered data not yet programmed, in either bank.
    bool idle() const;
    const Stats &stats(int bank) const { return banks_[bank].stats; }
    unsigned sectorEraseCount(int bank, unsigned sector) const {
        return banks_[bank].sectorErases[sector];
    }
    void protectSector(int bank, unsigned sector) { banks_[bank].protectedSectors[sector] = true; }
    uint32_t accessControl() const { return acr_; }

    // Option bytes.
    bool optionLocked() const { return optcr_ & OPTCR_OPTLOCK; }
    bool optionBusy() const;
    uint32_t optionReg(uint32_t offset) const { return optionRegs_.at(offset); }
    void setOptionReg(uint32_t offset, uint32_t value) { optionRegs_.at(offset) = value; }
    unsigned optionChanges() const { return optionChanges_; }
    // Option values in force: the reset values, then those taken by the
    // last option change.
    const std::map<uint32_t, uint32_t> &appliedOptions() const { return applied_; }
    unsigned optionWrites() const { return optionWrites_; }
    static bool isOptionProgramReg(uint32_t offset);

private:
    struct Bank {
        uint32_t cr = CR_LOCK;
        uint32_t flags = 0;
        int keyStage = 0;
        bool keyLockedOut = false;
        uint32_t bufWord = 0;  // flash offset of the flash word being filled
        std::array<uint8_t, 16> buf{};
        uint16_t bufMask = 0;
        uint64_t busyUntil = 0;
        uint64_t queueUntil = 0;
        Stats stats;
        std::array<unsigned, kSectorsPerBank> sectorErases{};
        std::array<bool, kSectorsPerBank> protectedSectors{};
    };

    bool submit(int bank, uint64_t duration);  // false when the queue is taken
    void programBuffer(int bank, bool forced);
    void startErase(int bank, uint32_t cr);
    void writeControl(int bank, uint32_t value);
    void writeKey(int bank, uint32_t value);
    void writeOptionKey(uint32_t value);
    void writeOptionControl(uint32_t value);
    void unexpected(const char *what, uint32_t offset);

    const Clock &clock_;
    AccessLog &log_;
    Timing timing_;
    std::vector<uint8_t> flash_;
    std::array<Bank, 2> banks_;
    uint32_t acr_ = 0x10;  // wait-state field (bits 0-3) at 0 after reset
    uint32_t optcr_ = OPTCR_OPTLOCK;
    int optKeyStage_ = 0;
    bool optKeyLockedOut_ = false;
    uint64_t optionBusyUntil_ = 0;
    unsigned optionChanges_ = 0;
    unsigned optionWrites_ = 0;
    std::map<uint32_t, uint32_t> optionRegs_;
    std::map<uint32_t, uint32_t> applied_;
};

// Independent watchdog: key register at 0x00 (0xCCCC starts it, 0xAAAA
// reloads it, 0x5555 opens the prescaler and reload registers), prescaler at
// 0x04 (divider 4 << PR), reload at 0x08. It runs from a 32 kHz clock, one
// tick per 2000 instructions of a 64 MHz core. Once started it cannot stop.
class IndependentWatchdog {
public:
    static constexpr uint64_t kInstructionsPerTick = 2000;

    IndependentWatchdog(const Clock &clock, AccessLog &log, std::string name);
    uint32_t read(uint32_t offset);
    void write(uint32_t offset, uint32_t value);

    bool running() const { return running_; }
    uint32_t prescaler() const { return pr_; }
    uint32_t reloadValue() const { return rlr_; }
    unsigned refreshes() const { return refreshes_; }
    // Instruction count at which the chip resets unless reloaded before.
    uint64_t deadline() const;

private:
    const Clock &clock_;
    AccessLog &log_;
    std::string name_;
    bool running_ = false;
    bool access_ = false;
    uint32_t pr_ = 0;
    uint32_t rlr_ = 0xFFF;
    uint64_t lastReload_ = 0;
    unsigned refreshes_ = 0;
};

// Window watchdog: control at 0x00 (counter in bits 0-6, bit 7 activates and
// only a reset clears it), configuration at 0x04 (window in bits 0-6, timer
// base 2^n in bits 7-8, early-wake interrupt enable in bit 9). The counter
// falls by one every 4096 << base instructions; the chip resets when it falls
// below 0x40 or when it is refreshed while above the window.
class WindowWatchdog {
public:
    WindowWatchdog(const Clock &clock, AccessLog &log);
    uint32_t read(uint32_t offset);
    void write(uint32_t offset, uint32_t value);

    bool active() const { return active_; }
    uint32_t config() const { return cfr_; }
    uint32_t counter() const;
    uint64_t deadline() const;
    // A refresh outside the window resets the chip at once.
    bool refusedRefresh() const { return refusedRefresh_; }

private:
    uint64_t period() const { return 4096ull << ((cfr_ >> 7) & 3); }
    const Clock &clock_;
    AccessLog &log_;
    bool active_ = false;
    uint32_t cfr_ = 0x7F;
    uint32_t counterAtMark_ = 0x7F;
    uint64_t mark_ = 0;
    bool refusedRefresh_ = false;
};

// The clock register written by Init; every other register of its page is
// outside the loader's business.
struct ClockRegister {
    static constexpr uint32_t kAddress = 0x58024594;
    uint32_t value = 0;
    unsigned writes = 0;
};

// The ROM's secure-area service: its presence word and entry point. The
// emulator runs a real return instruction at the entry and records the
// arguments and the parameter block it was handed.
struct SecureAreaService {
    static constexpr uint32_t kPresenceWord = 0x1FF089B3;
    static constexpr uint32_t kEntry = 0x1FF089DF;  // Thumb
    struct Call {
        uint32_t areas;
        uint32_t block;
        std::array<uint32_t, 6> words;
        bool optionChangeDone;  // the option change had finished by then
    };
    std::vector<Call> calls;
};

}  // namespace flashsim
