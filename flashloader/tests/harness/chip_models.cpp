#include "chip_models.h"

#include <algorithm>
#include <cstdio>

namespace flashsim {

namespace {

std::string hex(uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", v);
    return text;
}

// The option-byte program registers the loader may write, with the values
// they hold after reset (areas empty: start above end).
const std::map<uint32_t, uint32_t> kOptionResetValues = {
    {0x20, 0x1C6AAF0C}, {0x2C, 0x000000FF}, {0x34, 0x000000FF}, {0x3C, 0x000000FF},
    {0x44, 0x1FF00800}, {0x4C, 0x00000000}, {0x12C, 0x000000FF}, {0x134, 0x000000FF},
    {0x13C, 0x000000FF}, {0x14C, 0x00000000},
};

}  // namespace

FlashController::FlashController(const Clock &clock, AccessLog &log, Timing timing)
    : clock_(clock), log_(log), timing_(timing), flash_(kFlashSize, 0xFF),
      optionRegs_(kOptionResetValues), applied_(kOptionResetValues) {}

bool FlashController::isOptionProgramReg(uint32_t offset) {
    return kOptionResetValues.count(offset) != 0;
}

bool FlashController::busy(int bank) const { return clock_.now < banks_[bank].busyUntil; }
bool FlashController::queued(int bank) const { return clock_.now < banks_[bank].queueUntil; }
bool FlashController::optionBusy() const { return clock_.now < optionBusyUntil_; }

bool FlashController::idle() const {
    for (int b = 0; b < 2; ++b)
        if (busy(b) || queued(b) || banks_[b].bufMask)
            return false;
    return !optionBusy();
}

void FlashController::unexpected(const char *what, uint32_t offset) {
    log_.note(std::string("flash controller: ") + what + " at offset " + hex(offset));
}

uint32_t FlashController::readReg(uint32_t offset, unsigned size) {
    if (size != 4 || offset % 4) {
        unexpected("non-word register read", offset);
        return 0;
    }
    const int bank = offset >= 0x100 ? 1 : 0;
    const uint32_t reg = offset & 0xFF;
    if (offset == 0x00)
        return acr_;
    if (offset == 0x18)
        return optcr_;
    if (isOptionProgramReg(offset))
        return optionRegs_[offset];
    switch (reg) {
    case 0x04:
    case 0x14:
        return 0;  // key and flag-clear registers read as zero
    case 0x0C:
        return banks_[bank].cr;
    case 0x10:
        return (busy(bank) ? SR_BSY : 0) | (banks_[bank].bufMask ? SR_WBNE : 0) |
               (queued(bank) ? SR_QW : 0) | banks_[bank].flags;
    case 0x1C: {
        // Both banks show the shared option status; bit 0 is the busy bit.
        return (applied_.at(0x20) & ~OPTSR_BUSY) | (optionBusy() ? OPTSR_BUSY : 0);
    }
    default:
        unexpected("read of unmodelled register", offset);
        return 0;
    }
}

void FlashController::writeReg(uint32_t offset, uint32_t value, unsigned size) {
    if (size != 4 || offset % 4) {
        unexpected("non-word register write", offset);
        return;
    }
    const int bank = offset >= 0x100 ? 1 : 0;
    const uint32_t reg = offset & 0xFF;
    if (offset == 0x00) {
        acr_ = value;
        return;
    }
    if (offset == 0x08) {
        writeOptionKey(value);
        return;
    }
    if (offset == 0x18) {
        writeOptionControl(value);
        return;
    }
    if (isOptionProgramReg(offset)) {
        // Write-protected until the option key sequence has been given.
        if (optionLocked()) {
            unexpected("option register write while option bytes locked", offset);
            return;
        }
        optionRegs_[offset] = value;
        ++optionWrites_;
        return;
    }
    switch (reg) {
    case 0x04:
        writeKey(bank, value);
        return;
    case 0x0C:
        writeControl(bank, value);
        return;
    case 0x14:
        banks_[bank].flags &= ~value;
        return;
    default:
        unexpected("write to unmodelled or read-only register", offset);
    }
}

void FlashController::writeKey(int bank, uint32_t value) {
    Bank &b = banks_[bank];
    if (b.keyLockedOut)
        return;
    if (b.keyStage == 0 && value == kKey1) {
        b.keyStage = 1;
    } else if (b.keyStage == 1 && value == kKey2) {
        b.keyStage = 0;
        b.cr &= ~CR_LOCK;
    } else {
        // A wrong key blocks the control register until the next reset.
        b.keyLockedOut = true;
        b.cr |= CR_LOCK;
    }
}

void FlashController::writeOptionKey(uint32_t value) {
    if (optKeyLockedOut_)
        return;
    if (optKeyStage_ == 0 && value == kOptKey1) {
        optKeyStage_ = 1;
    } else if (optKeyStage_ == 1 && value == kOptKey2) {
        optKeyStage_ = 0;
        optcr_ &= ~OPTCR_OPTLOCK;
    } else {
        optKeyLockedOut_ = true;
        optcr_ |= OPTCR_OPTLOCK;
    }
}

void FlashController::writeOptionControl(uint32_t value) {
    if (optionLocked())
        return;  // only the key sequence opens it
    if (value & OPTCR_OPTLOCK)
        optcr_ |= OPTCR_OPTLOCK;
    if ((value & OPTCR_OPTSTART) && !optionBusy()) {
        applied_ = optionRegs_;
        ++optionChanges_;
        optionBusyUntil_ = clock_.now + timing_.optionChange;
    }
}

void FlashController::writeControl(int bank, uint32_t value) {
    Bank &b = banks_[bank];
    if (b.cr & CR_LOCK)
        return;  // ignored until the key sequence unlocks it
    const uint32_t old = b.cr;
    b.cr = value & ~CR_START;  // start is a trigger and reads back as 0
    if ((value & CR_FW) && !(old & CR_FW) && b.bufMask)
        programBuffer(bank, true);
    if (value & CR_START)
        startErase(bank, value);
}

bool FlashController::submit(int bank, uint64_t duration) {
    Bank &b = banks_[bank];
    if (queued(bank)) {
        b.flags |= SR_PGSERR;  // the single queue slot is still taken
        return false;
    }
    const uint64_t start = std::max(clock_.now, b.busyUntil);
    b.queueUntil = start + timing_.queue;
    b.busyUntil = start + std::max(duration, timing_.queue);
    return true;
}

void FlashController::programBuffer(int bank, bool forced) {
    Bank &b = banks_[bank];
    const uint32_t word = b.bufWord;
    const uint16_t mask = b.bufMask;
    const auto data = b.buf;
    b.bufMask = 0;
    b.buf.fill(0xFF);
    if (b.protectedSectors[(word % kBankSize) / kSectorSize]) {
        b.flags |= SR_WRPERR;
        return;
    }
    if (!submit(bank, timing_.program))
        return;
    // Flash cells only go from 1 to 0 when programmed.
    for (unsigned i = 0; i < 16; ++i)
        if (mask & (1u << i))
            flash_[word + i] &= data[i];
    ++b.stats.programs;
    if (forced)
        ++b.stats.forcedWrites;
}

void FlashController::startErase(int bank, uint32_t cr) {
    Bank &b = banks_[bank];
    const bool sector = cr & CR_SER, whole = cr & CR_BER;
    if ((cr & CR_PG) || sector == whole || (b.flags & SR_ERRORS)) {
        b.flags |= SR_PGSERR;
        return;
    }
    const uint32_t bankStart = bank * kBankSize;
    if (sector) {
        const unsigned n = (cr & CR_SNB_MASK) >> CR_SNB_SHIFT;
        if (b.protectedSectors[n]) {
            b.flags |= SR_WRPERR;
            return;
        }
        if (!submit(bank, timing_.sectorErase))
            return;
        std::fill_n(flash_.begin() + bankStart + n * kSectorSize, kSectorSize, 0xFF);
        ++b.sectorErases[n];
        ++b.stats.sectorErases;
    } else {
        if (std::any_of(b.protectedSectors.begin(), b.protectedSectors.end(),
                        [](bool p) { return p; })) {
            b.flags |= SR_WRPERR;
            return;
        }
        if (!submit(bank, timing_.bankErase))
            return;
        std::fill_n(flash_.begin() + bankStart, kBankSize, 0xFF);
        ++b.stats.bankErases;
    }
}

uint64_t FlashController::readFlash(uint32_t offset, unsigned size) const {
    uint64_t value = 0;
    for (unsigned i = 0; i < size && offset + i < kFlashSize; ++i)
        value |= uint64_t(flash_[offset + i]) << (8 * i);
    return value;
}

void FlashController::writeFlash(uint32_t offset, uint64_t value, unsigned size) {
    const int bank = offset >= kBankSize ? 1 : 0;
    Bank &b = banks_[bank];
    // A store reaches the write buffer only with the program bit set in the
    // addressed bank and no error pending.
    if ((b.cr & CR_LOCK) || !(b.cr & CR_PG) || (b.flags & SR_ERRORS)) {
        b.flags |= SR_PGSERR;
        return;
    }
    for (unsigned i = 0; i < size; ++i) {
        const uint32_t at = offset + i;
        const uint32_t word = at & ~15u;
        if (b.bufMask && word != b.bufWord) {
            // Bytes of two flash words in one buffer: both are dropped.
            b.flags |= SR_INCERR;
            b.bufMask = 0;
            b.buf.fill(0xFF);
            return;
        }
        b.bufWord = word;
        b.buf[at & 15] = uint8_t(value >> (8 * i));
        b.bufMask |= uint16_t(1u << (at & 15));
    }
    if (b.bufMask == 0xFFFF)
        programBuffer(bank, false);
}

IndependentWatchdog::IndependentWatchdog(const Clock &clock, AccessLog &log, std::string name)
    : clock_(clock), log_(log), name_(std::move(name)) {}

uint64_t IndependentWatchdog::deadline() const {
    if (!running_)
        return UINT64_MAX;
    return lastReload_ + uint64_t(rlr_ + 1) * (4ull << pr_) * kInstructionsPerTick;
}

uint32_t IndependentWatchdog::read(uint32_t offset) {
    switch (offset) {
    case 0x04:
        return pr_;
    case 0x08:
        return rlr_;
    case 0x0C:
        return 0;  // no register update in progress
    default:
        log_.note(name_ + ": read of unmodelled register " + hex(offset));
        return 0;
    }
}

void IndependentWatchdog::write(uint32_t offset, uint32_t value) {
    switch (offset) {
    case 0x00:
        value &= 0xFFFF;
        access_ = value == 0x5555;
        if (value == 0xCCCC && !running_) {
            running_ = true;
            lastReload_ = clock_.now;
        } else if (value == 0xAAAA) {
            lastReload_ = clock_.now;
            ++refreshes_;
        }
        return;
    case 0x04:
        if (access_)
            pr_ = value & 7;
        return;
    case 0x08:
        if (access_)
            rlr_ = value & 0xFFF;
        return;
    default:
        log_.note(name_ + ": write to unmodelled register " + hex(offset));
    }
}

WindowWatchdog::WindowWatchdog(const Clock &clock, AccessLog &log) : clock_(clock), log_(log) {}

uint32_t WindowWatchdog::counter() const {
    if (!active_)
        return counterAtMark_;
    const uint64_t ticks = (clock_.now - mark_) / period();
    return ticks >= counterAtMark_ ? 0 : uint32_t(counterAtMark_ - ticks);
}

uint64_t WindowWatchdog::deadline() const {
    if (refusedRefresh_)
        return 0;
    if (!active_)
        return UINT64_MAX;
    if (counterAtMark_ < 0x40)
        return mark_;
    return mark_ + uint64_t(counterAtMark_ - 0x3F) * period();
}

uint32_t WindowWatchdog::read(uint32_t offset) {
    switch (offset) {
    case 0x00:
        return (active_ ? 0x80 : 0) | counter();
    case 0x04:
        return cfr_;
    default:
        log_.note("window watchdog: read of unmodelled register " + hex(offset));
        return 0;
    }
}

void WindowWatchdog::write(uint32_t offset, uint32_t value) {
    switch (offset) {
    case 0x00:
        if (active_ && counter() > (cfr_ & 0x7F))
            refusedRefresh_ = true;
        active_ = active_ || (value & 0x80);
        counterAtMark_ = value & 0x7F;
        mark_ = clock_.now;
        return;
    case 0x04:
        // Keep the count reached so far when the timer base changes.
        counterAtMark_ = counter();
        mark_ = clock_.now;
        cfr_ = value & 0x3FF;
        return;
    default:
        log_.note("window watchdog: write to unmodelled register " + hex(offset));
    }
}

}  // namespace flashsim
