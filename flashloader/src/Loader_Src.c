/* Flash loader for the Halvex32: erases, programs, checksums and verifies
 * the 2 MB dual-bank internal flash and programs the option bytes.
 *
 * The tool copies this image anywhere in RAM and calls the entry points
 * directly, so the code holds no state, touches no data of its own and
 * reaches peripherals only through fixed hardware addresses. Interrupts
 * are left as the tool set them. */
#include "Loader_Src.h"

#include <arm_acle.h>

#define FLASH_START 0x08000000u
#define BANK2_START 0x08100000u
#define FLASH_END 0x08200000u
#define SECTOR_SIZE 0x2000u
#define FLASH_WORD 16u

typedef struct {
    volatile uint32_t ACR;       /* 0x00 access control (bank 1) */
    volatile uint32_t KEYR;      /* 0x04 unlock keys */
    volatile uint32_t OPTKEYR;   /* 0x08 option unlock keys (bank 1) */
    volatile uint32_t CR;        /* 0x0C control */
    volatile uint32_t SR;        /* 0x10 status */
    volatile uint32_t CCR;       /* 0x14 flag clear */
    volatile uint32_t OPTCR;     /* 0x18 option control (bank 1) */
    volatile uint32_t OPTSR_CUR; /* 0x1C current option status */
} FlashBank;

#define FLASH_REGS 0x52002000u
#define BANK1 ((FlashBank *)FLASH_REGS)
#define BANK2 ((FlashBank *)(FLASH_REGS + 0x100u))

#define KEY1 0x45670123u
#define KEY2 0xCDEF89ABu
#define OPTKEY1 0x08192A3Bu
#define OPTKEY2 0x4C5D6E7Fu

#define CR_LOCK (1u << 0)
#define CR_PG (1u << 1)
#define CR_SER (1u << 2)
#define CR_BER (1u << 3)
#define CR_FW (1u << 4)
#define CR_START (1u << 5)
#define CR_SNB_SHIFT 6
#define CR_SNB (0x7Fu << CR_SNB_SHIFT)
#define CR_PROGRAM_KEEP 0xFFFF80CFu /* drops force write, start and bits 8-14 */

#define SR_BSY (1u << 0)
#define SR_QW (1u << 2)
/* Error flags: what the flag-clear value clears, less end-of-operation. */
#define SR_ERRORS 0x0FEE0000u

#define CCR_ALL 0x0FEF0000u
#define CCR_BANK_ERASE 0x0FAF0000u

#define OPTCR_OPTLOCK (1u << 0)
#define OPTCR_OPTSTART (1u << 1)
#define OPTSR_BUSY (1u << 0)

#define OPT_WINDOW_START 0x52002018u
#define OPT_WINDOW_END 0x52002150u /* exclusive */

#define CLOCK_REG 0x58024594u
#define IWDG1 0x58004800u
#define IWDG2 0x58004C00u
#define WWDG 0x40002C00u
#define IWDG_KEY_RELOAD 0xAAAAu
#define IWDG_KEY_ACCESS 0x5555u
#define IWDG_SLOWEST 6u

#define SECURE_SERVICE_WORD 0x1FF089B3u /* all ones: the ROM has no service */
#define SECURE_SERVICE 0x1FF089DFu      /* Thumb entry of the ROM service */
#define SECURE_BLOCK 0x20005004u

#define REG(a) (*(volatile uint32_t *)(a))

/* The tool's buffer carries no alignment promise; on the M7 a plain word
 * load handles any address in RAM. */
static inline uint32_t load32(const uint8_t *p)
{
    uint32_t v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

static inline FlashBank *bank_of(uint32_t address)
{
    return address < BANK2_START ? BANK1 : BANK2;
}

static inline void wait_queue(FlashBank *bank)
{
    while (bank->SR & SR_QW) {
    }
}

static inline int bank_failed(FlashBank *bank)
{
    return (bank->CR & CR_LOCK) || (bank->SR & SR_ERRORS);
}

void DSB(void)
{
    __asm volatile("dsb 0xF" ::: "memory");
}

void resetWDG(void)
{
    /* Refresh both independent watchdogs and stretch them to the slowest
     * prescaler, so a long erase cannot run out their time. */
    REG(IWDG1 + 0x00) = IWDG_KEY_RELOAD;
    REG(IWDG1 + 0x00) = IWDG_KEY_ACCESS;
    REG(IWDG1 + 0x04) = IWDG_SLOWEST;
    REG(IWDG2 + 0x00) = IWDG_KEY_RELOAD;
    REG(IWDG2 + 0x00) = IWDG_KEY_ACCESS;
    REG(IWDG2 + 0x04) = IWDG_SLOWEST;
    /* Widest window first, so the refresh below can never fall outside it. */
    REG(WWDG + 0x04) = 0x1FFu;
    REG(WWDG + 0x00) = 0x7Fu;
}

void waitBusy(void)
{
    /* Refreshing on every poll keeps even a whole-bank erase safe. */
    do {
        resetWDG();
    } while ((BANK1->SR | BANK2->SR) & SR_BSY);
}

static void unlock(FlashBank *bank)
{
    bank->CCR = CCR_ALL;
    wait_queue(bank);
    if (bank->CR & CR_LOCK) {
        bank->KEYR = KEY1;
        bank->KEYR = KEY2;
    }
}

uint32_t Init(void)
{
    REG(CLOCK_REG) = 0x100u;
    BANK1->ACR |= 7u;
    unlock(BANK1);
    unlock(BANK2);
    /* A bank that stays locked (a bad key locks it until reset) can do
     * nothing; say so now rather than fail every later call. */
    return (BANK1->CR & CR_LOCK) || (BANK2->CR & CR_LOCK) ? 0u : 1u;
}

/* Fewer than 16 bytes inside one flash word: stored byte by byte, then
 * forced out, since the write buffer only programs by itself when full. */
static void program_partial(FlashBank *bank, uint32_t address, const uint8_t *src,
                            uint32_t count)
{
    bank->CR = (bank->CR & CR_PROGRAM_KEEP) | CR_PG;
    volatile uint8_t *dst = (volatile uint8_t *)address;
    for (uint32_t i = 0; i < count; ++i)
        dst[i] = src[i];
    DSB();
    bank->CR |= CR_FW;
    bank->CR &= ~CR_FW;
    DSB();
    wait_queue(bank);
    bank->CR &= ~CR_PG;
}

/* Programs a range that lies within one bank. */
static void program(FlashBank *bank, uint32_t address, const uint8_t *src, uint32_t size)
{
    uint32_t head = (0u - address) & (FLASH_WORD - 1u);
    if (head) {
        if (head > size)
            head = size;
        program_partial(bank, address, src, head);
        address += head;
        src += head;
        size -= head;
    }
    while (size >= FLASH_WORD) {
        bank->CR = (bank->CR & CR_PROGRAM_KEEP) | CR_PG;
        volatile uint32_t *dst = (volatile uint32_t *)address;
        uint32_t w0 = load32(src);
        uint32_t w1 = load32(src + 4);
        dst[0] = w0;
        dst[1] = w1;
        w0 = load32(src + 8);
        w1 = load32(src + 12);
        dst[2] = w0;
        dst[3] = w1;
        DSB();
        wait_queue(bank);
        bank->CR &= ~CR_PG;
        address += FLASH_WORD;
        src += FLASH_WORD;
        size -= FLASH_WORD;
    }
    if (size)
        program_partial(bank, address, src, size);
}

uint32_t Write(uint32_t Address, uint32_t Size, uint8_t *buffer)
{
    if (Size == 0)
        return 1;
    /* Anything else would store into RAM or peripherals with the
     * program bit set. */
    if (Address < FLASH_START || Address >= FLASH_END || Size > FLASH_END - Address)
        return 0;
    uint32_t end = Address + Size;
    int uses_bank1 = Address < BANK2_START;
    int uses_bank2 = end > BANK2_START;

    if (uses_bank1) {
        wait_queue(BANK1);
        BANK1->CCR = CCR_ALL;
    }
    if (uses_bank2) {
        wait_queue(BANK2);
        BANK2->CCR = CCR_ALL;
    }
    if (uses_bank1 && uses_bank2) {
        uint32_t first = BANK2_START - Address;
        program(BANK1, Address, buffer, first);
        program(BANK2, BANK2_START, buffer + first, Size - first);
    } else {
        program(bank_of(Address), Address, buffer, Size);
    }
    /* The last flash word is still being programmed; report only once it
     * has landed, with the banks' error flags. */
    waitBusy();
    if ((uses_bank1 && bank_failed(BANK1)) || (uses_bank2 && bank_failed(BANK2)))
        return 0;
    return 1;
}

uint32_t SectorErase(uint32_t StartAddress, uint32_t EndAddress)
{
    if (EndAddress < StartAddress || StartAddress >= FLASH_END || EndAddress < FLASH_START)
        return 0;
    if (StartAddress < FLASH_START)
        StartAddress = FLASH_START;
    if (EndAddress >= FLASH_END)
        EndAddress = FLASH_END - 1u;

    for (uint32_t sector = StartAddress & ~(SECTOR_SIZE - 1u); sector <= EndAddress;
         sector += SECTOR_SIZE) {
        FlashBank *bank = bank_of(sector);
        uint32_t number = (sector - FLASH_START) >> 13;
        if (bank == BANK2)
            number -= 128u;

        bank->CCR = CCR_ALL;
        bank->CR &= ~CR_SNB;
        wait_queue(bank);
        bank->CR |= (number << CR_SNB_SHIFT) | CR_SER;
        bank->CR |= CR_START;
        wait_queue(bank);
        bank->CR &= ~CR_SER;
        /* The queue empties when the erase begins; the sector is only
         * erased once the bank is no longer busy. */
        waitBusy();
        if (bank_failed(bank))
            return 0;
    }
    return 1;
}

uint32_t MassErase(uint32_t Parallelism)
{
    (void)Parallelism;
    uint32_t ok = 1;
    FlashBank *banks[2] = {BANK1, BANK2};
    for (int i = 0; i < 2; ++i) {
        FlashBank *bank = banks[i];
        waitBusy();
        bank->CCR = CCR_BANK_ERASE;
        bank->CR &= ~CR_LOCK;
        bank->CR |= CR_BER;
        bank->CR |= CR_START;
        waitBusy();
        bank->CR &= ~CR_BER;
        if (bank_failed(bank))
            ok = 0;
    }
    return ok;
}

/* Adds the selected bytes of one aligned 8-byte unit; bytes [from, to). */
static inline uint32_t add_unit_part(const uint32_t *unit, uint32_t from, uint32_t to,
                                     uint32_t sum)
{
    uint32_t mask_lo = 0, mask_hi = 0;
    for (uint32_t i = from; i < to; ++i) {
        if (i < 4)
            mask_lo |= 0xFFu << (8u * i);
        else
            mask_hi |= 0xFFu << (8u * (i - 4u));
    }
    sum = __usada8(unit[0] & mask_lo, 0u, sum);
    return __usada8(unit[1] & mask_hi, 0u, sum);
}

uint32_t CheckSum(uint32_t StartAddress, uint32_t Size, uint32_t InitVal)
{
    uint32_t sum = InitVal;
    if (Size == 0)
        return sum;
    if (Size > 0u - StartAddress && StartAddress != 0)
        Size = 0u - StartAddress; /* stop at the top of the address space */

    /* Memory is read in aligned 8-byte units; only the bytes of the range
     * are added, whatever the alignment of its two ends. */
    const uint32_t *unit = (const uint32_t *)(StartAddress & ~7u);
    uint32_t head = StartAddress & 7u;
    if (head) {
        uint32_t to = Size < 8u - head ? head + Size : 8u;
        sum = add_unit_part(unit, head, to, sum);
        Size -= to - head;
        unit += 2;
    }
    for (uint32_t n = Size >> 3; n; --n) {
        sum = __usada8(unit[0], 0u, sum);
        sum = __usada8(unit[1], 0u, sum);
        unit += 2;
    }
    if (Size & 7u)
        sum = add_unit_part(unit, 0, Size & 7u, sum);
    return sum;
}

uint64_t Verify(uint32_t FlashAddr, uint32_t RAMBufferAddr, uint32_t Size,
                uint32_t missalignement)
{
    uint32_t bytes = Size << 2;
    uint32_t trim = (missalignement >> 16) & 0xFu;
    /* A trim longer than the data would wrap into a 4 GB checksum. */
    uint32_t length = bytes > trim ? bytes - trim : 0u;
    uint32_t sum = CheckSum(FlashAddr + (missalignement & 0xFu), length, 0);

    const uint8_t *flash = (const uint8_t *)FlashAddr;
    const uint8_t *ram = (const uint8_t *)RAMBufferAddr;
    uint32_t first_difference = 0;
    for (uint32_t i = 0; i < Size; ++i) {
        if (load32(flash + 4u * i) != load32(ram + 4u * i)) {
            first_difference = FlashAddr + 4u * i;
            break;
        }
    }
    return ((uint64_t)sum << 32) | first_difference;
}

/* Bytes to skip after writing an option register, or 0 if the offset is
 * not one the loader programs. */
static inline uint32_t option_span(uint32_t offset)
{
    switch (offset) {
    case 0x20:
        return 12;
    case 0x2C: case 0x34: case 0x3C: case 0x44:
    case 0x12C: case 0x134: case 0x13C:
        return 8;
    case 0x4C:
        return 224;
    case 0x14C:
        return 4; /* the last one: the walk stops after it */
    default:
        return 0;
    }
}

/* Secure-area register value: start in the low half, end in the high half,
 * erase-on-regression flag in bit 15 of the high half, moved to bit 31. */
static inline uint32_t secure_area_value(uint32_t reg, uint32_t word)
{
    uint32_t low = word & 0xFFFFu;
    uint32_t high = word >> 16;
    return (reg & 0x7000F000u) | ((high & 0x8000u) << 16) | low | (high << 16);
}

static inline uint32_t read_unaligned_word(uint32_t address)
{
    const volatile uint8_t *p = (const volatile uint8_t *)address;
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) |
           ((uint32_t)p[3] << 24);
}

typedef void (*SecureAreaService)(uint32_t areas, uint32_t block);

uint32_t WriteOB(uint32_t Address, uint32_t Size, uint8_t *buffer)
{
    if (Address < OPT_WINDOW_START || Address >= OPT_WINDOW_END)
        return 1;

    BANK1->OPTKEYR = OPTKEY1;
    BANK1->OPTKEYR = OPTKEY2;
    if (BANK1->OPTCR & OPTCR_OPTLOCK)
        return 0; /* a bad key locks the option bytes until reset */

    uint32_t address = Address;
    const uint8_t *src = buffer;
    uint32_t left = Size;
    int secure_written = 0;
    uint32_t changed_areas = 0;
    while (left > 0 && address < OPT_WINDOW_END) {
        uint32_t offset = address - FLASH_REGS;
        uint32_t span = option_span(offset);
        if (span == 0) {
            ++address;
            ++src;
            --left;
            continue;
        }
        /* Never read a register's word beyond the end of the buffer. */
        if (left < 4)
            break;
        uint32_t word = load32(src);
        volatile uint32_t *reg = (volatile uint32_t *)address;
        switch (offset) {
        case 0x20:
            *reg = (*reg & 0x5FC00023u) | (word & 0xA03FFFDCu);
            waitBusy();
            break;
        case 0x2C:
        case 0x12C:
            *reg = (*reg & 0x7000F000u) | (word & 0x8FFF0FFFu);
            waitBusy();
            break;
        case 0x34:
        case 0x134: {
            uint32_t old = *reg;
            uint32_t value = secure_area_value(old, word);
            *reg = value;
            secure_written = 1;
            if (value != old)
                ++changed_areas;
            break;
        }
        default:
            *reg = word;
            waitBusy();
            break;
        }
        if (offset == 0x14C || left < span + 1u)
            break;
        address += span;
        src += span;
        left -= span;
    }

    while ((BANK1->OPTSR_CUR | BANK2->OPTSR_CUR) & OPTSR_BUSY) {
    }
    waitBusy();
    BANK1->OPTCR |= OPTCR_OPTSTART;
    /* The new option bytes are in force once the option change ends. */
    do {
        resetWDG();
    } while (((BANK1->OPTSR_CUR | BANK2->OPTSR_CUR) & OPTSR_BUSY) ||
             ((BANK1->SR | BANK2->SR) & SR_BSY));

    if (!secure_written)
        return 1;
    if (read_unaligned_word(SECURE_SERVICE_WORD) == 0xFFFFFFFFu)
        return 0; /* secure areas asked for, but the ROM cannot set them */

    waitBusy();
    /* Per bank: size, start address, erase flag; both banks are described,
     * each from its secure-area register as it now stands. */
    volatile uint32_t *block = (volatile uint32_t *)SECURE_BLOCK;
    const uint32_t bank_base[2] = {FLASH_START, BANK2_START};
    for (int i = 0; i < 2; ++i) {
        uint32_t reg = REG(FLASH_REGS + 0x34u + 0x100u * (uint32_t)i);
        uint32_t start = reg & 0xFFFu;
        uint32_t end = (reg >> 16) & 0xFFFu;
        block[3 * i + 0] = (end - start + 1u) * 256u;
        block[3 * i + 1] = start * 256u + bank_base[i];
        block[3 * i + 2] = reg >> 31;
    }
    ((SecureAreaService)SECURE_SERVICE)(changed_areas, SECURE_BLOCK);
    return 1;
}
