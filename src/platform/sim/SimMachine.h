// The simulated machine behind the platform layer in host tests: PCI configuration space
// behind ports 0xCF8/0xCFC, port devices (CMOS/RTC, speaker, a write recorder), a 32-bit
// physical address space in which pool allocations also live, MSRs (some faulting), CPUID
// leaves, configuration tables, an 80 x 25 console that keeps what it shows, a scripted
// keyboard, a clock and tick source, and an in-memory boot volume.
//
// Tests set it up per test with SimReset() and then add what they need. Code under test
// runs inside SimRun(), which returns when the program exits (or runs out of keys).
#pragma once
#include "platform/Firmware.h"

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct SimPortWrite {
  u16 port;
  u32 value;
  u32 width;
  bool operator==(const SimPortWrite& other) const {
    return port == other.port && value == other.value && width == other.width;
  }
};

struct SimCell {
  char16_t character;
  u8 attribute;
};

struct SimConsole {
  SimCell cells[25][80];
  u32 column = 0, row = 0;
  u8 attribute = 0x07;
  bool cursorVisible = true;
  bool scrolled = false;  // set if output ever ran past the bottom-right corner
  // traffic
  u32 outputCalls = 0, outputCharacters = 0, attributeCalls = 0, cursorCalls = 0, clearCalls = 0;
  // Bytes a serial terminal would carry: one per character, and the escape sequences of
  // cursor moves and attribute changes.
  u64 SerialBytes() const { return outputCharacters + 8ull * cursorCalls + 10ull * attributeCalls; }
  void ResetTraffic() { outputCalls = outputCharacters = attributeCalls = cursorCalls = clearCalls = 0; }
  std::u16string Row(u32 y) const;
  std::string RowText(u32 y) const;  // the row as 8-bit text
  std::string Text(u32 x, u32 y, u32 length) const;
  u8 Attr(u32 x, u32 y) const { return cells[y][x].attribute; }
  void Clear();
};

struct SimPciFunction {
  std::array<u8, 4096> config;
  void Set8(u32 offset, u8 value) { config[offset] = value; }
  void Set16(u32 offset, u16 value) { config[offset] = (u8)value; config[offset + 1] = (u8)(value >> 8); }
  void Set32(u32 offset, u32 value) { Set16(offset, (u16)value); Set16(offset + 2, (u16)(value >> 16)); }
  u32 Get32(u32 offset) const {
    return config[offset] | config[offset + 1] << 8 | config[offset + 2] << 16 | (u32)config[offset + 3] << 24;
  }
};

// A port device: read and write handlers for a range of ports.
struct SimPortDevice {
  std::function<u32(u16 port, u32 width)> read;
  std::function<void(u16 port, u32 value, u32 width)> write;
};

struct SimMachine {
  // PCI configuration space, keyed by bus << 16 | device << 11 | function << 8.
  std::map<u32, SimPciFunction> pci;
  u32 pciAddress = 0;
  // Adds a function with the given IDs and header type; returns its configuration space.
  SimPciFunction& AddPciFunction(u32 bus, u32 device, u32 function, u16 vendor, u16 deviceId,
                                 u8 headerType = 0, u32 classCode = 0);

  // Ports: devices by port range; unclaimed ports read all ones.
  std::map<u16, std::pair<u16, SimPortDevice>> portDevices;  // first port -> (last port, device)
  void AddPortDevice(u16 first, u16 last, SimPortDevice device);
  std::vector<SimPortWrite> portWrites;  // every port write, in order
  std::vector<u16> portReads;            // every port read, in order

  // CMOS/RTC behind 0x70/0x71 and the speaker ports 0x42/0x43/0x61.
  std::array<u8, 128> cmos{};
  u8 cmosIndex = 0;
  u8 speakerGate = 0;  // port 0x61

  // Physical memory: the legacy area and any regions a test adds; pool allocations live in
  // an identity-mapped region below 4 GB, so their addresses work with MemRead too.
  std::vector<u8> lowMemory;  // physical 0 .. 16 MB
  std::map<u32, std::vector<u8>> regions;
  u8* AddMemory(u32 address, u32 size);
  u8* MemoryAt(u32 address, u32 width);  // host pointer of physical memory, null if unbacked
  // Memory-mapped PCI Express configuration (ECAM): `ecamBuses` buses of 1 MB from
  // `ecamBase`, backed by the same configuration spaces as ports 0xCF8/0xCFC (absent
  // functions read all ones). 0 buses: no window.
  u32 ecamBase = 0, ecamBuses = 0;
  // Called with every memory read of the program (address, width), when set.
  std::function<void(u32 address, u32 width)> onMemRead;

  // Model-specific registers; reading or writing a missing one faults.
  std::map<u32, u64> msrs;
  std::vector<std::pair<u32, u64>> msrWrites;
  std::map<u32, std::array<u32, 4>> cpuid;

  std::vector<std::pair<FwGuid, void*>> configTables;

  SimConsole console;
  std::deque<FwKeyStroke> keys;
  // Called whenever the program polls an empty keyboard; may queue keys or change the machine.
  std::function<void()> onIdle;
  u32 idlePolls = 0;
  u32 idleLimit = 20000;  // polls of an empty keyboard after which the run ends

  FwTime time = {12, 0, 0};
  bool clockFails = false;
  u64 stalledMicroseconds = 0;

  std::map<std::u16string, std::vector<u8>> files;
  bool hasFileSystem = true;

  std::vector<std::u16string> arguments;

  bool exited = false;
  bool keysExhausted = false;
  bool consoleInputMissing = false;
};

extern SimMachine* gSim;

void SimReset();
usize SimPoolBlocksInUse();  // pool allocations not freed yet  // a fresh machine: empty PCI, CMOS and speaker devices, empty console
// Runs `body` until the program exits (ExitImage) or the keyboard stays empty too long.
// Returns true when the program exited.
bool SimRun(const std::function<void()>& body);

// Queues key strokes. Plain characters and KeyCode values (scan << 8 | char, with the
// shift groups of the key codes) are both accepted.
void SimQueueKey(u32 keyCode);
void SimQueueText(const char* text);
