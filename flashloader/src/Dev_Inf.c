#include "Dev_Inf.h"

#include <stddef.h>

/* The tool finds the descriptor by its symbol and reads it from its own
 * section; "used" keeps it although no loader code refers to it. */
__attribute__((section(".device_info"), used))
const struct StorageInfo StorageInfo = {
    "mcu-flashloader",
    MCU_FLASH,
    0x08000000u, /* bank 1 start; bank 2 follows at 0x08100000 */
    0x00200000u, /* 2 MB */
    0x1000u,     /* programming page */
    0xFFu,       /* erased flash reads as all ones */
    {
        {256u, 0x2000u}, /* 256 sectors of 8 KB over both banks */
        {0u, 0u},
    },
};

_Static_assert(sizeof(struct StorageInfo) == 200, "descriptor must be 200 bytes");
_Static_assert(offsetof(struct StorageInfo, DeviceType) == 100, "layout");
_Static_assert(offsetof(struct StorageInfo, DeviceStartAddress) == 104, "layout");
_Static_assert(offsetof(struct StorageInfo, DeviceSize) == 108, "layout");
_Static_assert(offsetof(struct StorageInfo, PageSize) == 112, "layout");
_Static_assert(offsetof(struct StorageInfo, EraseValue) == 116, "layout");
_Static_assert(offsetof(struct StorageInfo, sectors) == 120, "layout");
