// The real loader image, run on the emulated chip and called as the
// programming tool calls it. Every test runs with the image at two RAM
// addresses and expects the same outcome: the loader must not depend on
// where it was placed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "emulator.h"

using namespace flashsim;
using FC = FlashController;

namespace {

const ElfFile &loaderImage() {
    static const ElfFile elf = ElfFile::load(FLASHLOADER_ELF_PATH);
    return elf;
}

constexpr uint32_t kFlash = FC::kFlashBase;
constexpr uint32_t kBank2 = kFlash + FC::kBankSize;
constexpr uint32_t kFlashEnd = kFlash + FC::kFlashSize;
constexpr uint32_t kBuffer = Emulator::kAxiSram;  // the tool's data buffer
constexpr uint32_t kOptionRegs = FC::kRegBase;
constexpr uint32_t kSecureBlock = 0x20005004;

std::vector<uint8_t> randomBytes(size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<uint8_t> out(n);
    for (auto &b : out)
        b = uint8_t(gen());
    return out;
}

uint32_t byteSum(const uint8_t *p, size_t n, uint32_t init = 0) {
    return std::accumulate(p, p + n, init, [](uint32_t s, uint8_t b) { return s + b; });
}

std::vector<uint8_t> le32(std::initializer_list<uint32_t> words) {
    std::vector<uint8_t> out;
    for (uint32_t w : words)
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(w >> (8 * i)));
    return out;
}

class Loader : public ::testing::TestWithParam<uint32_t> {
protected:
    void SetUp() override { start(); }

    void start(FC::Timing timing = {}) {
        emu = std::make_unique<Emulator>(loaderImage(), GetParam(), timing);
    }

    // Calls an entry point and insists it came back within its budget, with
    // the flash controller idle and no access the models do not expect.
    Emulator::CallResult call(const std::string &name, const std::vector<uint32_t> &args,
                              uint64_t budget = Emulator::kDefaultBudget) {
        auto r = emu->call(name, args, budget);
        EXPECT_TRUE(r.returned) << name << ": " << r.failure;
        EXPECT_TRUE(emu->flash.idle()) << name << " returned with the flash still working";
        for (const auto &what : emu->log.unexpected)
            ADD_FAILURE() << name << ": " << what;
        emu->log.unexpected.clear();
        return r;
    }

    void init() { ASSERT_EQ(call("Init", {}).r0, 1u); }

    std::vector<uint8_t> &flash() { return emu->flash.content(); }
    uint8_t *flashAt(uint32_t address) { return &flash()[address - kFlash]; }

    std::unique_ptr<Emulator> emu;
};

// Two RAM addresses, neither of them the one the image was linked for.
const auto kPlacements = ::testing::Values(0x20010000u, 0x24070000u);

std::string placementName(const ::testing::TestParamInfo<uint32_t> &info) {
    char name[24];
    std::snprintf(name, sizeof name, "at_0x%08X", info.param);
    return name;
}

INSTANTIATE_TEST_SUITE_P(Placed, Loader, kPlacements, placementName);

// --- Image and descriptor -------------------------------------------------

TEST_P(Loader, ImageEntersAtInitAndHoldsNoGot) {
    const ElfFile &elf = loaderImage();
    auto init = elf.symbol("Init");
    ASSERT_TRUE(init);
    EXPECT_EQ(elf.entry(), init->value);
    EXPECT_EQ(elf.fileType(), 2) << "an executable, not a shared object";
    for (const char *name : {".got", ".got.plt", ".dynamic", ".rel.dyn", ".data", ".bss"})
        EXPECT_EQ(elf.section(name), nullptr) << name;
    for (const char *name : {"Write", "WriteOB", "MassErase", "SectorErase", "CheckSum",
                             "Verify"})
        EXPECT_TRUE(elf.symbol(name)) << name;
}

TEST_P(Loader, DescriptorIsTwoHundredBytesAtNaturalAlignment) {
    const ElfFile &elf = loaderImage();
    auto sym = elf.symbol("StorageInfo");
    ASSERT_TRUE(sym);
    EXPECT_EQ(sym->size, 200u);
    EXPECT_EQ(sym->value % 4, 0u);
    const ElfSection *own = elf.section(".device_info");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->addr, sym->value);
    EXPECT_EQ(own->size, 200u);

    // The tool may read it from the file or from the loaded image.
    const auto d = elf.read(sym->value, 200);
    EXPECT_EQ(emu->readMemory(emu->addressOf("StorageInfo"), 200), d);

    auto u32 = [&](size_t at) { uint32_t v; std::memcpy(&v, &d[at], 4); return v; };
    const std::string name(reinterpret_cast<const char *>(d.data()), 100);
    EXPECT_EQ(name, std::string("mcu-flashloader") + std::string(100 - 15, '\0'));
    EXPECT_EQ(d[100] | d[101] << 8, 1);
    EXPECT_EQ(u32(104), 0x08000000u);
    EXPECT_EQ(u32(108), 0x00200000u);
    EXPECT_EQ(u32(112), 0x1000u);
    EXPECT_EQ(d[116], 0xFF);
    EXPECT_EQ(u32(120), 256u);
    EXPECT_EQ(u32(124), 0x2000u);
    for (size_t at = 128; at < 200; ++at)
        EXPECT_EQ(d[at], 0) << "sector list ends with zeros, at byte " << at;
}

// --- Init -----------------------------------------------------------------

TEST_P(Loader, InitUnlocksBothBanksAndSetsClockAndWaitStates) {
    emu->flash.raiseFlags(0, FC::SR_PGSERR);
    emu->flash.raiseFlags(1, FC::SR_INCERR);
    EXPECT_EQ(call("Init", {}).r0, 1u);
    EXPECT_EQ(emu->clockRegister.value, 0x100u);
    EXPECT_EQ(emu->flash.accessControl(), 0x17u) << "wait states 7, other bits kept";
    EXPECT_FALSE(emu->flash.locked(0));
    EXPECT_FALSE(emu->flash.locked(1));
    EXPECT_EQ(emu->flash.errorFlags(0), 0u);
    EXPECT_EQ(emu->flash.errorFlags(1), 0u);

    // Called again on unlocked banks: no key is written, nothing locks.
    EXPECT_EQ(call("Init", {}).r0, 1u);
    EXPECT_FALSE(emu->flash.locked(0));
    EXPECT_FALSE(emu->flash.locked(1));
}

TEST_P(Loader, InitReportsABankItCannotUnlock) {
    emu->flash.writeReg(0x104, 0xBAD, 4);  // bank 2 refuses keys until reset
    EXPECT_EQ(call("Init", {}).r0, 0u);
    EXPECT_FALSE(emu->flash.locked(0));
}

// --- Write ----------------------------------------------------------------

struct WriteCase {
    const char *what;
    uint32_t address, size;
    unsigned programs1, forced1, programs2, forced2;
};

TEST_P(Loader, WriteProgramsExactlyTheRange) {
    const WriteCase cases[] = {
        {"one flash word", kFlash, 16, 1, 0, 0, 0},
        {"40 bytes across the banks", 0x080FFFF0, 40, 1, 0, 2, 1},
        {"length not a multiple of 16", kFlash + 0x100, 20, 2, 1, 0, 0},
        {"start inside a flash word", kFlash + 0x105, 30, 3, 2, 0, 0},
        {"fewer bytes than a flash word", kBank2, 3, 0, 0, 1, 1},
        {"last word of the flash", kFlashEnd - 16, 16, 0, 0, 1, 0},
        {"a whole sector", kBank2 + 0x2000, 0x2000, 0, 0, 512, 0},
    };
    for (const WriteCase &c : cases) {
        SCOPED_TRACE(c.what);
        start();
        init();
        const auto data = randomBytes(c.size, c.size);
        emu->writeMemory(kBuffer, data);
        EXPECT_EQ(call("Write", {c.address, c.size, kBuffer}).r0, 1u);

        EXPECT_TRUE(std::equal(data.begin(), data.end(), flashAt(c.address)));
        const size_t before = c.address - kFlash, after = before + c.size;
        EXPECT_TRUE(std::all_of(flash().begin(), flash().begin() + before,
                                [](uint8_t b) { return b == 0xFF; }));
        EXPECT_TRUE(std::all_of(flash().begin() + after, flash().end(),
                                [](uint8_t b) { return b == 0xFF; }));
        EXPECT_EQ(emu->flash.stats(0).programs, c.programs1);
        EXPECT_EQ(emu->flash.stats(0).forcedWrites, c.forced1);
        EXPECT_EQ(emu->flash.stats(1).programs, c.programs2);
        EXPECT_EQ(emu->flash.stats(1).forcedWrites, c.forced2);
        EXPECT_EQ(emu->readMemory(kBuffer, c.size), data) << "the tool's buffer is untouched";
        EXPECT_EQ(emu->flash.errorFlags(0) | emu->flash.errorFlags(1), 0u);
    }
}

TEST_P(Loader, WriteClearsStaleErrorsFirst) {
    init();
    emu->flash.raiseFlags(1, FC::SR_INCERR);
    const auto data = randomBytes(32, 7);
    emu->writeMemory(kBuffer, data);
    EXPECT_EQ(call("Write", {kBank2 + 0x40, 32, kBuffer}).r0, 1u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), flashAt(kBank2 + 0x40)));
}

TEST_P(Loader, WriteReportsWhatItCouldNotProgram) {
    struct Case {
        const char *what;
        uint32_t address, size;
        bool init;
    } cases[] = {
        {"protected sector", kFlash + 3 * FC::kSectorSize, 64, true},
        {"below the flash", kFlash - 16, 32, true},
        {"past the end of the flash", kFlashEnd - 16, 32, true},
        {"in RAM", kBuffer + 0x1000, 16, true},
        {"before Init", kFlash, 16, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        start();
        emu->flash.protectSector(0, 3);
        if (c.init)
            init();
        emu->writeMemory(kBuffer + 0x1000, std::vector<uint8_t>(16, 0xA5));
        emu->writeMemory(kBuffer, std::vector<uint8_t>(c.size, 0x00));
        EXPECT_EQ(call("Write", {c.address, c.size, kBuffer}).r0, 0u);
        EXPECT_TRUE(std::all_of(flash().begin(), flash().end(), [](uint8_t b) { return b == 0xFF; }));
        EXPECT_EQ(emu->readMemory(kBuffer + 0x1000, 16), std::vector<uint8_t>(16, 0xA5))
            << "no store outside the flash";
    }
}

// --- SectorErase and MassErase --------------------------------------------

struct EraseCase {
    const char *what;
    uint32_t start, end;
    std::vector<unsigned> sectors;  // counted over both banks, 0..255
};

TEST_P(Loader, SectorEraseErasesFromTheStartSectorToTheEndSector) {
    const EraseCase cases[] = {
        {"same start and end", kFlash + 0x2000, kFlash + 0x2000, {1}},
        {"start and end inside one sector", kFlash + 0x3000, kFlash + 0x3004, {1}},
        {"one sector in bank 2", kBank2, kBank2, {128}},
        {"last sector of bank 2", kFlashEnd - 1, kFlashEnd - 1, {255}},
        {"four sectors", kFlash, kFlash + 0x7FFF, {0, 1, 2, 3}},
        {"across the bank boundary", kBank2 - 0x1000, kBank2 + 0x10, {127, 128}},
        {"end past the flash", kFlashEnd - 0x3000, 0xFFFFFFFF, {254, 255}},
    };
    for (const EraseCase &c : cases) {
        SCOPED_TRACE(c.what);
        start();
        init();
        std::fill(flash().begin(), flash().end(), 0x00);
        EXPECT_EQ(call("SectorErase", {c.start, c.end}).r0, 1u);
        for (unsigned s = 0; s < 256; ++s) {
            const bool wanted = std::count(c.sectors.begin(), c.sectors.end(), s) != 0;
            EXPECT_EQ(emu->flash.sectorEraseCount(s / 128, s % 128), wanted ? 1u : 0u)
                << "sector " << s;
            const uint8_t expect = wanted ? 0xFF : 0x00;
            const auto first = flash().begin() + s * FC::kSectorSize;
            EXPECT_TRUE(std::all_of(first, first + FC::kSectorSize,
                                    [&](uint8_t b) { return b == expect; }))
                << "sector " << s;
        }
    }
}

TEST_P(Loader, SectorEraseRefusesWhatItCannotErase) {
    const EraseCase cases[] = {
        {"outside the flash", 0x20000000, 0x20004000, {}},
        {"end before start", kFlash + 0x4000, kFlash + 0x2000, {}},
        {"protected sector", kFlash + 0xA000, kFlash + 0xA000, {}},
    };
    for (const EraseCase &c : cases) {
        SCOPED_TRACE(c.what);
        start();
        emu->flash.protectSector(0, 5);
        init();
        std::fill(flash().begin(), flash().end(), 0x00);
        EXPECT_EQ(call("SectorErase", {c.start, c.end}).r0, 0u);
        EXPECT_TRUE(std::all_of(flash().begin(), flash().end(), [](uint8_t b) { return b == 0; }));
    }
}

TEST_P(Loader, MassEraseErasesBothBanksWithoutStarvingTheWatchdogs) {
    FC::Timing slow;
    slow.bankErase = 300000;  // longer than either watchdog allows unrefreshed
    start(slow);
    init();
    for (IndependentWatchdog *dog : {&emu->iwdg1, &emu->iwdg2}) {
        dog->write(0x00, 0x5555);
        dog->write(0x04, 0);
        dog->write(0x08, 3);
        dog->write(0x00, 0xCCCC);
    }
    emu->wwdg.write(0x04, 0x7F);
    emu->wwdg.write(0x00, 0xFF);
    std::fill(flash().begin(), flash().end(), 0x00);

    EXPECT_EQ(call("MassErase", {0}, 5000000).r0, 1u);
    EXPECT_TRUE(std::all_of(flash().begin(), flash().end(), [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(emu->flash.stats(0).bankErases, 1u);
    EXPECT_EQ(emu->flash.stats(1).bankErases, 1u);
    EXPECT_EQ(emu->iwdg1.prescaler(), 6u);
    EXPECT_EQ(emu->iwdg2.prescaler(), 6u);
    EXPECT_GT(emu->iwdg1.refreshes(), 0u);
    EXPECT_EQ(emu->wwdg.config(), 0x1FFu);
    EXPECT_FALSE(emu->wwdg.refusedRefresh());
}

TEST_P(Loader, MassEraseReportsAProtectedBank) {
    init();
    emu->flash.protectSector(1, 100);
    std::fill(flash().begin(), flash().end(), 0x00);
    EXPECT_EQ(call("MassErase", {0}).r0, 0u);
    EXPECT_EQ(flash()[0], 0xFF) << "bank 1 is still erased";
    EXPECT_EQ(flash()[FC::kBankSize], 0x00);
}

// --- CheckSum and Verify --------------------------------------------------

TEST_P(Loader, CheckSumAddsExactlyTheBytesOfTheRange) {
    struct Case {
        const char *what;
        uint32_t start, size, init;
    } cases[] = {
        {"3 bytes at an aligned start", kFlash, 3, 0},
        {"aligned, whole units", kFlash + 8, 64, 0x12345678},
        {"aligned with a short tail", kFlash + 16, 21, 0},
        {"unaligned start and short tail", kFlash + 3, 22, 0},
        {"unaligned start, whole units after", kFlash + 5, 19, 0},
        {"inside one unit", kFlash + 1, 2, 0},
        {"unaligned, ending on a unit", kFlash + 5, 11, 0},
        {"nothing", kFlash + 4, 0, 77},
        {"across the banks, wrapping the sum", kBank2 - 13, 29, 0xFFFFFF00},
        {"in RAM", kBuffer + 0x10001, 13, 0},
        {"64 KiB", kFlash, 0x10000, 0},
    };
    const auto content = randomBytes(FC::kFlashSize, 1);
    const auto ram = randomBytes(64, 2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        start();
        flash() = content;
        emu->writeMemory(kBuffer + 0x10000, ram);
        const bool inFlash = c.start >= kFlash && c.start < kFlashEnd;
        const uint8_t *bytes = inFlash ? flashAt(c.start) : &ram[c.start - kBuffer - 0x10000];
        EXPECT_EQ(call("CheckSum", {c.start, c.size, c.init}).r0,
                  byteSum(bytes, c.size, c.init));
    }
}

TEST_P(Loader, VerifyFindsTheFirstDifferenceAndSumsTheFlash) {
    const uint32_t at = kFlash + 0x4000, words = 64;
    const auto data = randomBytes(words * 4, 3);
    struct Case {
        const char *what;
        int differingWord;  // -1: identical
        uint32_t missalignement;
    } cases[] = {
        {"identical", -1, 0},
        {"differs in the first word", 0, 0},
        {"differs in word 37 and later", 37, 0},
        {"differs in the last word", 63, 0},
        {"trimmed head and tail", -1, 0x00030002},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        start();
        std::copy(data.begin(), data.end(), flashAt(at));
        auto ram = data;
        if (c.differingWord >= 0) {
            ram[c.differingWord * 4 + 2] ^= 0x10;
            ram.back() ^= 0x01;
        }
        emu->writeMemory(kBuffer, ram);
        const auto r = call("Verify", {at, kBuffer, words, c.missalignement});
        const uint32_t head = c.missalignement & 0xF, tail = (c.missalignement >> 16) & 0xF;
        EXPECT_EQ(r.r1, byteSum(flashAt(at + head), words * 4 - tail))
            << "checksum of the flash side";
        EXPECT_EQ(r.r0, c.differingWord < 0 ? 0u : at + 4u * uint32_t(c.differingWord));
    }
}

TEST_P(Loader, VerifyIgnoresATrimLongerThanTheData) {
    const auto r = call("Verify", {kFlash, kBuffer, 0, 0x000F0000});
    EXPECT_EQ(r.value64(), 0u);
}

// --- WriteOB --------------------------------------------------------------

class OptionBytes : public Loader {
protected:
    void SetUp() override {
        Loader::SetUp();
        init();
    }
    Emulator::CallResult writeOB(uint32_t address, const std::vector<uint8_t> &bytes,
                                 uint32_t size) {
        emu->writeMemory(kBuffer, bytes);
        return call("WriteOB", {address, size, kBuffer});
    }
};

INSTANTIATE_TEST_SUITE_P(Placed, OptionBytes, kPlacements, placementName);

TEST_P(OptionBytes, AddressOutsideTheWindowChangesNothing) {
    for (uint32_t address : {kOptionRegs + 0x14, kOptionRegs + 0x150, 0x08000000u}) {
        SCOPED_TRACE(address);
        EXPECT_EQ(writeOB(address, le32({0, 0, 0, 0}), 16).r0, 1u);
        EXPECT_TRUE(emu->flash.optionLocked()) << "not even unlocked";
        EXPECT_EQ(emu->flash.optionWrites(), 0u);
        EXPECT_EQ(emu->flash.optionChanges(), 0u);
    }
}

TEST_P(OptionBytes, OptionStatusKeepsItsReadOnlyBits) {
    const uint32_t old = emu->flash.optionReg(0x20);
    for (uint32_t word : {0xFFFFFFFFu, 0x00000000u, 0x12345678u}) {
        SCOPED_TRACE(word);
        // A status-only write: no secure area is involved, which counts as success.
        EXPECT_EQ(writeOB(kOptionRegs + 0x20, le32({word}), 4).r0, 1u);
        const uint32_t expect = (old & 0x5FC00023) | (word & 0xA03FFFDC);
        EXPECT_EQ(emu->flash.optionReg(0x20), expect);
        EXPECT_EQ(emu->flash.appliedOptions().at(0x20), expect) << "and in force";
        emu->flash.setOptionReg(0x20, old);
    }
    EXPECT_EQ(emu->flash.optionChanges(), 3u);
    EXPECT_TRUE(emu->secureService.calls.empty());
}

TEST_P(OptionBytes, WholeWindowWritesEachProgramRegisterOnce) {
    emu->installSecureService(true);
    std::vector<uint8_t> image(0x150 - 0x18, 0xEE);  // bytes between registers are skipped
    auto put = [&](uint32_t offset, uint32_t word) {
        auto b = le32({word});
        std::copy(b.begin(), b.end(), image.begin() + (offset - 0x18));
    };
    put(0x20, 0xFFFFFFFF);
    put(0x2C, 0x81230456);
    put(0x34, 0x801F0010);  // secure area bank 1: 0x10..0x1F, erase flag
    put(0x3C, 0x000000A5);
    put(0x44, 0x1FF01234);
    put(0x4C, 0x00C0FFEE);
    put(0x12C, 0xFFFFFFFF);
    put(0x134, 0x00400020);  // secure area bank 2: 0x20..0x40
    put(0x13C, 0x0000005A);
    put(0x14C, 0xCAFEF00D);
    const uint32_t old20 = emu->flash.optionReg(0x20), old2C = emu->flash.optionReg(0x2C);
    const uint32_t old12C = emu->flash.optionReg(0x12C);

    EXPECT_EQ(writeOB(kOptionRegs + 0x18, image, uint32_t(image.size())).r0, 1u);

    const auto &now = emu->flash.appliedOptions();
    EXPECT_EQ(now.at(0x20), (old20 & 0x5FC00023) | 0xA03FFFDC);
    EXPECT_EQ(now.at(0x2C), (old2C & 0x7000F000) | (0x81230456 & 0x8FFF0FFF));
    EXPECT_EQ(now.at(0x34), 0x801F0010u);
    EXPECT_EQ(now.at(0x3C), 0x000000A5u);
    EXPECT_EQ(now.at(0x44), 0x1FF01234u);
    EXPECT_EQ(now.at(0x4C), 0x00C0FFEEu);
    EXPECT_EQ(now.at(0x12C), (old12C & 0x7000F000) | 0x8FFF0FFF);
    EXPECT_EQ(now.at(0x134), 0x00400020u);
    EXPECT_EQ(now.at(0x13C), 0x0000005Au);
    EXPECT_EQ(now.at(0x14C), 0xCAFEF00Du);
    EXPECT_EQ(emu->flash.optionWrites(), 10u);
    EXPECT_EQ(emu->flash.optionChanges(), 1u);

    ASSERT_EQ(emu->secureService.calls.size(), 1u);
    const auto &callRecord = emu->secureService.calls[0];
    EXPECT_EQ(callRecord.areas, 2u);
    EXPECT_EQ(callRecord.block, kSecureBlock);
    EXPECT_TRUE(callRecord.optionChangeDone);
    const std::array<uint32_t, 6> block = {
        (0x1F - 0x10 + 1) * 256, 0x10 * 256 + kFlash, 1,
        (0x40 - 0x20 + 1) * 256, 0x20 * 256 + kBank2, 0,
    };
    EXPECT_EQ(callRecord.words, block);
}

TEST_P(OptionBytes, SecureAreaCallsTheRomServiceWithTheChangedCount) {
    emu->installSecureService(true);
    emu->flash.setOptionReg(0x134, 0x00300008);
    const uint32_t word = 0x80050002;  // start 2, end 5, erase flag

    EXPECT_EQ(writeOB(kOptionRegs + 0x34, le32({word, 0xABCDEF01}), 8).r0, 1u);
    EXPECT_EQ(emu->flash.appliedOptions().at(0x34), 0x80050002u);
    EXPECT_EQ(emu->flash.optionReg(0x3C), 0x000000FFu) << "the span stops before 0x3C";
    ASSERT_EQ(emu->secureService.calls.size(), 1u);
    EXPECT_EQ(emu->secureService.calls[0].areas, 1u);
    const std::array<uint32_t, 6> block = {(5 - 2 + 1) * 256, 2 * 256 + kFlash, 1,
                                           (0x30 - 8 + 1) * 256, 8 * 256 + kBank2, 0};
    EXPECT_EQ(emu->secureService.calls[0].words, block);
    EXPECT_EQ(emu->readMemory(kSecureBlock, 24), le32({block[0], block[1], block[2], block[3],
                                                       block[4], block[5]}));

    // The same value again changes no area.
    EXPECT_EQ(writeOB(kOptionRegs + 0x34, le32({word, 0}), 8).r0, 1u);
    ASSERT_EQ(emu->secureService.calls.size(), 2u);
    EXPECT_EQ(emu->secureService.calls[1].areas, 0u);
}

TEST_P(OptionBytes, SecureAreaWithoutTheRomServiceFails) {
    emu->installSecureService(false);
    EXPECT_EQ(writeOB(kOptionRegs + 0x134, le32({0x00100001, 0}), 8).r0, 0u);
    EXPECT_EQ(emu->flash.appliedOptions().at(0x134), 0x00100001u) << "the option bytes changed";
    EXPECT_TRUE(emu->secureService.calls.empty());
}

TEST_P(OptionBytes, NeverReadsARegisterWordPastTheBuffer) {
    // Two bytes for a four-byte register: nothing is written.
    EXPECT_EQ(writeOB(kOptionRegs + 0x20, le32({0}), 2).r0, 1u);
    EXPECT_EQ(emu->flash.optionWrites(), 0u);

    // A span needs one byte more than it covers: 0x2C is written, 0x34 not,
    // although the memory after the buffer holds a word for it.
    EXPECT_EQ(writeOB(kOptionRegs + 0x2C, le32({0x00000000, 0xFFFFFFFF, 0x00000000}), 8).r0, 1u);
    EXPECT_EQ(emu->flash.optionWrites(), 1u);
    EXPECT_EQ(emu->flash.optionReg(0x34), 0x000000FFu);
}

TEST_P(OptionBytes, LockedOptionBytesFail) {
    emu->flash.writeReg(0x08, 0xBAD, 4);  // option key refused until reset
    EXPECT_EQ(writeOB(kOptionRegs + 0x20, le32({0}), 4).r0, 0u);
    EXPECT_EQ(emu->flash.optionChanges(), 0u);
}

}  // namespace
