#include "platform/sim/SimMachine.h"

#include <sys/mman.h>
#include <csetjmp>
#include <cstring>

SimMachine* gSim;
volatile u32 gFwTickCount;

// ---- pool memory: an identity-mapped region below 4 GB ----------------------------------

static const uptr POOL_BASE = 0x30000000;
static const usize POOL_SIZE = 64u << 20;
static u8* sPool;
static usize sPoolUsed;
static std::map<void*, usize> sPoolBlocks;

static void ResetPool() {
  if (!sPool) {
    void* at = mmap((void*)POOL_BASE, POOL_SIZE, PROT_READ | PROT_WRITE,
                    MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    if (at == MAP_FAILED) at = mmap(nullptr, POOL_SIZE, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    sPool = (u8*)at;
  }
  sPoolUsed = 0;
  sPoolBlocks.clear();
}

static void* PoolTake(usize size, usize align) {
  usize start = (sPoolUsed + align - 1) & ~(align - 1);
  if (start + size > POOL_SIZE) return nullptr;
  sPoolUsed = start + size;
  memset(sPool + start, 0xCC, size);  // pool memory is not cleared
  sPoolBlocks[sPool + start] = size;
  return sPool + start;
}

usize SimPoolBlocksInUse() { return sPoolBlocks.size(); }

void* FwAlloc(usize size) { return PoolTake(size, 16); }
void FwFree(void* buffer) { sPoolBlocks.erase(buffer); }
void* FwAllocLow(usize size) { return PoolTake((size + 4095) & ~(usize)4095, 4096); }
void FwFreeLow(void* buffer, usize) { sPoolBlocks.erase(buffer); }

// ---- machine set-up ----------------------------------------------------------------------

std::u16string SimConsole::Row(u32 y) const {
  std::u16string text;
  for (u32 x = 0; x < 80; x++) text += cells[y][x].character;
  return text;
}

std::string SimConsole::RowText(u32 y) const { return Text(0, y, 80); }

std::string SimConsole::Text(u32 x, u32 y, u32 length) const {
  std::string text;
  for (u32 i = 0; i < length && x + i < 80; i++) {
    char16_t c = cells[y][x + i].character;
    text += c < 0x80 ? (char)c : '?';
  }
  return text;
}

void SimConsole::Clear() {
  for (auto& row : cells)
    for (auto& cell : row) cell = {u' ', attribute};
  column = row = 0;
}

SimPciFunction& SimMachine::AddPciFunction(u32 bus, u32 device, u32 function, u16 vendor, u16 deviceId,
                                           u8 headerType, u32 classCode) {
  SimPciFunction& f = pci[bus << 16 | device << 11 | function << 8];
  f.config.fill(0);
  f.Set16(0, vendor);
  f.Set16(2, deviceId);
  f.Set8(0x0E, headerType);
  f.Set8(0x09, (u8)classCode);
  f.Set8(0x0A, (u8)(classCode >> 8));
  f.Set8(0x0B, (u8)(classCode >> 16));
  return f;
}

void SimMachine::AddPortDevice(u16 first, u16 last, SimPortDevice device) { portDevices[first] = {last, device}; }

u8* SimMachine::AddMemory(u32 address, u32 size) {
  std::vector<u8>& region = regions[address];
  region.assign(size, 0);
  return region.data();
}

u8* SimMachine::MemoryAt(u32 address, u32 width) {
  if ((uptr)address >= (uptr)sPool && (uptr)address + width <= (uptr)sPool + POOL_SIZE) return (u8*)(uptr)address;
  if ((u64)address + width <= lowMemory.size()) return &lowMemory[address];
  auto it = regions.upper_bound(address);
  if (it == regions.begin()) return nullptr;
  --it;
  if ((u64)address + width <= (u64)it->first + it->second.size()) return &it->second[address - it->first];
  return nullptr;
}

static SimPortDevice CmosDevice() {
  SimPortDevice d;
  d.read = [](u16 port, u32) -> u32 { return port == 0x71 ? gSim->cmos[gSim->cmosIndex & 0x7F] : 0xFF; };
  d.write = [](u16 port, u32 value, u32) {
    if (port == 0x70) gSim->cmosIndex = (u8)value;
    if (port == 0x71) gSim->cmos[gSim->cmosIndex & 0x7F] = (u8)value;
  };
  return d;
}

static SimPortDevice SpeakerGate() {
  SimPortDevice d;
  d.read = [](u16, u32) -> u32 { return gSim->speakerGate; };
  d.write = [](u16, u32 value, u32) { gSim->speakerGate = (u8)value; };
  return d;
}

static SimPortDevice TimerChannel() {
  SimPortDevice d;
  d.read = [](u16, u32) -> u32 { return 0; };
  d.write = [](u16, u32, u32) {};
  return d;
}

static SimMachine sMachine;

void SimReset() {
  sMachine.~SimMachine();
  new (&sMachine) SimMachine();
  gSim = &sMachine;
  gSim->lowMemory.assign(16u << 20, 0);
  gSim->AddPortDevice(0x70, 0x71, CmosDevice());
  gSim->AddPortDevice(0x42, 0x43, TimerChannel());
  gSim->AddPortDevice(0x61, 0x61, SpeakerGate());
  gSim->console.attribute = 0x07;
  gSim->console.Clear();
  gFwTickCount = 0;
  ResetPool();
}

// ---- running the program ---------------------------------------------------------------

static jmp_buf sExitJump;
static bool sRunning;

bool SimRun(const std::function<void()>& body) {
  sRunning = true;
  if (setjmp(sExitJump) == 0) body();
  sRunning = false;
  return gSim->exited;
}

static void EndRun() {
  if (sRunning) longjmp(sExitJump, 1);
}

void SimQueueKey(u32 code) {
  FwKeyStroke key;
  key.scanCode = (u16)((code >> 8) & 0xFF);
  key.character = (char16_t)(key.scanCode ? 0 : code & 0xFF);
  u32 shift = 0;
  if (code & 0x030000) shift |= 0x02;
  if (code & 0x0C0000) shift |= 0x08;
  if (code & 0x300000) shift |= 0x20;
  key.shiftState = shift ? (0x80000000u | shift) : 0;
  gSim->keys.push_back(key);
}

void SimQueueText(const char* text) {
  for (; *text; text++) SimQueueKey((u8)*text);
}

// ---- firmware services -------------------------------------------------------------------

int FwInit() {
  if (gSim->consoleInputMissing) return 1;
  return 0;
}

void FwShutdown() {
  gSim->console.clearCalls++;
  gSim->console.Clear();
}

void FwExit() {
  gSim->exited = true;
  EndRun();
  abort();  // only reached when the program exits outside SimRun
}

void FwConOutput(const char16_t* text) {
  SimConsole& c = gSim->console;
  c.outputCalls++;
  for (; *text; text++) {
    char16_t ch = *text;
    if (ch == u'\n') {
      if (++c.row >= 25) { c.row = 24; c.scrolled = true; }
      continue;
    }
    if (ch == u'\r') { c.column = 0; continue; }
    c.outputCharacters++;
    c.cells[c.row][c.column] = {ch, c.attribute};
    if (++c.column >= 80) {
      c.column = 0;
      if (++c.row >= 25) { c.row = 24; c.scrolled = true; }
    }
  }
}

void FwConSetAttribute(u8 attribute) {
  gSim->console.attribute = attribute;
  gSim->console.attributeCalls++;
}
u8 FwConAttribute() { return gSim->console.attribute; }
void FwConSetCursor(u32 column, u32 row) {
  gSim->console.column = column;
  gSim->console.row = row;
  gSim->console.cursorCalls++;
}
u32 FwConCursorColumn() { return gSim->console.column; }
u32 FwConCursorRow() { return gSim->console.row; }
void FwConEnableCursor(bool visible) { gSim->console.cursorVisible = visible; }

bool FwKeyWaiting() {
  if (!gSim->keys.empty()) return true;
  gSim->idlePolls++;
  if (gSim->onIdle) gSim->onIdle();
  if (!gSim->keys.empty()) return true;
  if (gSim->idlePolls >= gSim->idleLimit) {
    gSim->keysExhausted = true;
    EndRun();
  }
  return false;
}

void FwReadKey(FwKeyStroke* key) {
  if (gSim->keys.empty()) return;
  *key = gSim->keys.front();
  gSim->keys.pop_front();
  gSim->idlePolls = 0;
}

void FwStall(u32 microseconds) { gSim->stalledMicroseconds += microseconds; }

bool FwGetTime(FwTime* time) {
  if (gSim->clockFails) return false;
  *time = gSim->time;
  return true;
}

// ---- ports, memory, CPU -----------------------------------------------------------------

static SimPortDevice* DeviceFor(u16 port) {
  auto it = gSim->portDevices.upper_bound(port);
  if (it == gSim->portDevices.begin()) return nullptr;
  --it;
  return port <= it->second.first ? &it->second.second : nullptr;
}

static u32 PciDataRead(u16 port, u32 width) {
  u32 address = gSim->pciAddress;
  if (!(address & 0x80000000u)) return 0xFFFFFFFFu;
  u32 key = address & 0x00FFFF00u;
  u32 reg = (address & 0xFC) | ((address >> 16) & 0xF00) | (port - 0xCFC);
  auto it = gSim->pci.find(key);
  u32 value = 0;
  for (u32 i = 0; i < width; i++) {
    u8 byte = it == gSim->pci.end() ? 0xFF : it->second.config[(reg + i) & 0xFFF];
    value |= (u32)byte << (8 * i);
  }
  return value;
}

static void PciDataWrite(u16 port, u32 value, u32 width) {
  u32 address = gSim->pciAddress;
  if (!(address & 0x80000000u)) return;
  auto it = gSim->pci.find(address & 0x00FFFF00u);
  if (it == gSim->pci.end()) return;
  u32 reg = (address & 0xFC) | ((address >> 16) & 0xF00) | (port - 0xCFC);
  for (u32 i = 0; i < width; i++) it->second.config[(reg + i) & 0xFFF] = (u8)(value >> (8 * i));
}

static u32 PortRead(u16 port, u32 width) {
  gSim->portReads.push_back(port);
  if (port == 0xCF8 && width == 4) return gSim->pciAddress;
  if (port >= 0xCFC && port <= 0xCFF) return PciDataRead(port, width);
  if (SimPortDevice* device = DeviceFor(port)) return device->read(port, width);
  return width == 1 ? 0xFF : width == 2 ? 0xFFFF : 0xFFFFFFFFu;
}

static void PortWrite(u16 port, u32 value, u32 width) {
  gSim->portWrites.push_back({port, value, width});
  if (port == 0xCF8 && width == 4) {
    gSim->pciAddress = value;
    return;
  }
  if (port >= 0xCFC && port <= 0xCFF) {
    PciDataWrite(port, value, width);
    return;
  }
  if (SimPortDevice* device = DeviceFor(port)) device->write(port, value, width);
}

u8 FwPortIn8(u16 port) { return (u8)PortRead(port, 1); }
u16 FwPortIn16(u16 port) { return (u16)PortRead(port, 2); }
u32 FwPortIn32(u16 port) { return PortRead(port, 4); }
void FwPortOut8(u16 port, u8 value) { PortWrite(port, value, 1); }
void FwPortOut16(u16 port, u16 value) { PortWrite(port, value, 2); }
void FwPortOut32(u16 port, u32 value) { PortWrite(port, value, 4); }

// The configuration byte behind an ECAM address, or null outside the window or for an
// absent function.
static bool InEcam(u32 address) {
  return gSim->ecamBuses && address >= gSim->ecamBase && (u64)address - gSim->ecamBase < (u64)gSim->ecamBuses << 20;
}

static u8* EcamByte(u32 address) {
  u32 offset = address - gSim->ecamBase;
  auto it = gSim->pci.find((offset >> 20) << 16 | ((offset >> 15) & 0x1F) << 11 | ((offset >> 12) & 7) << 8);
  return it == gSim->pci.end() ? nullptr : &it->second.config[offset & 0xFFF];
}

u32 FwMemRead(u32 address, u32 width) {
  if (gSim->onMemRead) gSim->onMemRead(address, width);
  if (InEcam(address)) {
    u32 value = 0;
    for (u32 i = 0; i < width; i++) {
      u8* byte = EcamByte(address + i);
      value |= (u32)(byte ? *byte : 0xFF) << (8 * i);
    }
    return value;
  }
  u8* at = gSim->MemoryAt(address, width);
  if (!at) return width == 1 ? 0xFF : width == 2 ? 0xFFFF : 0xFFFFFFFFu;
  u32 value = 0;
  memcpy(&value, at, width);
  return value;
}

void FwMemWrite(u32 address, u32 value, u32 width) {
  if (InEcam(address)) {
    for (u32 i = 0; i < width; i++)
      if (u8* byte = EcamByte(address + i)) *byte = (u8)(value >> (8 * i));
    return;
  }
  if (u8* at = gSim->MemoryAt(address, width)) memcpy(at, &value, width);
}

bool FwMsrRead(u32 index, u64* value) {
  auto it = gSim->msrs.find(index);
  if (it == gSim->msrs.end()) return false;
  *value = it->second;
  return true;
}

bool FwMsrWrite(u32 index, u64 value) {
  auto it = gSim->msrs.find(index);
  if (it == gSim->msrs.end()) return false;
  it->second = value;
  gSim->msrWrites.push_back({index, value});
  return true;
}

void FwCpuid(u32 leaf, u32 out[4]) {
  auto it = gSim->cpuid.find(leaf);
  for (int i = 0; i < 4; i++) out[i] = it == gSim->cpuid.end() ? 0 : it->second[i];
}

void* FwFindConfigTable(const FwGuid& guid) {
  for (auto& entry : gSim->configTables)
    if (memcmp(&entry.first, &guid, sizeof(FwGuid)) == 0) return entry.second;
  return nullptr;
}

int FwArguments(char16_t*** argv) {
  static std::vector<std::u16string> storage;
  static std::vector<char16_t*> vector;
  storage = gSim->arguments;
  vector.clear();
  for (auto& argument : storage) vector.push_back(&argument[0]);
  *argv = vector.data();
  return (int)vector.size();
}

// ---- files --------------------------------------------------------------------------------

struct FwFile {
  std::u16string name;
  u64 position;
};

FwFile* FwFileOpen(const char16_t* path, FwOpenMode mode) {
  if (!gSim->hasFileSystem) return nullptr;
  std::u16string name(path);
  auto it = gSim->files.find(name);
  if (it == gSim->files.end()) {
    if (mode != FW_OPEN_CREATE) return nullptr;
    gSim->files[name];
  }
  return new FwFile{name, 0};
}

bool FwFileRead(FwFile* file, void* buffer, usize* size) {
  std::vector<u8>& data = gSim->files[file->name];
  usize available = file->position < data.size() ? data.size() - file->position : 0;
  if (*size > available) *size = available;
  memcpy(buffer, data.data() + file->position, *size);
  file->position += *size;
  return true;
}

void FwFileWrite(FwFile* file, const void* buffer, usize size) {
  std::vector<u8>& data = gSim->files[file->name];
  if (file->position + size > data.size()) data.resize(file->position + size);
  memcpy(data.data() + file->position, buffer, size);
  file->position += size;
}

bool FwFileSetPosition(FwFile* file, u64 position) {
  file->position = position;
  return true;
}

bool FwFileSize(FwFile* file, u64* size) {
  *size = gSim->files[file->name].size();
  return true;
}

int FwFileClose(FwFile* file) {
  delete file;
  return 0;
}
