// The chip models and the emulator harness on their own: a model that let a
// wrong register sequence through would let a wrong loader pass.
#include <gtest/gtest.h>

#include <vector>

#include "chip_models.h"
#include "emulator.h"

using namespace flashsim;
using FC = FlashController;

namespace {

constexpr uint32_t CR = 0x0C, SR = 0x10, CCR = 0x14, KEYR = 0x04;
constexpr uint32_t kBank2 = 0x100;

class FlashModel : public ::testing::Test {
protected:
    Clock clock;
    AccessLog log;
    FC::Timing timing;
    FC flash{clock, log, timing};

    void unlock(uint32_t bank = 0) {
        flash.writeReg(bank + KEYR, FC::kKey1, 4);
        flash.writeReg(bank + KEYR, FC::kKey2, 4);
    }
    uint32_t status(uint32_t bank = 0) { return flash.readReg(bank + SR, 4); }
    void store16(uint32_t offset, uint8_t value) {
        for (uint32_t i = 0; i < 16; i += 4)
            flash.writeFlash(offset + i, value * 0x01010101u, 4);
    }
    void waitIdle() { clock.now += 1000000; }
};

TEST_F(FlashModel, ControlRegisterOpensOnlyToTheKeySequence) {
    flash.writeReg(CR, FC::CR_PG, 4);
    EXPECT_EQ(flash.controlReg(0), FC::CR_LOCK) << "a locked control register ignores writes";
    flash.writeReg(CR, 0, 4);
    EXPECT_TRUE(flash.locked(0)) << "clearing the lock bit does not unlock";

    unlock();
    EXPECT_FALSE(flash.locked(0));
    EXPECT_TRUE(flash.locked(1)) << "each bank has its own lock";
    flash.writeReg(CR, FC::CR_PG, 4);
    EXPECT_EQ(flash.controlReg(0), FC::CR_PG);

    // A wrong key locks the bank until reset, even for the right keys.
    flash.writeReg(kBank2 + KEYR, 0x12345678, 4);
    unlock(kBank2);
    EXPECT_TRUE(flash.locked(1));
    EXPECT_TRUE(log.unexpected.empty());
}

TEST_F(FlashModel, WriteBufferProgramsWhenFullAndOnlyClearsBits) {
    unlock();
    flash.content()[0x20] = 0x0F;
    flash.writeReg(CR, FC::CR_PG, 4);
    for (uint32_t i = 0; i < 12; i += 4)
        flash.writeFlash(0x20 + i, 0x33333333, 4);
    EXPECT_EQ(flash.stats(0).programs, 0u) << "12 of 16 bytes do not start programming";
    EXPECT_TRUE(status() & FC::SR_WBNE);
    EXPECT_EQ(flash.content()[0x21], 0xFF);
    flash.writeFlash(0x2C, 0x33333333, 4);
    EXPECT_EQ(flash.stats(0).programs, 1u);
    EXPECT_EQ(flash.content()[0x20], 0x03) << "programming ANDs into the cells";
    EXPECT_EQ(flash.content()[0x2F], 0x33);
    EXPECT_EQ(flash.content()[0x30], 0xFF);
    EXPECT_EQ(flash.errorFlags(0), 0u);
}

TEST_F(FlashModel, ForceWriteProgramsOnlyTheBytesStored) {
    unlock();
    flash.writeReg(CR, FC::CR_PG, 4);
    flash.writeFlash(0x40, 0x00, 1);
    flash.writeFlash(0x41, 0x11, 1);
    flash.writeReg(CR, FC::CR_PG | FC::CR_FW, 4);
    EXPECT_EQ(flash.stats(0).programs, 1u);
    EXPECT_EQ(flash.stats(0).forcedWrites, 1u);
    EXPECT_EQ(flash.content()[0x40], 0x00);
    EXPECT_EQ(flash.content()[0x41], 0x11);
    EXPECT_EQ(flash.content()[0x42], 0xFF);
    EXPECT_FALSE(flash.bufferPending(0));
}

TEST_F(FlashModel, StoresOutsideTheProgramSequenceAreRefused) {
    unlock();
    // Without the program bit.
    flash.writeFlash(0x100, 0, 4);
    EXPECT_TRUE(flash.errorFlags(0) & FC::SR_PGSERR);
    EXPECT_EQ(flash.content()[0x100], 0xFF);

    // While an error is pending, even with the program bit.
    flash.writeReg(CR, FC::CR_PG, 4);
    store16(0x100, 0);
    EXPECT_EQ(flash.stats(0).programs, 0u);
    flash.writeReg(CCR, 0x0FEF0000, 4);
    EXPECT_EQ(flash.errorFlags(0), 0u);
    store16(0x100, 0);
    EXPECT_EQ(flash.stats(0).programs, 1u);

    // Bytes of two flash words in one buffer.
    waitIdle();
    flash.writeFlash(0x200, 0, 4);
    flash.writeFlash(0x210, 0, 4);
    EXPECT_TRUE(flash.errorFlags(0) & FC::SR_INCERR);
    EXPECT_FALSE(flash.bufferPending(0));
    EXPECT_EQ(flash.content()[0x200], 0xFF);

    // Through the bank that does not hold the address.
    flash.writeReg(CCR, 0x0FEF0000, 4);
    flash.writeFlash(FC::kBankSize, 0, 4);
    EXPECT_TRUE(flash.errorFlags(1) & FC::SR_PGSERR);
}

TEST_F(FlashModel, QueueClearsBeforeBusyAndHoldsOneOperation) {
    unlock();
    flash.writeReg(CR, FC::CR_PG, 4);
    store16(0x00, 0);
    EXPECT_EQ(status() & (FC::SR_QW | FC::SR_BSY), FC::SR_QW | FC::SR_BSY);
    clock.now += timing.queue;
    EXPECT_EQ(status() & (FC::SR_QW | FC::SR_BSY), FC::SR_BSY)
        << "the queue frees once the word is being programmed";

    // A second word waits in the queue behind the first...
    store16(0x10, 0);
    EXPECT_EQ(flash.stats(0).programs, 2u);
    EXPECT_TRUE(status() & FC::SR_QW);
    // ...and a third while it waits is a sequence error.
    store16(0x20, 0);
    EXPECT_EQ(flash.stats(0).programs, 2u);
    EXPECT_TRUE(flash.errorFlags(0) & FC::SR_PGSERR);

    clock.now += 2 * timing.program;
    EXPECT_EQ(status() & (FC::SR_QW | FC::SR_BSY), 0u);
    EXPECT_TRUE(flash.idle()) << "the refused word left nothing behind";
}

TEST_F(FlashModel, SectorAndBankErase) {
    unlock();
    unlock(kBank2);
    std::fill(flash.content().begin(), flash.content().end(), 0x00);

    const uint32_t sector5 = 5u << FC::CR_SNB_SHIFT;
    flash.writeReg(kBank2 + CR, sector5 | FC::CR_SER, 4);
    EXPECT_EQ(flash.stats(1).sectorErases, 0u) << "nothing happens before the start bit";
    flash.writeReg(kBank2 + CR, sector5 | FC::CR_SER | FC::CR_START, 4);
    EXPECT_EQ(flash.controlReg(1) & FC::CR_START, 0u);
    EXPECT_EQ(flash.sectorEraseCount(1, 5), 1u);
    const uint32_t first = FC::kBankSize + 5 * FC::kSectorSize;
    EXPECT_EQ(flash.content()[first - 1], 0x00);
    EXPECT_EQ(flash.content()[first], 0xFF);
    EXPECT_EQ(flash.content()[first + FC::kSectorSize - 1], 0xFF);
    EXPECT_EQ(flash.content()[first + FC::kSectorSize], 0x00);
    EXPECT_EQ(status(kBank2) & FC::SR_BSY, FC::SR_BSY);
    clock.now += timing.sectorErase;
    EXPECT_EQ(status(kBank2) & FC::SR_BSY, 0u);

    flash.writeReg(CR, FC::CR_SER | FC::CR_BER | FC::CR_START, 4);
    EXPECT_TRUE(flash.errorFlags(0) & FC::SR_PGSERR) << "sector and bank erase at once";
    flash.writeReg(CCR, 0x0FAF0000, 4);
    flash.writeReg(CR, FC::CR_BER | FC::CR_START, 4);
    EXPECT_EQ(flash.stats(0).bankErases, 1u);
    EXPECT_EQ(flash.content()[FC::kBankSize - 1], 0xFF);
    EXPECT_EQ(flash.content()[FC::kBankSize], 0x00) << "bank 2 outside its erased sector";

    flash.protectSector(1, 7);
    flash.writeReg(kBank2 + CR, (7u << FC::CR_SNB_SHIFT) | FC::CR_SER | FC::CR_START, 4);
    EXPECT_TRUE(flash.errorFlags(1) & FC::SR_WRPERR);
    EXPECT_EQ(flash.sectorEraseCount(1, 7), 0u);
}

TEST_F(FlashModel, OptionBytesNeedTheirKeyAndChangeOnStart) {
    flash.writeReg(0x2C, 0x11, 4);
    EXPECT_EQ(flash.optionReg(0x2C), 0x000000FFu) << "locked option registers ignore writes";
    EXPECT_EQ(log.unexpected.size(), 1u);
    flash.writeReg(0x18, FC::OPTCR_OPTSTART, 4);
    EXPECT_EQ(flash.optionChanges(), 0u);

    flash.writeReg(0x08, FC::kOptKey1, 4);
    flash.writeReg(0x08, FC::kOptKey2, 4);
    EXPECT_FALSE(flash.optionLocked());
    flash.writeReg(0x2C, 0x11, 4);
    EXPECT_EQ(flash.appliedOptions().at(0x2C), 0x000000FFu) << "in force only after the start";
    flash.writeReg(0x18, FC::OPTCR_OPTSTART, 4);
    EXPECT_EQ(flash.optionChanges(), 1u);
    EXPECT_EQ(flash.appliedOptions().at(0x2C), 0x11u);
    EXPECT_TRUE(flash.readReg(0x1C, 4) & FC::OPTSR_BUSY);
    EXPECT_TRUE(flash.readReg(0x11C, 4) & FC::OPTSR_BUSY);
    clock.now += timing.optionChange;
    EXPECT_FALSE(flash.readReg(0x1C, 4) & FC::OPTSR_BUSY);
}

TEST(WatchdogModel, IndependentWatchdogResetsUnlessReloaded) {
    Clock clock;
    AccessLog log;
    IndependentWatchdog dog(clock, log, "watchdog");
    EXPECT_EQ(dog.deadline(), UINT64_MAX) << "stopped until started";

    dog.write(0x04, 3);
    EXPECT_EQ(dog.prescaler(), 0u) << "prescaler is write-protected without the access key";
    dog.write(0x00, 0x5555);
    dog.write(0x04, 1);
    dog.write(0x08, 9);
    dog.write(0x00, 0xCCCC);
    const uint64_t tick = IndependentWatchdog::kInstructionsPerTick;
    EXPECT_EQ(dog.deadline(), 10 * (4 << 1) * tick);

    clock.now = 1000;
    dog.write(0x00, 0xAAAA);
    EXPECT_EQ(dog.deadline(), 1000 + 10 * (4 << 1) * tick);
    dog.write(0x04, 6);
    EXPECT_EQ(dog.prescaler(), 1u) << "the reload key closes register access";
    dog.write(0x00, 0x5555);
    dog.write(0x04, 6);
    EXPECT_EQ(dog.deadline(), 1000 + 10 * (4 << 6) * tick);
    EXPECT_TRUE(log.unexpected.empty());
}

TEST(WatchdogModel, WindowWatchdogCountsDownAndGuardsItsWindow) {
    Clock clock;
    AccessLog log;
    WindowWatchdog dog(clock, log);
    dog.write(0x04, 0x50);  // window 0x50, fastest timer base
    EXPECT_EQ(dog.deadline(), UINT64_MAX);
    dog.write(0x00, 0x80 | 0x7F);
    EXPECT_TRUE(dog.active());
    EXPECT_EQ(dog.deadline(), 0x40u * 4096);
    clock.now = 3 * 4096;
    EXPECT_EQ(dog.counter(), 0x7Cu);
    dog.write(0x00, 0x7F);
    EXPECT_TRUE(dog.active()) << "only a reset stops it";
    EXPECT_TRUE(dog.refusedRefresh()) << "refresh above the window resets";
    EXPECT_EQ(dog.deadline(), 0u);

    WindowWatchdog slow(clock, log);
    slow.write(0x04, 0x1FF);  // widest window, slowest base
    slow.write(0x00, 0xFF);
    EXPECT_FALSE(slow.refusedRefresh());
    EXPECT_EQ(slow.deadline(), clock.now + 0x40u * (4096u << 3));
}

// The harness calls code the way the programming tool does.
class Harness : public ::testing::Test {
protected:
    static const ElfFile &image() {
        static const ElfFile elf = ElfFile::load(FLASHLOADER_ELF_PATH);
        return elf;
    }
    static constexpr uint32_t kCode = 0x24060000;
    Emulator emu{image(), 0x24070000};

    Emulator::CallResult run(std::vector<uint16_t> code, std::vector<uint32_t> args,
                             uint64_t budget = 1000) {
        std::vector<uint8_t> bytes;
        for (uint16_t c : code) {
            bytes.push_back(uint8_t(c));
            bytes.push_back(uint8_t(c >> 8));
        }
        emu.writeMemory(kCode, bytes);
        return emu.callAt(kCode | 1, args, budget);
    }
};

TEST_F(Harness, PassesArgumentsAndReturnsSixtyFourBits) {
    // adds r0, r0, r1; movs r1, #2; bx lr
    auto r = run({0x1840, 0x2102, 0x4770}, {40, 2});
    ASSERT_TRUE(r.returned) << r.failure;
    EXPECT_EQ(r.value64(), 0x0000000200000000ull | 42);
    EXPECT_EQ(r.instructions, 3u);
}

TEST_F(Harness, ReportsCallsThatDoNotComeBackCleanly) {
    auto loop = run({0xE7FE}, {});  // b .
    EXPECT_FALSE(loop.returned);
    EXPECT_NE(loop.failure.find("budget"), std::string::npos) << loop.failure;

    auto clobber = run({0x2400, 0x4770}, {});  // movs r4, #0; bx lr
    EXPECT_FALSE(clobber.returned);
    EXPECT_NE(clobber.failure.find("r4"), std::string::npos) << clobber.failure;

    auto fault = run({0x6800, 0x4770}, {0x30000000});  // ldr r0, [r0] from nowhere
    EXPECT_FALSE(fault.returned);
}

TEST_F(Harness, CoreReachesTheModels) {
    emu.flash.content()[0x10] = 0x5A;
    auto r = run({0x6800, 0x4770}, {FC::kFlashBase + 0x10});  // ldr r0, [r0]
    ASSERT_TRUE(r.returned) << r.failure;
    EXPECT_EQ(r.r0, 0xFFFFFF5Au);

    // str r1, [r0]: an unmodelled register is noted, the clock register is not.
    r = run({0x6001, 0x4770}, {0x58024000, 1});
    ASSERT_TRUE(r.returned) << r.failure;
    EXPECT_EQ(emu.log.unexpected.size(), 1u);
    r = run({0x6001, 0x4770}, {ClockRegister::kAddress, 0x100});
    ASSERT_TRUE(r.returned) << r.failure;
    EXPECT_EQ(emu.clockRegister.value, 0x100u);
    EXPECT_EQ(emu.log.unexpected.size(), 1u);
}

TEST_F(Harness, StarvedWatchdogStopsTheCall) {
    emu.iwdg1.write(0x00, 0x5555);
    emu.iwdg1.write(0x08, 0);
    emu.iwdg1.write(0x00, 0xCCCC);
    auto r = run({0xE7FE}, {}, 100000);  // b .
    EXPECT_FALSE(r.returned);
    EXPECT_NE(r.failure.find("watchdog"), std::string::npos) << r.failure;
    EXPECT_EQ(r.instructions, 4 * IndependentWatchdog::kInstructionsPerTick);
}

}  // namespace
