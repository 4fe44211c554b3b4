/* Entry points called by the programming tool: arguments in r0-r3, the
 * return address in LR, results in r0 (and r1 for the 64-bit Verify).
 * Every entry point returns 1 on success. */
#ifndef LOADER_SRC_H
#define LOADER_SRC_H

#include <stdint.h>

uint32_t Init(void);
uint32_t Write(uint32_t Address, uint32_t Size, uint8_t *buffer);
uint32_t WriteOB(uint32_t Address, uint32_t Size, uint8_t *buffer);
uint32_t MassErase(uint32_t Parallelism);
uint32_t SectorErase(uint32_t StartAddress, uint32_t EndAddress);
uint32_t CheckSum(uint32_t StartAddress, uint32_t Size, uint32_t InitVal);
uint64_t Verify(uint32_t FlashAddr, uint32_t RAMBufferAddr, uint32_t Size,
                uint32_t missalignement);

void DSB(void);
void waitBusy(void);
void resetWDG(void);

#endif
