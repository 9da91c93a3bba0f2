// UEFI backend: port I/O, physical memory, CPUID and model-specific registers.
//
// A RDMSR or WRMSR of a register the processor lacks raises a general-protection fault.
// The handler skips the instruction only when the fault comes from the two MSR
// instructions below; any other fault is handed back to the firmware's own handler.
#include "platform/uefi/UefiServices.h"
#include "platform/Firmware.h"

#if defined(__x86_64__)
#define ASM_SYMBOL(name) #name
// Microsoft x64 calling convention: the first argument is in RCX, which RDMSR/WRMSR use.
asm(".text\n"
    ".globl ZoRdmsr\n"
    "ZoRdmsr:\n"
    "  movl %ecx, %ecx\n"
    ".globl ZoRdmsrInstruction\n"
    "ZoRdmsrInstruction:\n"
    "  rdmsr\n"
    "  shlq $32, %rdx\n"
    "  movl %eax, %eax\n"
    "  orq %rdx, %rax\n"
    "  ret\n"
    ".globl ZoWrmsr\n"
    "ZoWrmsr:\n"
    "  movl %edx, %eax\n"
    "  shrq $32, %rdx\n"
    ".globl ZoWrmsrInstruction\n"
    "ZoWrmsrInstruction:\n"
    "  wrmsr\n"
    "  ret\n");
#else
// cdecl: arguments on the stack; a 64-bit result returns in EDX:EAX.
asm(".text\n"
    ".globl _ZoRdmsr\n"
    "_ZoRdmsr:\n"
    "  movl 4(%esp), %ecx\n"
    ".globl _ZoRdmsrInstruction\n"
    "_ZoRdmsrInstruction:\n"
    "  rdmsr\n"
    "  ret\n"
    ".globl _ZoWrmsr\n"
    "_ZoWrmsr:\n"
    "  movl 4(%esp), %ecx\n"
    "  movl 8(%esp), %eax\n"
    "  movl 12(%esp), %edx\n"
    ".globl _ZoWrmsrInstruction\n"
    "_ZoWrmsrInstruction:\n"
    "  wrmsr\n"
    "  ret\n");
#endif

extern "C" u64 ZoRdmsr(u32 index);
extern "C" void ZoWrmsr(u32 index, u64 value);
extern "C" char ZoRdmsrInstruction[];
extern "C" char ZoWrmsrInstruction[];

static volatile u32 sMsrFaulted;
static ZoCpuArchProtocol* sCpu;
static bool sHandlerInstalled;

static bool IsMsrInstructionAt(uptr address) {
  const u8* code = (const u8*)address;
  bool known = address == (uptr)ZoRdmsrInstruction || address == (uptr)ZoWrmsrInstruction;
  return known && code[0] == 0x0F && (code[1] == 0x32 || code[1] == 0x30);
}

static VOID EFIAPI GeneralProtectionHandler(INTN, EFI_SYSTEM_CONTEXT context) {
#if defined(__x86_64__)
  UINT64* instruction = &context.SystemContextX64->Rip;
#else
  UINT32* instruction = &context.SystemContextIa32->Eip;
#endif
  if (IsMsrInstructionAt((uptr)*instruction)) {
    sMsrFaulted = 1;
    *instruction += 2;
    return;
  }
  // Not ours: unregister, so that the instruction faults again into the firmware's handler.
  UefiRemoveFaultHandler();
}

void UefiInstallFaultHandler() {
  EFI_GUID cpuGuid = ZO_CPU_ARCH_PROTOCOL_GUID;
  if (EFI_ERROR(gBS->LocateProtocol(&cpuGuid, nullptr, (VOID**)&sCpu)) || !sCpu) return;
  sCpu->RegisterInterruptHandler(sCpu, 13, nullptr);
  sHandlerInstalled = !EFI_ERROR(sCpu->RegisterInterruptHandler(sCpu, 13, GeneralProtectionHandler));
}

// Once the image has exited its handler code is gone, so it must not stay registered.
void UefiRemoveFaultHandler() {
  if (!sHandlerInstalled) return;
  sHandlerInstalled = false;
  sCpu->RegisterInterruptHandler(sCpu, 13, nullptr);
}

bool FwMsrRead(u32 index, u64* value) {
  sMsrFaulted = 0;
  u64 result = ZoRdmsr(index);
  if (sMsrFaulted) return false;
  *value = result;
  return true;
}

bool FwMsrWrite(u32 index, u64 value) {
  sMsrFaulted = 0;
  ZoWrmsr(index, value);
  return !sMsrFaulted;
}

void FwCpuid(u32 leaf, u32 out[4]) {
  u32 a, b, c, d;
  asm volatile("cpuid" : "=a"(a), "=b"(b), "=c"(c), "=d"(d) : "a"(leaf), "c"(leaf));
  out[0] = a;
  out[1] = b;
  out[2] = c;
  out[3] = d;
}

u8 FwPortIn8(u16 port) {
  u8 value;
  asm volatile("inb %1, %0" : "=a"(value) : "Nd"(port));
  return value;
}
u16 FwPortIn16(u16 port) {
  u16 value;
  asm volatile("inw %1, %0" : "=a"(value) : "Nd"(port));
  return value;
}
u32 FwPortIn32(u16 port) {
  u32 value;
  asm volatile("inl %1, %0" : "=a"(value) : "Nd"(port));
  return value;
}
void FwPortOut8(u16 port, u8 value) { asm volatile("outb %0, %1" : : "a"(value), "Nd"(port)); }
void FwPortOut16(u16 port, u16 value) { asm volatile("outw %0, %1" : : "a"(value), "Nd"(port)); }
void FwPortOut32(u16 port, u32 value) { asm volatile("outl %0, %1" : : "a"(value), "Nd"(port)); }

// Physical memory is identity-mapped in boot services; device memory needs single
// accesses of the exact width, hence the volatile pointers.
u32 FwMemRead(u32 address, u32 width) {
  uptr at = address;
  switch (width) {
    case 1: return *(volatile u8*)at;
    case 2: return *(volatile u16*)at;
    case 4: return *(volatile u32*)at;
  }
  return 0;
}

void FwMemWrite(u32 address, u32 value, u32 width) {
  uptr at = address;
  switch (width) {
    case 1: *(volatile u8*)at = (u8)value; break;
    case 2: *(volatile u16*)at = (u16)value; break;
    case 4: *(volatile u32*)at = value; break;
  }
}
