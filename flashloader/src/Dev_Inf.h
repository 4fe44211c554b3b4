/* Device descriptor read by the programming tool straight from the loader
 * image. The layout is fixed: the tool decodes it by offset, so the fields
 * keep their natural alignment and the whole record is 200 bytes. */
#ifndef DEV_INF_H
#define DEV_INF_H

#include <stdint.h>

#define SECTOR_NUM 10 /* sector groups, the last used one followed by {0, 0} */

struct DeviceSectors {
    uint32_t SectorNum;  /* number of sectors in this group */
    uint32_t SectorSize; /* bytes per sector */
};

struct StorageInfo {
    char DeviceName[100];
    uint16_t DeviceType;
    uint32_t DeviceStartAddress;
    uint32_t DeviceSize;
    uint32_t PageSize;
    uint8_t EraseValue;
    struct DeviceSectors sectors[SECTOR_NUM];
};

#define MCU_FLASH 1 /* DeviceType: internal flash of the microcontroller */

extern const struct StorageInfo StorageInfo;

#endif
