// Ports, PCI configuration mechanism 1, physical memory, MSRs, CPUID and pool memory:
// the primitives every register access of the program ends in.
#pragma once
#include "base/Types.h"

u32 IoRead(u32 port, u32 width);  // width 1, 2 or 4; any other width reads nothing and gives 0
void IoWriteAuto(u32 port, u32 value);  // the width follows the value: 8, 16 or 32 bits
void IoWrite8(u32 port, u32 value);
u32 IoRead8(u32 port);

// Address: bus bits 16-23, device 11-15, function 8-10, register 0-7, extended register 24-27.
u32 PciCfgRead(u32 address, u32 width);
void PciCfgWriteByte(u32 address, u32 value);

u32 MemRead(u32 address, u32 width);  // width 1, 2 or 4; any other width gives 0
void MemWrite(u32 address, u32 value, u32 width);
u32 PeekByte(u32 segment, u32 offset);
void PokeByte(u32 segment, u32 offset, u32 value);
int MemCompare(const void* a, const void* b, usize count);  // 0 equal, 1 different
void MemFill(void* buffer, u32 value, usize size);
// The 32-bit physical address of a buffer of the program (pool memory is identity-mapped).
u32 PhysicalAddressOf(const void* buffer);

// Set when the last MSR access faulted because the register does not exist.
extern u32 MsrFault;
u32 MsrRead(u32 index, u32* high);
void MsrWrite(u32 index, u32 low, u32 high);
// CPUID with the leaf in EAX and ECX; any output pointer may be null.
void Cpuid(u32 leaf, u32* eax, u32* ebx, u32* ecx, u32* edx);

void* PoolAlloc(usize size);
void PoolFree(void* buffer);
// Below 4 GB: for buffers addressed by a 32-bit physical address or given to a device.
void* PoolAllocLow(usize size);
void PoolFreeLow(void* buffer, usize size);

// Entry points whose results are fixed in this system.
u32 CpuClockMhz();
u32 SmbusFindDevice(i32 direction, u32 low, u32 high);
u32 SmbusReadByte();
void SmbusWriteByte();
u32 SmiSetVariable(const void* variable, u32 size);
u32 TextToCount(const char16_t* text);
